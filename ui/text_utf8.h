// The program's narrow texts (what() of its exceptions and any other char text
// it writes itself) are UTF-8; this is the one place that widens them.
#pragma once
#include <string>
#include <string_view>

namespace ui {

// Each malformed or cut-off sequence becomes one U+FFFD; characters above U+FFFF
// become surrogate pairs where wchar_t has 16 bits (Windows).
std::wstring WidenUtf8(std::string_view text);

}  // namespace ui
