// The fake startup entries: reads from the script, writes into it.
#include "platform/fake/fake_startup.h"

namespace platform::fake {

namespace {
std::size_t IndexOf(StartupPlace place) { return static_cast<std::size_t>(place); }
}  // namespace

RunValue& FakeStartup::AddRunValue(StartupPlace place, std::wstring name, std::wstring command) {
  auto& values = runValues[IndexOf(place)];
  values.push_back({std::move(name), std::move(command)});
  return values.back();
}

FolderEntry& FakeStartup::AddShortcut(StartupPlace place, std::wstring fileName,
                                      std::wstring target, std::wstring arguments) {
  const std::wstring& folder = folders[IndexOf(place)];
  auto& files = folderFiles[folder];
  files.push_back({fileName, folder + L"\\" + fileName, std::move(target), std::move(arguments)});
  return files.back();
}

void FakeStartup::ReadRunValues(StartupPlace place, std::vector<RunValue>& out) {
  out = runValues[IndexOf(place)];
}

std::wstring FakeStartup::StartupFolder(StartupPlace place) { return folders[IndexOf(place)]; }

void FakeStartup::ReadFolder(const std::wstring& folder, std::vector<FolderEntry>& out) {
  foldersRead.push_back(folder);
  const auto found = folderFiles.find(folder);
  out = found == folderFiles.end() ? std::vector<FolderEntry>{} : found->second;
}

void FakeStartup::ReadApproved(StartupPlace place, std::vector<ApprovedValue>& out) {
  out = approved[IndexOf(place)];
}

ApprovedWrite FakeStartup::WriteApproved(StartupPlace place, const std::wstring& name,
                                         const std::vector<std::uint8_t>& data) {
  if (writeDenied[IndexOf(place)])
    return {ApprovedWriteError::kAccessDenied, L"拒绝访问。"};
  writes.push_back({place, name, data});
  auto& values = approved[IndexOf(place)];
  for (ApprovedValue& value : values) {
    if (value.name != name) continue;
    value.type = 3;
    value.data = data;
    return {};
  }
  values.push_back({name, 3, data});
  return {};
}

}  // namespace platform::fake
