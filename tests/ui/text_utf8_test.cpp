// Widening the program's UTF-8 texts: Chinese and characters beyond the basic
// plane arrive whole, and broken bytes become replacement characters instead of
// being copied one by one.
#include "ui/text_utf8.h"

#include <gtest/gtest.h>

using ui::WidenUtf8;

TEST(TextUtf8, WidensAsciiChineseAndCharactersBeyondTheBasicPlane) {
  EXPECT_EQ(WidenUtf8("CPU index out of bounds"), L"CPU index out of bounds");
  EXPECT_EQ(WidenUtf8("\xE8\xBF\x9B\xE7\xA8\x8B: 5"), L"进程: 5");
  // U+1F600: a surrogate pair where wchar_t has 16 bits, one unit where it has 32.
  const std::wstring face = WidenUtf8("\xF0\x9F\x98\x80");
  if constexpr (sizeof(wchar_t) == 2) {
    EXPECT_EQ(face, std::wstring({wchar_t(0xD83D), wchar_t(0xDE00)}));
  } else {
    EXPECT_EQ(face, std::wstring(1, wchar_t(0x1F600)));
  }
  EXPECT_EQ(WidenUtf8(""), L"");
}

TEST(TextUtf8, MalformedBytesBecomeReplacementCharacters) {
  const std::wstring bad(1, wchar_t(0xFFFD));
  EXPECT_EQ(WidenUtf8("a\x80z"), L"a" + bad + L"z");             // stray continuation
  EXPECT_EQ(WidenUtf8("\xE8\xBF"), bad);                          // cut off at the end
  EXPECT_EQ(WidenUtf8("\xE8\xBF" "A"), bad + L"A");               // cut off by a new character
  EXPECT_EQ(WidenUtf8("\xC0\xAF"), bad + bad);                    // overlong '/'
  EXPECT_EQ(WidenUtf8("\xED\xA0\x80"), bad + bad + bad);          // an encoded surrogate
  EXPECT_EQ(WidenUtf8("\xF4\x90\x80\x80"), bad + bad + bad + bad);  // above U+10FFFF
  EXPECT_EQ(WidenUtf8("\xB5"), bad);  // a GBK/Latin-1 byte is not taken as a character
}
