#include "desktop/memory_library.h"

namespace radar {

bool MemoryLibrary::Load(const uint8_t*, size_t) {
    return false;
}

void MemoryLibrary::Free() {
    moduleBase_ = nullptr;
}

void* MemoryLibrary::GetProc(const std::string&) const {
    return nullptr;
}

void* MemoryLibrary::EntryAddress() const {
    return nullptr;
}

} // namespace radar
