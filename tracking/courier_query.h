#pragma once
// The requests of a run to the tracking service: the courier list (on the run's starter
// thread) and, per number, the courier detection and the history page (on the user-interface
// thread, whose window keeps working while each request waits).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tracking/courier_directory.h"

namespace radar {

class RegexObject;

// Reads the service's courier list and puts it into couriers; an unreachable page or one
// without matches leaves the list empty.
void LoadCourierList(CourierDirectory& couriers);

// Detects number's courier and reads its history page. Appends the detected code with CR LF,
// or the empty text, to rowCourierCodes, and leaves regex holding the history pattern's
// matches over the page (none without a page). keepWaiting: see HttpRequestProcessingMessages.
void QueryNumber(std::string_view number, RegexObject& regex, std::vector<std::string>& rowCourierCodes,
                 const std::function<bool()>& keepWaiting = {});

} // namespace radar
