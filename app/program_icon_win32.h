// The program's own icon, loaded at the size a use asks for.
#pragma once
#include <windows.h>

#include "platform/win32/owned_handles_win32.h"

namespace app {

// The program's icon at `size` pixels: scaled down from a larger picture of the
// resource where the system can (LoadIconWithScaleDown, bound by name), else
// the nearest picture of the resource scaled as LoadImageW does.
platform::win32::UniqueIcon LoadProgramIcon(HINSTANCE instance, int size);

}  // namespace app
