#pragma once
#include <cstdint>

namespace radar {

// The colours of one cell of the result table (Windows colours, 0x00BBGGRR).
struct CellColour {
    int32_t row = 0;
    int32_t column = 0;
    uint32_t textColour = 0;
    uint32_t backgroundColour = 0;
};

} // namespace radar
