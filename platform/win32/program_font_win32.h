// The program's font: "宋体" at 12 pixels where the system has it; elsewhere (a
// Windows without the Chinese supplemental fonts) the system's message font at
// that height, which links a CJK font so that the Chinese texts still show.
#pragma once
#include <windows.h>

#include "platform/win32/owned_handles_win32.h"

namespace platform::win32 {

inline constexpr wchar_t kProgramFace[] = L"宋体";
inline constexpr int kProgramFontPixels = 12;
inline constexpr int kProgramFontPoints = 9;  // the same height in a dialog template at 96 dpi

// The font to make: `face` when the system draws with it, else the message font.
LOGFONTW ProgramLogFont(const wchar_t* face = kProgramFace);
// At `pixels` high: the program's 12 pixels scaled to the window's DPI.
UniqueFont CreateProgramFont(int pixels = kProgramFontPixels);

}  // namespace platform::win32
