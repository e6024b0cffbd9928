#include "tracking/courier_directory.h"

namespace radar {

void CourierDirectory::Replace(const std::vector<CourierEntry>& entries) {
    std::vector<std::string> codes, names;
    codes.reserve(entries.size());
    names.reserve(entries.size());
    for (const CourierEntry& entry : entries) {
        codes.push_back(entry.code + "\r\n");
        names.push_back(entry.name + "\r\n");
    }
    std::lock_guard lock(mutex_);
    codes_.swap(codes);
    names_.swap(names);
}

size_t CourierDirectory::Size() const {
    std::lock_guard lock(mutex_);
    return codes_.size();
}

bool CourierDirectory::Entry(size_t position, std::string* code, std::string* name) const {
    std::lock_guard lock(mutex_);
    if (position >= codes_.size()) return false;
    if (code) *code = codes_[position];
    if (name) *name = names_[position];
    return true;
}

std::vector<std::string> CourierDirectory::Codes() const {
    std::lock_guard lock(mutex_);
    return codes_;
}

std::vector<std::string> CourierDirectory::Names() const {
    std::lock_guard lock(mutex_);
    return names_;
}

std::string CourierNameOfRow(const CourierDirectory& couriers, const std::vector<std::string>& rowCourierCodes, int row,
                             std::string* lastCourierName, const std::function<void()>& betweenPositions) {
    std::string result;
    if (row < 0 || static_cast<size_t>(row) >= rowCourierCodes.size()) return result;
    const std::string rowCode = rowCourierCodes[static_cast<size_t>(row)];
    if (rowCode.empty()) return result;
    std::string code, name;
    for (size_t i = 0; couriers.Entry(i, &code, &name); ++i) {
        if (code == rowCode) {
            result = name;
            if (lastCourierName) *lastCourierName = name;
        }
        if (betweenPositions) betweenPositions();
    }
    return result;
}

} // namespace radar
