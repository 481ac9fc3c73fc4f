// Walks over the system's adapter lists (IP_ADAPTER_ADDRESSES and the older
// IP_ADAPTER_INFO chains), which tie an interface's description to the adapter's
// name and, in the newer list, to the name the user knows the connection by.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "net/interface_table.h"  // AnsiDecoder

namespace net {

struct AdapterRecord {
  std::wstring adapterName;   // the system's identifier string of the adapter
  std::wstring description;
  std::wstring friendlyName;  // empty in the older list
};

// The chains start at buffer[0]. An address field names the byte at
// (address - base) of the buffer: the system writes real addresses, so `base` is
// the buffer's own address there. A link or string outside the filled part ends
// the walk or the string; a chain that would visit more records than fit is cut.
// `out` is resized to the records found.
void WalkAdaptersAddresses(const std::byte* buffer, std::size_t filled, std::uint64_t base,
                           const AnsiDecoder& decode, std::vector<AdapterRecord>& out);
void WalkAdaptersInfo(const std::byte* buffer, std::size_t filled, std::uint64_t base,
                      const AnsiDecoder& decode, std::vector<AdapterRecord>& out);

// The first record whose description, with blanks and control characters cut
// from both ends, equals `description` exactly; null when none does.
const AdapterRecord* FindAdapterByDescription(const std::vector<AdapterRecord>& records,
                                              const std::wstring& description);

}  // namespace net
