// The string tables of a version resource worth asking for a text, in the order
// they are tried. Many files list a translation that has no string table of its
// own, so the listed ones come first, then the first listed language with the
// Unicode and Western code pages, then US English. Decoded here, where the
// translation array ("\VarFileInfo\Translation": pairs of 16-bit language and
// code page, little-endian) is read without trusting its length.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::version_layout {
inline constexpr std::size_t kTranslationSize = 4;
inline constexpr std::uint16_t kUnicodeCodePage = 0x04B0;
inline constexpr std::uint16_t kWesternCodePage = 0x04E4;
inline constexpr std::uint16_t kUsEnglish = 0x0409;

// "\StringFileInfo\LLLLCCCC\", to which the text's name is appended. Only whole
// entries of translations[0, bytes) are read.
inline std::vector<std::wstring> StringTableCandidates(const std::byte* translations,
                                                       std::size_t bytes) {
  std::vector<std::wstring> blocks;
  const auto add = [&blocks](std::uint16_t language, std::uint16_t codePage) {
    std::wstring block = L"\\StringFileInfo\\";
    const std::uint32_t both = (std::uint32_t{language} << 16) | codePage;
    for (int shift = 28; shift >= 0; shift -= 4)
      block.push_back(L"0123456789ABCDEF"[(both >> shift) & 0xF]);
    block.push_back(L'\\');
    if (std::find(blocks.begin(), blocks.end(), block) == blocks.end())
      blocks.push_back(std::move(block));
  };
  const std::size_t count = translations == nullptr ? 0 : bytes / kTranslationSize;
  const auto word = [translations](std::size_t at) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(translations[at]) |
                                      std::to_integer<unsigned>(translations[at + 1]) << 8);
  };
  for (std::size_t i = 0; i < count; ++i)
    add(word(i * kTranslationSize), word(i * kTranslationSize + 2));
  if (count > 0) {
    add(word(0), kUnicodeCodePage);
    add(word(0), kWesternCodePage);
  }
  add(kUsEnglish, kUnicodeCodePage);
  add(kUsEnglish, 0);
  return blocks;
}
}  // namespace platform::version_layout
