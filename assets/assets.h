#pragma once
// Data the program carries among its constants.
#include <string_view>

namespace radar {

extern const unsigned char kProgramIconIco[];
extern const unsigned kProgramIconIco_size;

// The program's ICO file (five 32-bit images: 128, 64, 48, 32, 16 pixels).
inline std::string_view ProgramIconBytes() {
    return {reinterpret_cast<const char*>(kProgramIconIco), kProgramIconIco_size};
}

} // namespace radar
