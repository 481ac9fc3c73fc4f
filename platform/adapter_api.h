// The system's network interfaces as raw tables: the interface table (the 64-bit
// variant where the system has it), the adapter lists that tie an interface to
// its adapter name, and the read-only registry read of connection names.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Results of the IP helper calls, as the system numbers them.
inline constexpr std::uint32_t kNoError = 0;
inline constexpr std::uint32_t kErrorNotSupported = 50;       // the entry point is missing
inline constexpr std::uint32_t kErrorBufferOverflow = 111;    // adapter lists: too small
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;
inline constexpr std::uint32_t kErrorNoData = 232;

class AdapterApi {
 public:
  virtual ~AdapterApi() = default;
  // The interface table in the system's layout: MIB_IF_TABLE2 (GetIfTable2) or
  // MIB_IFTABLE (GetIfTable, unsorted). Each fills at most *size bytes; a table
  // that does not fit gives kErrorInsufficientBuffer and the size needed in *size.
  virtual std::uint32_t GetIfTable2(void* buffer, std::uint32_t* size) = 0;
  virtual std::uint32_t GetIfTable(void* buffer, std::uint32_t* size) = 0;
  // The adapter lists: chains of IP_ADAPTER_ADDRESSES or IP_ADAPTER_INFO whose
  // links and strings point into `buffer`. Too small: kErrorBufferOverflow and
  // the size needed in *size.
  virtual std::uint32_t GetAdaptersAddresses(void* buffer, std::uint32_t* size) = 0;
  virtual std::uint32_t GetAdaptersInfo(void* buffer, std::uint32_t* size) = 0;
  // A string value under HKEY_LOCAL_MACHINE, its key opened for reading only;
  // empty when the key or the value is missing or unreadable.
  virtual std::wstring ReadMachineString(const std::wstring& keyPath,
                                         const std::wstring& valueName) = 0;
  // Bytes in the system's ANSI code page as text.
  virtual std::wstring AnsiText(std::string_view bytes) = 0;
};

}  // namespace platform
