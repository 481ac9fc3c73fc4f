// Feeds arbitrary bytes to both interface-table walks as if the system had
// written them: row counts larger than the buffer, empty tables, descriptions
// without NUL must neither read outside the buffer nor grow without bound.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "net/interface_table.h"
#include "platform/layouts/interface_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::byte> buffer(size);
  if (size > 0) std::memcpy(buffer.data(), data, size);
  const net::AnsiDecoder latin1 = [](std::string_view bytes) {
    return std::wstring(bytes.begin(), bytes.end());
  };
  std::vector<net::InterfaceEntry> entries;
  net::WalkIfTable2(buffer.data(), size, entries);
  net::WalkIfTable(buffer.data(), size, latin1, entries);
  // Small tables are the interesting ones: also try a count that just fits.
  if (size >= 8) {
    const std::uint32_t count = static_cast<std::uint32_t>((size - 8) / platform::if_layout::kRow2Size);
    std::memcpy(buffer.data(), &count, sizeof count);
    net::WalkIfTable2(buffer.data(), size, entries);
  }
  return 0;
}
