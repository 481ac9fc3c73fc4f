// What starts at sign-in: the Run keys of the user and of the machine (both
// registry views), the two Startup folders with their shortcuts, and the
// StartupApproved values through which the shell knows an entry is disabled.
// Reading needs no rights; the StartupApproved values are the only thing written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The five places an entry comes from, in the order the page lists them. Each
// has its own StartupApproved key: ...\Explorer\StartupApproved\Run (HKCU or
// HKLM), \Run32 (HKLM) or \StartupFolder (HKCU or HKLM).
enum class StartupPlace : std::uint8_t {
  kUserRun,       // HKCU\Software\Microsoft\Windows\CurrentVersion\Run
  kMachineRun,    // the same key under HKLM, 64-bit view
  kMachineRun32,  // the same key under HKLM, 32-bit view
  kUserFolder,    // FOLDERID_Startup
  kCommonFolder,  // FOLDERID_CommonStartup
};
inline constexpr std::size_t kStartupPlaceCount = 5;

inline bool IsFolderPlace(StartupPlace place) {
  return place == StartupPlace::kUserFolder || place == StartupPlace::kCommonFolder;
}
// Only an administrator may change these.
inline bool IsMachinePlace(StartupPlace place) {
  return place != StartupPlace::kUserRun && place != StartupPlace::kUserFolder;
}

// A string value of a Run key.
struct RunValue {
  std::wstring name;
  std::wstring command;  // REG_EXPAND_SZ already expanded
  bool operator==(const RunValue&) const = default;
};

// A file in a Startup folder.
struct FolderEntry {
  std::wstring fileName;   // with its extension: the StartupApproved value's name
  std::wstring path;       // the file's full path
  std::wstring target;     // a shortcut's target (empty when it names no file); else `path`
  std::wstring arguments;  // a shortcut's arguments
};

// One value of a StartupApproved key, whatever its type.
struct ApprovedValue {
  std::wstring name;
  std::uint32_t type = 0;  // REG_BINARY is 3
  std::vector<std::uint8_t> data;
};

enum class ApprovedWriteError { kNone, kAccessDenied, kOther };

struct ApprovedWrite {
  ApprovedWriteError error = ApprovedWriteError::kNone;
  std::wstring errorText;  // the system's words, when not done
};

class StartupApi {
 public:
  virtual ~StartupApi() = default;
  // Whether the system keeps StartupApproved values (Windows 8 and later). A
  // system that does may still lack the keys until an entry is first disabled.
  virtual bool KeepsApprovedValues() = 0;
  // Replaces `out` with the string values of a Run place; none when the key is
  // missing or cannot be read.
  virtual void ReadRunValues(StartupPlace place, std::vector<RunValue>& out) = 0;
  // The folder of a folder place; empty when the system names none.
  virtual std::wstring StartupFolder(StartupPlace place) = 0;
  // Replaces `out` with the files of `folder` (not its subfolders, not desktop.ini).
  virtual void ReadFolder(const std::wstring& folder, std::vector<FolderEntry>& out) = 0;
  // Replaces `out` with the values of the place's StartupApproved key; none when
  // the key is missing.
  virtual void ReadApproved(StartupPlace place, std::vector<ApprovedValue>& out) = 0;
  // Writes `data` as a REG_BINARY value of the place's StartupApproved key,
  // making the key when it is missing.
  virtual ApprovedWrite WriteApproved(StartupPlace place, const std::wstring& name,
                                      const std::vector<std::uint8_t>& data) = 0;
  // The current time as a FILETIME (100 ns since 1601, UTC).
  virtual std::uint64_t FileTimeNow() = 0;
  // The full path of Explorer, in the Windows folder.
  virtual std::wstring ExplorerPath() = 0;
};

}  // namespace platform
