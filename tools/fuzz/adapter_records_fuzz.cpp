// Feeds arbitrary bytes to both adapter-list walks. Links and string addresses
// are read as offsets into the buffer (a base of 0), so that the fuzzer can aim
// them at every byte: loops, overlapping records and strings running off the
// end must all stay inside the buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "net/adapter_records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::byte> buffer(size);
  if (size > 0) std::memcpy(buffer.data(), data, size);
  const net::AnsiDecoder latin1 = [](std::string_view bytes) {
    return std::wstring(bytes.begin(), bytes.end());
  };
  std::vector<net::AdapterRecord> records;
  net::WalkAdaptersAddresses(buffer.data(), size, 0, latin1, records);
  net::FindAdapterByDescription(records, L"eth0");
  net::WalkAdaptersInfo(buffer.data(), size, 0, latin1, records);
  net::FindAdapterByDescription(records, L"eth0");
  // Real addresses as the system writes them must be judged the same way.
  const auto base = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(buffer.data()));
  net::WalkAdaptersAddresses(buffer.data(), size, base, latin1, records);
  return 0;
}
