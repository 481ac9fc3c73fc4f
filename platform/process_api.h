// Per-process queries and control: opening a process, reading its path, user,
// priority class and processor affinity, ending it, its window-system object
// counts, and the program's own user and privileges.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Priority classes as the system numbers them.
enum PriorityClass : std::uint32_t {
  kRealtimePriority = 0x100,
  kHighPriority = 0x80,
  kAboveNormalPriority = 0x8000,
  kNormalPriority = 0x20,
  kBelowNormalPriority = 0x4000,
  kIdlePriority = 0x40,
};

enum class ProcessAccess {
  kQueryLimited,  // the limited query right that elevated and protected processes still grant
  kTerminate,  // with the limited query right, to tell which process holds the identifier
  kSetInformation,
  kSuspendResume,
};

enum class OpenError { kNone, kAccessDenied, kNotFound, kOther };

// One bit per processor.
struct AffinityMasks {
  std::uint64_t process = 0;  // the processors the process may run on
  std::uint64_t system = 0;   // the processors there are
};

// Objects a process holds in the window system.
struct GuiObjectCounts {
  std::uint32_t user = 0;
  std::uint32_t gdi = 0;
};

// A drive letter and the NT device it currently stands for: "C:" and
// "\Device\HarddiskVolume3".
struct DriveDevice {
  std::wstring drive;
  std::wstring device;
};

// An open process; the handle is closed when the object goes.
class OpenedProcess {
 public:
  virtual ~OpenedProcess() = default;
  // Win32 path of the image; works with the limited query right.
  virtual std::optional<std::wstring> ImagePath() = 0;
  // Account name (without domain) of the process token's user.
  virtual std::optional<std::wstring> TokenUserName() = 0;
  // 0 when the class cannot be read.
  virtual std::uint32_t GetPriorityClass() = 0;
  virtual bool SetPriorityClass(std::uint32_t priorityClass) = 0;
  virtual bool Terminate(std::uint32_t exitCode) = 0;
  // When the process was created, in 100 ns units since 1601 as the process
  // snapshot gives it: an identifier and this time name one process for good.
  // Empty when it cannot be read.
  virtual std::optional<std::int64_t> CreationTime() = 0;
  // Whether the process has already exited (its identifier is still held by a
  // handle, this one among them); works with the limited query right.
  virtual bool Exited() = 0;
  // Empty when it cannot be read.
  virtual std::optional<AffinityMasks> GetAffinity() = 0;
  // Needs ProcessAccess::kSetInformation.
  virtual bool SetAffinity(std::uint64_t processMask) = 0;
  // Every thread of the process stopped or let go again; needs
  // ProcessAccess::kSuspendResume. False when refused or unavailable.
  virtual bool Suspend() = 0;
  virtual bool Resume() = 0;
  // The command line the process was started with; works with the limited
  // query right. Empty when it cannot be read.
  virtual std::optional<std::wstring> CommandLine() = 0;
  // Whether a 32-bit process runs on the 64-bit system; empty when unknown.
  virtual std::optional<bool> IsWow64() = 0;
  // Whether the system stops when the process stops (sign-in, drawing); works
  // with the limited query right. Empty when unknown (before Windows 8.1).
  virtual std::optional<bool> IsCritical() = 0;
};

// Texts of an image file's version resource, each from the first string table
// that has it (platform/layouts/version_translations.h); empty when none has.
struct FileVersionTexts {
  std::wstring description;  // FileDescription
  std::wstring company;      // CompanyName
};

class ProcessApi {
 public:
  virtual ~ProcessApi() = default;
  // Null when the process is gone or refuses the access; `error` says which.
  virtual std::unique_ptr<OpenedProcess> Open(std::uint32_t pid, ProcessAccess access,
                                              OpenError* error = nullptr) = 0;
  // The user of a process through its session SID, without opening it.
  // Empty when that route is missing or fails.
  virtual std::optional<std::wstring> UserNameBySessionSid(std::uint32_t pid,
                                                           std::int64_t createTime) = 0;
  // Enables one privilege in the program's own token; true when it was granted.
  virtual bool EnablePrivilege(const std::wstring& name) = 0;
  // USER and GDI objects of a process; empty when it cannot be asked.
  virtual std::optional<GuiObjectCounts> GuiObjects(std::uint32_t pid) = 0;
  // Account name (without domain) of the user this program runs as.
  virtual std::optional<std::wstring> CurrentUserName() = 0;
  // The version texts of the file at `path` (a Win32 path).
  virtual FileVersionTexts VersionTexts(const std::wstring& path) = 0;
  // Every drive letter with its device; empty when none can be read.
  virtual void DriveDevices(std::vector<DriveDevice>& out) = 0;
  // Whether drive `letter` ('A' to 'Z') is a network drive. The system answers
  // from its own drive list, without reaching the share.
  virtual bool IsRemoteDrive(wchar_t letter) = 0;
};

}  // namespace platform
