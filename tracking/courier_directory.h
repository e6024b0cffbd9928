#pragma once
// The courier list of the service: each courier code with its display name, both stored with
// CR LF appended as the page gives them. A run's starter thread refills it while the user-
// interface thread looks names up, so every operation holds a lock: a reader never sees the
// list in the middle of a change, and a pair is never half appended.
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace radar {

struct CourierEntry {
    std::string code;
    std::string name;
};

class CourierDirectory {
public:
    // The whole list at once: a reader sees the old list or the new one, never a part.
    void Replace(const std::vector<CourierEntry>& entries);
    size_t Size() const;
    // The pair at position; false past the end (the list may have been emptied meanwhile).
    bool Entry(size_t position, std::string* code, std::string* name) const;
    // Copies of the two lists, for tests and the status of a run.
    std::vector<std::string> Codes() const;
    std::vector<std::string> Names() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> codes_;
    std::vector<std::string> names_;
};

// The courier name of result row 'row': the name of the last position whose code equals the
// row's code byte for byte (both carry their CR LF), stored also in lastCourierName; empty
// when the row has no code, no position matches or the row is out of range. betweenPositions
// runs after each position (the run lets messages be processed there).
std::string CourierNameOfRow(const CourierDirectory& couriers, const std::vector<std::string>& rowCourierCodes, int row,
                             std::string* lastCourierName, const std::function<void()>& betweenPositions = {});

} // namespace radar
