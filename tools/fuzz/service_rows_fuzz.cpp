// Feeds arbitrary bytes to the decoding of the service enumeration's rows: the
// first four bytes are the row count the system would report, the rest is the
// buffer. String addresses are read as offsets (a base of 0) so that the fuzzer
// can aim them at every byte, and as real addresses too.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/layouts/service_rows.h"
#include "services/services_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t count = 0;
  if (size >= sizeof count) {
    std::memcpy(&count, data, sizeof count);
    data += sizeof count;
    size -= sizeof count;
  }
  std::vector<std::byte> buffer(size);
  if (size > 0) std::memcpy(buffer.data(), data, size);
  std::vector<platform::ServiceEntry> entries;
  std::size_t used =
      platform::service_rows::DecodeServiceRows(buffer.data(), size, 0, count, entries, 0);
  const auto base = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(buffer.data()));
  used = platform::service_rows::DecodeServiceRows(buffer.data(), size, base, count, entries, used);
  for (std::size_t i = 0; i < used; ++i) services::ServiceStateText(entries[i].status.state);
  return 0;
}
