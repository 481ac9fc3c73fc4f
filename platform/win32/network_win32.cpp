// IP helper tables, copied into the caller's buffer where the system allocates
// them itself, and the read-only registry look-up of connection names.
#include "platform/win32/network_win32.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/win32/owned_handles_win32.h"
#include "platform/win32/system_library_win32.h"

namespace platform::win32 {
namespace {

HMODULE IpHelper() {
  // Loaded once from the system folder and kept for the life of the program;
  // every call is bound by name, so a missing one only leaves its table empty.
  static const UniqueLibrary library = LoadSystemLibrary(L"iphlpapi.dll");
  return library.get();
}

template <typename Fn>
Fn Bind(const char* name) {
  return BindFunction<Fn>(IpHelper(), name);
}

// Hands a table the system allocated to the caller's buffer, or asks for room.
std::uint32_t CopyOut(const void* table, std::size_t bytes, void* buffer, std::uint32_t* size) {
  if (buffer == nullptr || *size < bytes) {
    *size = static_cast<std::uint32_t>(bytes);
    return kErrorInsufficientBuffer;
  }
  std::memcpy(buffer, table, bytes);
  return kNoError;
}

struct HeapBlockFreer {
  void operator()(void* block) const { HeapFree(GetProcessHeap(), 0, block); }
};

}  // namespace

Win32AdapterApi::Win32AdapterApi()
    : getIfTable2_(Bind<GetIfTable2Fn>("GetIfTable2")),
      freeMibTable_(Bind<FreeMibTableFn>("FreeMibTable")),
      getIfTable_(Bind<GetIfTableFn>("GetIfTable")),
      getAdaptersAddresses_(Bind<GetAdaptersAddressesFn>("GetAdaptersAddresses")),
      getAdaptersInfo_(Bind<GetAdaptersInfoFn>("GetAdaptersInfo")) {
  if (freeMibTable_ == nullptr) getIfTable2_ = nullptr;  // a table we could not free
}

std::uint32_t Win32AdapterApi::GetIfTable2(void* buffer, std::uint32_t* size) {
  if (getIfTable2_ == nullptr) return kErrorNotSupported;
  void* raw = nullptr;
  const DWORD result = getIfTable2_(&raw);
  const FreeMibTableFn freeTable = freeMibTable_;
  const auto release = [freeTable](void* table) { freeTable(table); };
  std::unique_ptr<void, decltype(release)> table(raw, release);
  if (result != NO_ERROR) return result;
  if (raw == nullptr) return ERROR_NO_DATA;
  const auto* rows = static_cast<const MIB_IF_TABLE2*>(raw);
  const std::size_t bytes = offsetof(MIB_IF_TABLE2, Table) + rows->NumEntries * sizeof(MIB_IF_ROW2);
  return CopyOut(raw, bytes, buffer, size);
}

std::uint32_t Win32AdapterApi::GetIfTable(void* buffer, std::uint32_t* size) {
  if (getIfTable_ == nullptr) return kErrorNotSupported;
  ULONG length = *size;
  const DWORD result = getIfTable_(buffer, &length, FALSE);
  *size = length;
  return result;
}

std::uint32_t Win32AdapterApi::GetAdaptersAddresses(void* buffer, std::uint32_t* size) {
  if (getAdaptersAddresses_ == nullptr) return kErrorNotSupported;
  ULONG length = *size;
  const ULONG flags = GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                      GAA_FLAG_SKIP_DNS_SERVER;
  const ULONG result = getAdaptersAddresses_(AF_UNSPEC, flags, nullptr, buffer, &length);
  *size = length;
  return result;
}

std::uint32_t Win32AdapterApi::GetAdaptersInfo(void* buffer, std::uint32_t* size) {
  if (getAdaptersInfo_ == nullptr) return kErrorNotSupported;
  ULONG length = *size;
  const DWORD result = getAdaptersInfo_(buffer, &length);
  *size = length;
  return result;
}

std::wstring Win32AdapterApi::ReadMachineString(const std::wstring& keyPath,
                                                const std::wstring& valueName) {
  HKEY opened = nullptr;
  // Reading needs no more: a full-access open fails for users without rights.
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return {};
  UniqueKey key(opened);
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || bytes == 0) {
    return {};
  }
  std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t));
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS) {
    return {};
  }
  return std::wstring(text.data());  // up to the first NUL, stored or not
}

