#include "tracking/stored_zip.h"

#include <array>
#include <limits>

namespace radar {

namespace {

constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint16_t kVersionStored = 10; // 1.0: stored entries, no extensions
constexpr uint16_t kMethodStored = 0;
// 1980-01-01 00:00, the earliest DOS time: the package is the same bytes for the same cells.
constexpr uint16_t kDosTime = 0;
constexpr uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;

std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void Put16(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, static_cast<uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<uint16_t>(value >> 16));
}

// The fields that the local and the central header share, from "version needed" on.
void PutCommon(std::string& out, const ZipEntry& entry, uint32_t crc) {
    Put16(out, kVersionStored);
    Put16(out, 0); // flags: no data descriptor (bit 3), no encryption, names in code page 437 (ASCII)
    Put16(out, kMethodStored);
    Put16(out, kDosTime);
    Put16(out, kDosDate);
    Put32(out, crc);
    Put32(out, static_cast<uint32_t>(entry.bytes.size())); // compressed size
    Put32(out, static_cast<uint32_t>(entry.bytes.size())); // uncompressed size
    Put16(out, static_cast<uint16_t>(entry.name.size()));
    Put16(out, 0); // extra field length
}

} // namespace

uint32_t Crc32(std::string_view bytes) {
    static const std::array<uint32_t, 256> table = MakeCrcTable();
    uint32_t c = 0xFFFFFFFFu;
    for (char byte : bytes)
        c = table[(c ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::string MakeStoredZip(const std::vector<ZipEntry>& entries) {
    constexpr uint64_t kLimit = std::numeric_limits<uint32_t>::max();
    if (entries.size() >= 0xFFFF) return {};
    uint64_t total = 22; // end record
    for (const ZipEntry& entry : entries) {
        if (entry.name.empty() || entry.name.size() > 0xFFFF) return {};
        total += 30 + 46 + 2 * entry.name.size() + entry.bytes.size();
    }
    if (total > kLimit) return {};

    std::string out;
    out.reserve(static_cast<size_t>(total));
    std::vector<uint32_t> offsets, crcs;
    for (const ZipEntry& entry : entries) {
        offsets.push_back(static_cast<uint32_t>(out.size()));
        crcs.push_back(Crc32(entry.bytes));
        Put32(out, kLocalHeaderSignature);
        PutCommon(out, entry, crcs.back());
        out += entry.name;
        out += entry.bytes;
    }
    const auto directoryOffset = static_cast<uint32_t>(out.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        Put32(out, kCentralHeaderSignature);
        Put16(out, kVersionStored); // made by: MS-DOS attributes, version 1.0
        PutCommon(out, entries[i], crcs[i]);
        Put16(out, 0); // comment length
        Put16(out, 0); // disk number
        Put16(out, 0); // internal attributes
        Put32(out, 0); // external attributes
        Put32(out, offsets[i]);
        out += entries[i].name;
    }
    const auto directorySize = static_cast<uint32_t>(out.size() - directoryOffset);
    Put32(out, kEndSignature);
    Put16(out, 0); // this disk
    Put16(out, 0); // disk of the central directory
    Put16(out, static_cast<uint16_t>(entries.size()));
    Put16(out, static_cast<uint16_t>(entries.size()));
    Put32(out, directorySize);
    Put32(out, directoryOffset);
    Put16(out, 0); // comment length
    return out;
}

} // namespace radar
