// The fake system's processes: a scripted list that the process-list query is
// written from byte for byte, processes that open, refuse or vanish, paths,
// users, priorities and affinities read from the script, ends recorded instead
// of made, and the image-name-by-identifier query with the drive devices.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/native_api.h"
#include "platform/process_api.h"

namespace platform::fake {

struct FakeProcess {
  std::uint32_t pid = 0;
  std::uint32_t parentPid = 0;
  std::wstring name;
  std::int64_t createTime = 0;
  std::int64_t kernelTime = 0;  // 100 ns units
  std::int64_t userTime = 0;
  std::uint32_t threads = 1;
  std::uint32_t suspendedThreads = 0;  // the first of `threads` wait as suspended
  // The last of `threads` wait in a read that a suspension does not interrupt:
  // they never reach the suspended wait.
  std::uint32_t blockedThreads = 0;
  bool blankThreadStates = false;  // every thread record without a state, as Wine writes them
  std::uint32_t handles = 10;
  std::uint32_t sessionId = 1;
  std::uint64_t workingSet = 4 << 20;
  std::uint64_t peakWorkingSet = 0;  // written as at least the working set
  std::uint64_t virtualSize = 64 << 20;
  std::uint64_t pagedPool = 0, nonPagedPool = 0;
  std::uint64_t privateBytes = 2 << 20;  // written as the commit charge
  std::uint32_t pageFaults = 0;
  std::int32_t basePriority = 8;
  std::uint64_t readOperations = 0, writeOperations = 0, otherOperations = 0;
  std::uint64_t readBytes = 0, writeBytes = 0, otherBytes = 0;
  std::uint32_t userObjects = 0, gdiObjects = 0;
  bool refuseGuiObjects = false;
  std::uint64_t affinity = 0;  // 0: every processor
  std::wstring imagePath;    // empty: the image path cannot be read
  std::wstring tokenUser;    // empty: the token cannot be read
  std::wstring sessionUser;  // empty: the session route fails
  std::uint32_t priorityClass = kNormalPriority;
  bool refuseLimited = false;     // even the limited query right is refused (and so an end)
  bool refuseTerminate = false;
  bool refuseSetInformation = false;  // also refuses a new affinity
  bool refuseSuspendResume = false;
  std::wstring commandLine;  // empty: it cannot be read
  bool wow64 = false;        // a 32-bit process
  bool critical = false;     // the system stops when it stops
  bool vanishesOnOpen = false;    // ends between the snapshot and the first open

  // --- the image name by identifier (no handle needed) ---
  std::wstring ntImagePath;  // "\Device\HarddiskVolume3\…"; empty: that query fails too
};

class FakeProcesses : public ProcessApi {
 public:
  // --- scripting ---
  // A process started now (by the clock of the system it lives in), with the
  // image path "C:\Programs\<name>" and the user "tester".
  FakeProcess& AddProcess(std::uint32_t pid, const std::wstring& name);
  void RemoveProcess(std::uint32_t pid);
  FakeProcess* Find(std::uint32_t pid);
  std::deque<FakeProcess>& Processes() { return processes_; }

  // Writes the process list in the system's layout; returns the bytes it needs
  // (nothing is written when that is more than `size`).
  std::uint32_t WriteSnapshot(std::byte* buffer, std::uint32_t size) const;
  // Replaces the process-list answer when set.
  std::function<NtStatus(void*, std::uint32_t, std::uint32_t*)> processQueryOverride;

  std::wstring currentUser = L"tester";  // empty: it cannot be learned
  // Version texts by image path; a file not listed has none.
  std::unordered_map<std::wstring, FileVersionTexts> versionTexts;
  std::vector<DriveDevice> driveDevices;
  std::wstring remoteDrives;  // the letters of network drives

  // --- record ---
  std::vector<std::wstring> privilegesEnabled;
  std::vector<std::uint32_t> terminated;
  int snapshotQueries = 0;
  int opens = 0;
  int guiQueries = 0;
  int driveDeviceReads = 0;
  int driveTypeQueries = 0;
  int imageNameQueries = 0;
  int versionReads = 0;

  // --- the native query's process classes ---
  NtStatus AnswerProcessList(void* buffer, std::uint32_t length, std::uint32_t* returnLength);
  // As the system answers: the record must be exactly the size of its kind, and
  // a buffer too small gets the bytes needed (with the terminator) in MaximumLength.
  NtStatus AnswerImageNameQuery(void* buffer, std::uint32_t length);

  // --- from the system the processes live in ---
  virtual std::int64_t StartTimeMs() = 0;             // when a process added now starts
  virtual std::uint64_t SystemAffinity() const = 0;   // one bit per processor

  // --- ProcessApi ---
  std::unique_ptr<OpenedProcess> Open(std::uint32_t pid, ProcessAccess access,
                                      OpenError* error = nullptr) override;
  std::optional<std::wstring> UserNameBySessionSid(std::uint32_t pid,
                                                   std::int64_t createTime) override;
  bool EnablePrivilege(const std::wstring& name) override;
  std::optional<GuiObjectCounts> GuiObjects(std::uint32_t pid) override;
  std::optional<std::wstring> CurrentUserName() override;
  void DriveDevices(std::vector<DriveDevice>& out) override;
  bool IsRemoteDrive(wchar_t letter) override;
  FileVersionTexts VersionTexts(const std::wstring& path) override;

 private:
  std::deque<FakeProcess> processes_;
  // Where each process stands, made again after processes come or go.
  std::unordered_map<std::uint32_t, std::size_t> index_;
  bool indexStale_ = true;
};

}  // namespace platform::fake
