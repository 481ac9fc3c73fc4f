// The fake system's startup entries: Run values, Startup folders and
// StartupApproved values from the script; writes go to the scripted values and
// are recorded, refused on demand as the registry would refuse them.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/startup_api.h"

namespace platform::fake {

struct FakeApprovedWrite {
  StartupPlace place;
  std::wstring name;
  std::vector<std::uint8_t> data;
};

class FakeStartup : public StartupApi {
 public:
  // --- scripting, by place (StartupPlace as index) ---
  bool keepsApprovedValues = true;  // false: Windows 7
  std::array<std::vector<RunValue>, kStartupPlaceCount> runValues;
  // Empty for the Run places; a folder's files are in folderFiles.
  std::array<std::wstring, kStartupPlaceCount> folders = {
      L"", L"", L"", L"C:\\Users\\alice\\Start Menu\\Programs\\Startup",
      L"C:\\ProgramData\\Start Menu\\Programs\\StartUp"};
  std::map<std::wstring, std::vector<FolderEntry>> folderFiles;  // by folder
  std::array<std::vector<ApprovedValue>, kStartupPlaceCount> approved;
  // Places whose StartupApproved key refuses writes with access denied.
  std::array<bool, kStartupPlaceCount> writeDenied{};
  std::uint64_t fileTimeNow = 0x01D9000012345678;

  // --- record ---
  std::vector<FakeApprovedWrite> writes;
  std::vector<std::wstring> foldersRead;

  RunValue& AddRunValue(StartupPlace place, std::wstring name, std::wstring command);
  FolderEntry& AddShortcut(StartupPlace place, std::wstring fileName, std::wstring target,
                           std::wstring arguments = {});

  // --- StartupApi ---
  bool KeepsApprovedValues() override { return keepsApprovedValues; }
  void ReadRunValues(StartupPlace place, std::vector<RunValue>& out) override;
  std::wstring StartupFolder(StartupPlace place) override;
  void ReadFolder(const std::wstring& folder, std::vector<FolderEntry>& out) override;
  void ReadApproved(StartupPlace place, std::vector<ApprovedValue>& out) override;
  ApprovedWrite WriteApproved(StartupPlace place, const std::wstring& name,
                              const std::vector<std::uint8_t>& data) override;
  std::uint64_t FileTimeNow() override { return fileTimeNow; }
  std::wstring ExplorerPath() override { return L"C:\\Windows\\explorer.exe"; }
};

}  // namespace platform::fake
