// The executable path of a process, found the way a user without elevation can:
// the image path through the limited query right; where even that is refused,
// the NT image name the system gives for the bare identifier, turned into a drive
// path; only then "unknown". Answers are kept per process (identifier and
// creation time) and a failed look-up is tried once more after ten seconds, so
// the lists that ask at every tick or for every row cost nothing after that.
// It also tells which paths lie on the network, whose files are not read on
// this window's thread: a share that has gone keeps a reader waiting for a minute.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/clock.h"
#include "platform/native_api.h"
#include "platform/process_api.h"
#include "procs/process_snapshot.h"

namespace procs {

inline constexpr wchar_t kUnknownPath[] = L"unknown";
// How long a failed look-up waits for its one more try.
inline constexpr std::int64_t kPathRetryMs = 10'000;

// The drive path of an NT path: "\Device\HarddiskVolume3\x.exe" becomes "C:\x.exe"
// when `drives` maps C: to that device, and the network redirector's paths become
// UNC paths. Empty when no drive matches.
std::wstring DrivePathOf(std::wstring_view ntPath,
                         const std::vector<platform::DriveDevice>& drives);

// Where a Win32 path lies, as far as its text tells: on the network
// ("\\server\share\…", "\\?\UNC\…", or a device path that could be anything), on
// a drive letter ("C:\…", "\\?\C:\…", upper case in `drive`) whose type the system
// knows, or here (a volume path, a relative one, or none).
struct PathPlace {
  enum Kind { kLocal, kDrive, kNetwork } kind = kLocal;
  wchar_t drive = 0;
};
PathPlace PathPlaceOf(std::wstring_view path);

// The NT image name the system keeps for a process identifier; no handle needed.
std::optional<std::wstring> ImageNameById(platform::NativeApi& native, std::uint32_t pid);

class ProcessPathLookup {
 public:
  ProcessPathLookup(platform::ProcessApi& processes, platform::NativeApi& native,
                    platform::Clock& clock);

  // The path of the process `pid` that was created at `createTime`, or "unknown".
  const std::wstring& GetProcessPath(std::uint32_t pid, std::int64_t createTime);
  // For lists that know only the identifier: the process that holds it, as the
  // process collector last saw it.
  const std::wstring& GetProcessPath(std::uint32_t pid);
  // The creation time of the process whose path GetProcessPath gave for `pid`;
  // kUnknownCreateTime when it could not be learned.
  std::int64_t CreateTimeOf(std::uint32_t pid) const;
  // Forgets the processes that are not in this snapshot, and the drive types:
  // a drive letter may be mapped elsewhere by the next tick.
  void KeepOnly(const std::vector<SnapshotEntry>& live);
  // Forgets the answer for `pid`, found to be for a process that has ended.
  void Forget(std::uint32_t pid) { entries_.erase(pid); }
  // Whether reading the file at `path` could wait on the network. Each drive
  // letter's type is asked at most once between two KeepOnly calls.
  bool IsRemotePath(std::wstring_view path);

 private:
  struct Entry {
    std::int64_t createTime = 0;
    std::wstring path;
    bool found = false;
    bool retried = false;
    std::int64_t failedAtMs = 0;
    std::uint64_t seenIn = 0;  // the last KeepOnly that found it alive
  };

  const std::wstring& Answer(std::uint32_t pid, Entry& entry);
  void LookUp(std::uint32_t pid, Entry& entry);
  std::wstring FindPath(std::uint32_t pid, Entry& entry);
  std::wstring DrivePath(const std::wstring& ntPath);

  platform::ProcessApi& processes_;
  platform::NativeApi& native_;
  platform::Clock& clock_;
  std::unordered_map<std::uint32_t, Entry> entries_;
  // Read on the first NT name, and again when a name matches none of them.
  std::vector<platform::DriveDevice> drives_;
  bool drivesRead_ = false;
  enum class DriveKind : std::uint8_t { kUnasked, kLocal, kRemote };
  std::array<DriveKind, 26> driveKinds_{};  // 'A' to 'Z'
  std::uint64_t generation_ = 0;
};

}  // namespace procs
