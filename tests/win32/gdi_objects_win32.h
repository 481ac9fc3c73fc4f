// The number of drawing objects this process holds. GetGuiResources answers on
// Windows; Wine leaves it unimplemented (0), so there the process's own GDI
// handle table, which Wine keeps where Windows does (PEB + 0xF8), is counted.
#pragma once
#include <windows.h>

#include <cstdint>

namespace testing_support {

inline int GdiObjectCount() {
  const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported != 0) return static_cast<int>(reported);
  struct Entry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
  };
  static_assert(sizeof(Entry) == 24);
  // The thread block's own address sits at gs:0x30; the process block's at +0x60.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
  const auto* teb = reinterpret_cast<const unsigned char*>(NtCurrentTeb());
#pragma GCC diagnostic pop
  const auto* peb = *reinterpret_cast<const unsigned char* const*>(teb + 0x60);
  const auto* table = *reinterpret_cast<const Entry* const*>(peb + 0xF8);
  if (table == nullptr) return -1;
  int count = 0;
  for (int i = 0; i < 0x10000; ++i) count += table[i].type != 0 && table[i].object != 0;
  return count;
}

}  // namespace testing_support
