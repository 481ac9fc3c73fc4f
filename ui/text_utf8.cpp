// UTF-8 to wide text. A lead byte is followed only by continuation bytes in the
// range it allows, which rules out overlong forms, surrogates and values above
// U+10FFFF; a sequence that breaks off is replaced as a whole and the byte that
// broke it starts the next one.
#include "ui/text_utf8.h"

#include <cstdint>

namespace ui {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

void Append(std::wstring& out, char32_t code) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (code > 0xFFFF) {
      code -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
      return;
    }
  }
  out.push_back(static_cast<wchar_t>(code));
}

}  // namespace

std::wstring WidenUtf8(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<std::uint8_t>(text[i++]);
    if (lead < 0x80) {
      out.push_back(static_cast<wchar_t>(lead));
      continue;
    }
    int more = 0;
    char32_t code = 0;
    std::uint8_t low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      more = 1, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      more = 2, code = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      more = 3, code = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
      out.push_back(kReplacement);  // a stray continuation byte or an impossible lead
      continue;
    }
    bool whole = true;
    for (int k = 0; k < more; ++k) {
      const auto next = i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0;
      if (i >= text.size() || next < low || next > high) {
        whole = false;
        break;
      }
      code = (code << 6) | (next & 0x3F);
      ++i;
      low = 0x80, high = 0xBF;
    }
    if (whole) {
      Append(out, code);
    } else {
      out.push_back(kReplacement);
    }
  }
  return out;
}

}  // namespace ui
