// The real network calls behind AdapterApi and ConnectionApi: the IP helper
// tables (every entry point bound by name from iphlpapi.dll in the system
// folder), the registry read of connection names, and the ANSI code page.
#pragma once
#include <windows.h>

#include "platform/adapter_api.h"
#include "platform/connection_api.h"

namespace platform::win32 {

class Win32AdapterApi : public AdapterApi {
 public:
  Win32AdapterApi();
  std::uint32_t GetIfTable2(void* buffer, std::uint32_t* size) override;
  std::uint32_t GetIfTable(void* buffer, std::uint32_t* size) override;
  std::uint32_t GetAdaptersAddresses(void* buffer, std::uint32_t* size) override;
  std::uint32_t GetAdaptersInfo(void* buffer, std::uint32_t* size) override;
  std::wstring ReadMachineString(const std::wstring& keyPath,
                                 const std::wstring& valueName) override;
  std::wstring AnsiText(std::string_view bytes) override;

 private:
  using GetIfTable2Fn = DWORD(WINAPI*)(void**);
  using FreeMibTableFn = void(WINAPI*)(void*);
  using GetIfTableFn = DWORD(WINAPI*)(void*, ULONG*, BOOL);
  using GetAdaptersAddressesFn = ULONG(WINAPI*)(ULONG, ULONG, void*, void*, ULONG*);
  using GetAdaptersInfoFn = ULONG(WINAPI*)(void*, ULONG*);
  GetIfTable2Fn getIfTable2_ = nullptr;
  FreeMibTableFn freeMibTable_ = nullptr;
  GetIfTableFn getIfTable_ = nullptr;
  GetAdaptersAddressesFn getAdaptersAddresses_ = nullptr;
  GetAdaptersInfoFn getAdaptersInfo_ = nullptr;
};

class Win32ConnectionApi : public ConnectionApi {
 public:
  Win32ConnectionApi();
  ConnectionEntryPoints EntryPoints() override;
  std::uint32_t GetExtendedTcpTable(void* buffer, std::uint32_t* size,
                                    std::uint32_t family) override;
  std::uint32_t GetExtendedUdpTable(void* buffer, std::uint32_t* size,
                                    std::uint32_t family) override;
  std::uint32_t TcpExTableFromStack(void* buffer, std::uint32_t* size) override;
  std::uint32_t UdpExTableFromStack(void* buffer, std::uint32_t* size) override;
  std::uint32_t GetTcpTable(void* buffer, std::uint32_t* size) override;
  std::uint32_t GetUdpTable(void* buffer, std::uint32_t* size) override;

 private:
  using ExtendedTableFn = DWORD(WINAPI*)(void*, DWORD*, BOOL, ULONG, int, ULONG);
  using StackTableFn = DWORD(WINAPI*)(void**, BOOL, HANDLE, DWORD, DWORD);
  using TableFn = ULONG(WINAPI*)(void*, ULONG*, BOOL);  // GetTcpTable, GetUdpTable
  std::uint32_t FromStack(StackTableFn call, std::size_t rowSize, void* buffer,
                          std::uint32_t* size);
  ExtendedTableFn extendedTcp_ = nullptr;
  ExtendedTableFn extendedUdp_ = nullptr;
  StackTableFn stackTcp_ = nullptr;
  StackTableFn stackUdp_ = nullptr;
  TableFn getTcpTable_ = nullptr;
  TableFn getUdpTable_ = nullptr;
};

}  // namespace platform::win32
