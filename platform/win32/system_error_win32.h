// The system's own text for an error code, in the user's language, as a refused
// request hands it up to be shown.
#pragma once
#include <windows.h>

#include <string>

#include "platform/action_result.h"

namespace platform::win32 {

// The message of `code` without its closing line break; a text naming the code
// when the system has no message for it.
std::wstring SystemErrorText(DWORD code);

// Done when `ok`, else refused with the text of the calling thread's last error,
// which must be read before any other call can change it.
ActionResult ResultOfCall(BOOL ok);

}  // namespace platform::win32
