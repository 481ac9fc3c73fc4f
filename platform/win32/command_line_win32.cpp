// The command line by NtQueryInformationProcess (class 60), taken by name; where
// the class is missing, the process parameters' counted string, read with
// ReadProcessMemory through the 64-bit or (under WOW64) the 32-bit PEB.
#include "platform/win32/command_line_win32.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/layouts/command_line_information.h"
#include "platform/win32/handle_win32.h"

namespace platform::win32 {
namespace {

namespace layout = command_line_layout;
using QueryFn = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

QueryFn QueryFunction() {
  static const QueryFn query = [] {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll == nullptr ? nullptr
                            : reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
                                  GetProcAddress(ntdll, "NtQueryInformationProcess")));
  }();
  return query;
}

// A counted string holds at most 65535 bytes.
constexpr std::size_t kLongest = 65536;

std::optional<std::wstring> ByInformationClass(QueryFn query, HANDLE process) {
  std::vector<std::byte> buffer(1024);
  for (int attempt = 0; attempt < 2; ++attempt) {
    ULONG returned = 0;
    const LONG status = query(process, layout::kProcessCommandLineInformation, buffer.data(),
                              static_cast<ULONG>(buffer.size()), &returned);
    if (status >= 0) return layout::DecodeCommandLine(buffer.data(), buffer.size());
    if (returned <= buffer.size() || returned > layout::kHeaderSize + kLongest)
      return std::nullopt;
    buffer.resize(returned);
  }
  return std::nullopt;
}

template <typename T>
bool ReadAt(HANDLE process, std::uint64_t address, T& value) {
  SIZE_T read = 0;
  return address != 0 &&
         ReadProcessMemory(process, reinterpret_cast<LPCVOID>(static_cast<std::uintptr_t>(address)),
                           &value, sizeof value, &read) &&
         read == sizeof value;
}

std::optional<std::wstring> ReadString(HANDLE process, std::uint64_t address,
                                       std::uint16_t length) {
  std::wstring text(length / 2, L'\0');
  SIZE_T read = 0;
  if (text.empty()) return text;
  if (address == 0 ||
      !ReadProcessMemory(process, reinterpret_cast<LPCVOID>(static_cast<std::uintptr_t>(address)),
                         text.data(), text.size() * 2, &read) ||
      read != text.size() * 2)
    return std::nullopt;
  return text;
}

std::optional<std::wstring> ByParameters(QueryFn query, HANDLE limited) {
  UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE,
                                   GetProcessId(limited)));
  if (!process) return std::nullopt;
  // A 32-bit process under WOW64 keeps its own 32-bit block.
  ULONG_PTR peb32 = 0;
  if (query(process.Get(), layout::kProcessWow64Information, &peb32, sizeof peb32, nullptr) >= 0 &&
      peb32 != 0) {
    std::uint32_t parameters = 0;
    std::uint16_t length = 0;
    std::uint32_t chars = 0;
    if (!ReadAt(process.Get(), peb32 + layout::kPeb32Parameters, parameters) ||
        !ReadAt(process.Get(), std::uint64_t{parameters} + layout::kParameters32CommandLine, length) ||
        !ReadAt(process.Get(), std::uint64_t{parameters} + layout::kParameters32CommandLine + 4, chars))
      return std::nullopt;
    return ReadString(process.Get(), chars, length);
  }
  std::byte basic[layout::kBasicInformationSize] = {};
  if (query(process.Get(), layout::kProcessBasicInformation, basic, sizeof basic, nullptr) < 0)
    return std::nullopt;
  std::uint64_t peb = 0, parameters = 0, chars = 0;
  std::uint16_t length = 0;
  std::memcpy(&peb, basic + layout::kBasicPebAddress, sizeof peb);
  if (!ReadAt(process.Get(), peb + layout::kPebParameters, parameters) ||
      !ReadAt(process.Get(), parameters + layout::kParametersCommandLine, length) ||
      !ReadAt(process.Get(), parameters + layout::kParametersCommandLine + layout::kBuffer, chars))
    return std::nullopt;
  return ReadString(process.Get(), chars, length);
}

}  // namespace

std::optional<std::wstring> ProcessCommandLine(HANDLE process) {
  const QueryFn query = QueryFunction();
  if (query == nullptr) return std::nullopt;
  if (auto text = ByInformationClass(query, process)) return text;
  return ByParameters(query, process);
}

}  // namespace platform::win32
