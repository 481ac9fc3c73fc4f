// The system's English title list read by name: which title indices carry a
// given object or counter name. The list is UTF-16 text in pairs, index then
// name, each ending with a zero and the whole list with an empty string.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace perf {

// Every index whose name is exactly `name`, in list order. Reads nothing past
// `size` bytes; an index that is not a decimal number is passed over.
std::vector<std::uint32_t> TitleIndicesNamed(const std::byte* list, std::size_t size,
                                             std::u16string_view name);

}  // namespace perf
