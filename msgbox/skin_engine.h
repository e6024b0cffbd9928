#pragma once
// State of the engine that restyles the program's message boxes: its colour defaults and
// its global lists. The records are filled by the dialog hook and the painters.
#include <windows.h>

#include <vector>

namespace radar {

struct SkinEngineDefaults {
    COLORREF accentColour = 0; // hot, focus, pressed and selection tints
    int controlFillAlpha = 0;  // alpha of the white fill behind edit-type controls
    // Three switches of the engine; all on at start-up.
    bool switches[3] = {false, false, false};
};

// The defaults every skinned box starts from.
SkinEngineDefaults& SkinDefaults();
void SetSkinEngineDefaults();

// One skinned message box that is open.
struct DialogRecord {
    HWND dialog = nullptr;
};

// A memory device context kept by the drawing routines.
struct MemoryDcRecord {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
};

// A window the engine has taken over outside a dialog's own record.
struct ControlRecord {
    HWND window = nullptr;
};

inline constexpr int kControlListCount = 9;

} // namespace radar
