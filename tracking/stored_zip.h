#pragma once
// A zip archive of STORED (uncompressed) entries, as an .xlsx package needs. Each local header
// carries the entry's CRC-32 and sizes itself (no data descriptor: some readers refuse stored
// entries that use one). Portable.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace radar {

// CRC-32 of zip and PNG (reflected polynomial 0xEDB88320).
uint32_t Crc32(std::string_view bytes);

struct ZipEntry {
    std::string name; // ASCII path inside the archive, '/' between folders
    std::string bytes;
};

// The whole archive; empty when it would need the zip64 extensions (4 GiB or 65535 entries).
std::string MakeStoredZip(const std::vector<ZipEntry>& entries);

} // namespace radar
