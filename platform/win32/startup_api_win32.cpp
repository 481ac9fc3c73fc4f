// Run keys, StartupApproved values, Startup folders and their shortcuts.
#include "platform/win32/startup_api_win32.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <memory>

#include "platform/win32/owned_handles_win32.h"
#include "platform/win32/system_error_win32.h"

namespace platform::win32 {

namespace {

constexpr std::size_t kLongestValueName = 16383;  // characters
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kApprovedRun[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr wchar_t kApprovedRun32[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";
constexpr wchar_t kApprovedFolder[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";

struct KeyPlace {
  HKEY root;
  const wchar_t* path;
  REGSAM view;
};

KeyPlace RunKeyOf(StartupPlace place) {
  switch (place) {
    case StartupPlace::kMachineRun: return {HKEY_LOCAL_MACHINE, kRunKey, KEY_WOW64_64KEY};
    case StartupPlace::kMachineRun32: return {HKEY_LOCAL_MACHINE, kRunKey, KEY_WOW64_32KEY};
    default: return {HKEY_CURRENT_USER, kRunKey, 0};
  }
}

// The shell keeps the machine's values in the 64-bit view, the 32-bit entries' under Run32.
KeyPlace ApprovedKeyOf(StartupPlace place) {
  switch (place) {
    case StartupPlace::kUserRun: return {HKEY_CURRENT_USER, kApprovedRun, 0};
    case StartupPlace::kMachineRun: return {HKEY_LOCAL_MACHINE, kApprovedRun, KEY_WOW64_64KEY};
    case StartupPlace::kMachineRun32:
      return {HKEY_LOCAL_MACHINE, kApprovedRun32, KEY_WOW64_64KEY};
    case StartupPlace::kUserFolder: return {HKEY_CURRENT_USER, kApprovedFolder, 0};
    case StartupPlace::kCommonFolder:
      return {HKEY_LOCAL_MACHINE, kApprovedFolder, KEY_WOW64_64KEY};
  }
  return {HKEY_CURRENT_USER, kApprovedRun, 0};
}

// A registry string as the system reads it: up to its first null, whether or
// not the data carry one.
std::wstring StringOf(const BYTE* data, DWORD bytes) {
  std::wstring text(bytes / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), data, text.size() * sizeof(wchar_t));
  text.resize(std::wcslen(text.c_str()));
  return text;
}

std::wstring Expanded(const std::wstring& text) {
  const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::wstring expanded(needed, L'\0');
  const DWORD written = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed);
  if (written == 0 || written > needed) return text;
  expanded.resize(written - 1);
  return expanded;
}

bool EqualsNoCase(const wchar_t* a, const wchar_t* b) {
  for (; *a != L'\0' && *b != L'\0'; ++a, ++b)
    if (std::towlower(*a) != std::towlower(*b)) return false;
  return *a == *b;
}

bool IsShortcut(const std::wstring& fileName) {
  return fileName.size() > 4 && EqualsNoCase(fileName.c_str() + fileName.size() - 4, L".lnk");
}

struct FindCloser {
  void operator()(HANDLE find) const { FindClose(find); }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

struct ComReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class T>
using ComOwner = std::unique_ptr<T, ComReleaser>;

struct TaskMemFreer {
  void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

// A shortcut's target and arguments; both empty when it cannot be read.
void ReadShortcut(const std::wstring& path, FolderEntry& entry) {
  IShellLinkW* rawLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&rawLink))) ||
      rawLink == nullptr)
    return;
  ComOwner<IShellLinkW> link(rawLink);
  IPersistFile* rawFile = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile))) ||
      rawFile == nullptr)
    return;
  ComOwner<IPersistFile> file(rawFile);
  // Loading reads the shortcut only; nothing looks for its target.
  if (FAILED(file->Load(path.c_str(), STGM_READ))) return;
  wchar_t target[MAX_PATH] = {};
  // S_FALSE and an empty path: the shortcut names no file (a shell folder).
  if (link->GetPath(target, MAX_PATH, nullptr, 0) == S_OK) {
    target[MAX_PATH - 1] = L'\0';
    entry.target = target;
  }
  wchar_t arguments[INFOTIPSIZE] = {};
  if (SUCCEEDED(link->GetArguments(arguments, INFOTIPSIZE))) {
    arguments[INFOTIPSIZE - 1] = L'\0';
    entry.arguments = arguments;
  }
}

}  // namespace

