// Title list look-up: one pass over the pairs, comparing names as they are read.
#include "perf/counter_titles.h"

#include <cstring>

namespace perf {
namespace {

// The next zero-ended string from `at` (in UTF-16 units); a string cut off by
// the end of the list ends there.
std::u16string_view NextString(const std::vector<char16_t>& units, std::size_t& at) {
  const std::size_t begin = at;
  while (at < units.size() && units[at] != u'\0') ++at;
  const std::u16string_view text(units.data() + begin, at - begin);
  if (at < units.size()) ++at;
  return text;
}

bool ParseIndex(std::u16string_view text, std::uint32_t& index) {
  if (text.empty() || text.size() > 9) return false;
  index = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    index = index * 10 + static_cast<std::uint32_t>(c - u'0');
  }
  return true;
}

}  // namespace

std::vector<std::uint32_t> TitleIndicesNamed(const std::byte* list, std::size_t size,
                                             std::u16string_view name) {
  // A copy in whole units, so that an odd byte count or an unaligned buffer
  // cannot cut a character in two.
  std::vector<char16_t> units(size / sizeof(char16_t));
  if (!units.empty()) std::memcpy(units.data(), list, units.size() * sizeof(char16_t));
  std::vector<std::uint32_t> found;
  std::size_t at = 0;
  while (at < units.size()) {
    const std::u16string_view index = NextString(units, at);
    if (index.empty()) break;  // the empty string that ends the list
    const std::u16string_view title = NextString(units, at);
    std::uint32_t value = 0;
    if (title == name && ParseIndex(index, value)) found.push_back(value);
  }
  return found;
}

}  // namespace perf
