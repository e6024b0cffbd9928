#pragma once
// The demo parcels of the local tracking service. Texts are UTF-8, as the service sends them.
#include <string>
#include <string_view>
#include <vector>

namespace radar::service {

struct DemoCourier {
    std::string code;
    std::string name;
};

struct DemoScan {
    std::string date;
    std::string time;
    std::string status; // place and status text
};

struct DemoParcel {
    std::string number;
    // Couriers the detection answer lists, most likely first; empty: the service does not know
    // the number's courier.
    std::vector<std::string> courierCodes;
    // Oldest first, as the history page lists them; only the first courier has a history.
    std::vector<DemoScan> history;
    std::string note; // what the parcel is there to show
};

const std::vector<DemoCourier>& DemoCouriers();
const std::vector<DemoParcel>& DemoParcels();
// The parcel with exactly this number, or null for a number the service does not know.
const DemoParcel* FindDemoParcel(std::string_view number);

} // namespace radar::service
