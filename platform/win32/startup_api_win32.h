// The startup entries on the real system: the registry through advapi32, the
// known folders and shortcuts through shell32 and ole32 (the thread must be in a
// COM apartment), and the system's version through RtlGetVersion.
#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "platform/startup_api.h"

namespace platform::win32 {

class Win32StartupApi : public StartupApi {
 public:
  bool KeepsApprovedValues() override;
  void ReadRunValues(StartupPlace place, std::vector<RunValue>& out) override;
  std::wstring StartupFolder(StartupPlace place) override;
  void ReadFolder(const std::wstring& folder, std::vector<FolderEntry>& out) override;
  void ReadApproved(StartupPlace place, std::vector<ApprovedValue>& out) override;
  ApprovedWrite WriteApproved(StartupPlace place, const std::wstring& name,
                              const std::vector<std::uint8_t>& data) override;
  std::uint64_t FileTimeNow() override;
  std::wstring ExplorerPath() override;

 private:
  // Calls `take(name, type, data)` for each value of the key; false when the key
  // cannot be opened.
  template <class Take>
  bool ForEachValue(HKEY root, const wchar_t* path, REGSAM view, Take take);

  std::optional<bool> keepsApproved_;  // asked once: the version does not change
  std::vector<wchar_t> nameBuffer_;    // kept from read to read
  std::vector<BYTE> dataBuffer_;
};

}  // namespace platform::win32