std::wstring Win32AdapterApi::AnsiText(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int chars = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (chars <= 0) return {};
  std::wstring text(static_cast<std::size_t>(chars), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), chars);
  return text;
}

Win32ConnectionApi::Win32ConnectionApi()
    : extendedTcp_(Bind<ExtendedTableFn>("GetExtendedTcpTable")),
      extendedUdp_(Bind<ExtendedTableFn>("GetExtendedUdpTable")),
      stackTcp_(Bind<StackTableFn>("AllocateAndGetTcpExTableFromStack")),
      stackUdp_(Bind<StackTableFn>("AllocateAndGetUdpExTableFromStack")),
      getTcpTable_(Bind<TableFn>("GetTcpTable")),
      getUdpTable_(Bind<TableFn>("GetUdpTable")) {}

ConnectionEntryPoints Win32ConnectionApi::EntryPoints() {
  return {extendedTcp_ != nullptr, extendedUdp_ != nullptr, stackTcp_ != nullptr,
          stackUdp_ != nullptr};
}

std::uint32_t Win32ConnectionApi::GetExtendedTcpTable(void* buffer, std::uint32_t* size,
                                                      std::uint32_t family) {
  if (extendedTcp_ == nullptr) return kErrorNotSupported;
  DWORD length = *size;
  const DWORD result = extendedTcp_(buffer, &length, TRUE, family, TCP_TABLE_OWNER_PID_ALL, 0);
  *size = length;
  return result;
}

std::uint32_t Win32ConnectionApi::GetExtendedUdpTable(void* buffer, std::uint32_t* size,
                                                      std::uint32_t family) {
  if (extendedUdp_ == nullptr) return kErrorNotSupported;
  DWORD length = *size;
  const DWORD result = extendedUdp_(buffer, &length, TRUE, family, UDP_TABLE_OWNER_PID, 0);
  *size = length;
  return result;
}

std::uint32_t Win32ConnectionApi::FromStack(StackTableFn call, std::size_t rowSize, void* buffer,
                                            std::uint32_t* size) {
  if (call == nullptr) return kErrorNotSupported;
  void* raw = nullptr;
  const DWORD result = call(&raw, TRUE, GetProcessHeap(), 2, AF_INET);
  std::unique_ptr<void, HeapBlockFreer> table(raw);
  if (result != NO_ERROR) return result;
  if (raw == nullptr) return ERROR_NO_DATA;
  DWORD count = 0;
  std::memcpy(&count, raw, sizeof count);
  return CopyOut(raw, sizeof(DWORD) + count * rowSize, buffer, size);
}

std::uint32_t Win32ConnectionApi::TcpExTableFromStack(void* buffer, std::uint32_t* size) {
  return FromStack(stackTcp_, 6 * sizeof(DWORD), buffer, size);
}

std::uint32_t Win32ConnectionApi::UdpExTableFromStack(void* buffer, std::uint32_t* size) {
  return FromStack(stackUdp_, 3 * sizeof(DWORD), buffer, size);
}

std::uint32_t Win32ConnectionApi::GetTcpTable(void* buffer, std::uint32_t* size) {
  if (getTcpTable_ == nullptr) return kErrorNotSupported;
  ULONG length = *size;
  const ULONG result = getTcpTable_(buffer, &length, FALSE);
  *size = length;
  return result;
}

std::uint32_t Win32ConnectionApi::GetUdpTable(void* buffer, std::uint32_t* size) {
  if (getUdpTable_ == nullptr) return kErrorNotSupported;
  ULONG length = *size;
  const ULONG result = getUdpTable_(buffer, &length, FALSE);
  *size = length;
  return result;
}

}  // namespace platform::win32
