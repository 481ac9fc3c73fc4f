// Writing a value at a byte offset, as the fakes lay out the system's answers.
#pragma once
#include <cstddef>
#include <cstring>

namespace platform::fake {

template <typename T>
void Put(std::byte* at, std::size_t offset, T value) {
  std::memcpy(at + offset, &value, sizeof value);
}

}  // namespace platform::fake
