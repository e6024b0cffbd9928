#pragma once
// Maps a library image held in memory and finds its exports by name. The skin library is
// held this way; until the mapper lands, Load reports that nothing was mapped and every
// look-up finds nothing, which the skin steps treat as "no skin library".
#include <cstdint>
#include <string>

namespace radar {

class MemoryLibrary {
public:
    MemoryLibrary() = default;
    MemoryLibrary(const MemoryLibrary&) = default;
    MemoryLibrary& operator=(const MemoryLibrary&) = default;
    ~MemoryLibrary() = default;

    bool Load(const uint8_t* image, size_t size);
    void Free();
    void* GetProc(const std::string& exportName) const;
    void* EntryAddress() const;
    void* ModuleBase() const { return moduleBase_; }

private:
    void* moduleBase_ = nullptr;
};

} // namespace radar
