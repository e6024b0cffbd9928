#include "msgbox/skin_engine.h"

namespace radar {

SkinEngineDefaults& SkinDefaults() {
    static SkinEngineDefaults defaults;
    return defaults;
}

void SetSkinEngineDefaults() {
    SkinEngineDefaults& d = SkinDefaults();
    d.accentColour = 0x00DDCA22; // red 0x22, green 0xCA, blue 0xDD
    d.controlFillAlpha = 160;
    for (bool& on : d.switches)
        on = true;
}

} // namespace radar