bool Win32StartupApi::KeepsApprovedValues() {
  if (!keepsApproved_) {
    // RtlGetVersion tells the truth whatever the program's manifest declares.
    using GetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto getVersion =
        ntdll == nullptr ? nullptr
                         : reinterpret_cast<GetVersionFn>(
                               reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    // Windows 8 is 6.2; without an answer the newer system is the likelier one.
    keepsApproved_ = getVersion == nullptr || getVersion(&version) != 0 ||
                     version.dwMajorVersion > 6 ||
                     (version.dwMajorVersion == 6 && version.dwMinorVersion >= 2);
  }
  return *keepsApproved_;
}

template <class Take>
bool Win32StartupApi::ForEachValue(HKEY root, const wchar_t* path, REGSAM view, Take take) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) return false;
  UniqueKey key(opened);
  // Room for the longest name a value can have, so only the data can outgrow its buffer.
  nameBuffer_.resize(kLongestValueName + 1);
  if (dataBuffer_.empty()) dataBuffer_.resize(4096);
  int retries = 0;
  for (DWORD index = 0;;) {
    DWORD nameLength = static_cast<DWORD>(nameBuffer_.size());
    DWORD dataBytes = static_cast<DWORD>(dataBuffer_.size() - sizeof(wchar_t));
    DWORD type = 0;
    const LSTATUS status = RegEnumValueW(opened, index, nameBuffer_.data(), &nameLength, nullptr,
                                         &type, dataBuffer_.data(), &dataBytes);
    if (status == ERROR_MORE_DATA && ++retries <= 4) {
      // The same index again with room for the size the system asked for.
      dataBuffer_.resize(std::max<std::size_t>(dataBuffer_.size() * 2, dataBytes + 2u));
      continue;
    }
    retries = 0;
    if (status == ERROR_MORE_DATA) {  // still growing: this value is left out
      ++index;
      continue;
    }
    if (status != ERROR_SUCCESS) break;  // ERROR_NO_MORE_ITEMS at the end
    take(std::wstring(nameBuffer_.data(), std::min<std::size_t>(nameLength, kLongestValueName)),
         type, dataBuffer_.data(),
         std::min<std::size_t>(dataBytes, dataBuffer_.size() - sizeof(wchar_t)));
    ++index;
  }
  return true;
}

void Win32StartupApi::ReadRunValues(StartupPlace place, std::vector<RunValue>& out) {
  out.clear();
  const KeyPlace key = RunKeyOf(place);
  ForEachValue(key.root, key.path, key.view,
               [&out](std::wstring name, DWORD type, const BYTE* data, std::size_t bytes) {
                 // Only strings start anything; the default value is no entry.
                 if ((type != REG_SZ && type != REG_EXPAND_SZ) || name.empty()) return;
                 std::wstring command = StringOf(data, static_cast<DWORD>(bytes));
                 if (type == REG_EXPAND_SZ) command = Expanded(command);
                 out.push_back({std::move(name), std::move(command)});
               });
}

std::wstring Win32StartupApi::StartupFolder(StartupPlace place) {
  const KNOWNFOLDERID& id =
      place == StartupPlace::kCommonFolder ? FOLDERID_CommonStartup : FOLDERID_Startup;
  wchar_t* raw = nullptr;
  // Not verified: a folder redirected to a share would be looked for there.
  const HRESULT result = SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &raw);
  std::unique_ptr<wchar_t, TaskMemFreer> path(raw);
  if (FAILED(result) || raw == nullptr) return {};
  return raw;
}

void Win32StartupApi::ReadFolder(const std::wstring& folder, std::vector<FolderEntry>& out) {
  out.clear();
  if (folder.empty()) return;
  const std::wstring pattern = folder + L"\\*";
  WIN32_FIND_DATAW found{};
  UniqueFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, 0));
  if (find.get() == INVALID_HANDLE_VALUE) {
    find.release();
    return;
  }
  do {
    found.cFileName[MAX_PATH - 1] = L'\0';
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        EqualsNoCase(found.cFileName, L"desktop.ini"))
      continue;
    FolderEntry entry;
    entry.fileName = found.cFileName;
    entry.path = folder + L"\\" + entry.fileName;
    if (IsShortcut(entry.fileName)) {
      ReadShortcut(entry.path, entry);
    } else {
      entry.target = entry.path;  // any other file is started as it is
    }
    out.push_back(std::move(entry));
  } while (FindNextFileW(find.get(), &found));
}

void Win32StartupApi::ReadApproved(StartupPlace place, std::vector<ApprovedValue>& out) {
  out.clear();
  const KeyPlace key = ApprovedKeyOf(place);
  ForEachValue(key.root, key.path, key.view,
               [&out](std::wstring name, DWORD type, const BYTE* data, std::size_t bytes) {
                 out.push_back(
                     {std::move(name), type, std::vector<std::uint8_t>(data, data + bytes)});
               });
}

ApprovedWrite Win32StartupApi::WriteApproved(StartupPlace place, const std::wstring& name,
                                             const std::vector<std::uint8_t>& data) {
  const KeyPlace where = ApprovedKeyOf(place);
  HKEY created = nullptr;
  // A system that has never had an entry disabled may not have the key yet.
  LSTATUS status = RegCreateKeyExW(where.root, where.path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE | where.view, nullptr, &created, nullptr);
  UniqueKey key(created);
  if (status == ERROR_SUCCESS) {
    status = RegSetValueExW(created, name.c_str(), 0, REG_BINARY, data.data(),
                            static_cast<DWORD>(data.size()));
  }
  if (status == ERROR_SUCCESS) return {};
  const auto code = static_cast<DWORD>(status);
  return {code == ERROR_ACCESS_DENIED ? ApprovedWriteError::kAccessDenied
                                      : ApprovedWriteError::kOther,
          SystemErrorText(code)};
}

std::uint64_t Win32StartupApi::FileTimeNow() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
}

std::wstring Win32StartupApi::ExplorerPath() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return L"explorer.exe";
  return std::wstring(folder, length) + L"\\explorer.exe";
}

}  // namespace platform::win32
