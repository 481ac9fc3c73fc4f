// The string tables a file's version texts are looked for in, from crafted
// translation arrays.
#include "platform/layouts/version_translations.h"

#include <gtest/gtest.h>

#include <initializer_list>

using platform::version_layout::StringTableCandidates;

namespace {

// Language and code page words as a file stores them, little-endian.
std::vector<std::byte> Translations(std::initializer_list<std::uint16_t> words) {
  std::vector<std::byte> bytes;
  for (const std::uint16_t w : words) {
    bytes.push_back(static_cast<std::byte>(w & 0xFF));
    bytes.push_back(static_cast<std::byte>(w >> 8));
  }
  return bytes;
}

std::vector<std::wstring> Blocks(std::initializer_list<const wchar_t*> names) {
  std::vector<std::wstring> blocks;
  for (const wchar_t* name : names)
    blocks.push_back(std::wstring(L"\\StringFileInfo\\") + name + L"\\");
  return blocks;
}

}  // namespace

TEST(VersionTranslations, ListedTablesFirstThenTheFirstLanguageThenUsEnglish) {
  const auto several = Translations({0x0804, 0x03A8, 0x0409, 0x04B0, 0x0804, 0x03A8});
  EXPECT_EQ(StringTableCandidates(several.data(), several.size()),
            Blocks({L"080403A8", L"040904B0", L"080404B0", L"080404E4", L"04090000"}));
  const auto none = Blocks({L"040904B0", L"04090000"});
  EXPECT_EQ(StringTableCandidates(nullptr, 0), none);
  EXPECT_EQ(StringTableCandidates(several.data(), 0), none);
  // Only whole entries are read: the second one here is cut short by the length.
  const auto two = Translations({0x0407, 0x04E4, 0x040C, 0x04B0});
  EXPECT_EQ(StringTableCandidates(two.data(), 7),
            Blocks({L"040704E4", L"040704B0", L"040904B0", L"04090000"}));
  EXPECT_EQ(StringTableCandidates(two.data(), 3), none);
}
