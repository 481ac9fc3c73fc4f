// The fake processes' answers: the process list written byte for byte as the
// 64-bit system writes it, the image name by identifier, and opened processes
// that answer from their script.
#include "platform/fake/fake_processes.h"

#include <algorithm>
#include <cstring>

#include "platform/fake/fake_bytes.h"
#include "platform/layouts/process_entry.h"
#include "platform/layouts/system_information.h"

namespace platform::fake {
namespace {

std::size_t NameBytes(const FakeProcess& p) { return (p.name.size() * 2 + 7) & ~std::size_t{7}; }
std::size_t ThreadBytes(const FakeProcess& p) {
  return std::size_t{p.threads} * thread_entry_layout::kEntrySize;
}

class FakeOpenedProcess : public OpenedProcess {
 public:
  FakeOpenedProcess(FakeProcesses& processes, std::uint32_t pid, ProcessAccess access)
      : processes_(processes), pid_(pid), access_(access) {}

  std::optional<std::wstring> ImagePath() override {
    const FakeProcess* p = Live();
    if (!p || p->imagePath.empty()) return std::nullopt;
    return p->imagePath;
  }
  std::optional<std::wstring> TokenUserName() override {
    const FakeProcess* p = Live();
    if (!p || p->tokenUser.empty()) return std::nullopt;
    return p->tokenUser;
  }
  std::uint32_t GetPriorityClass() override {
    const FakeProcess* p = Live();
    return p ? p->priorityClass : 0;
  }
  bool SetPriorityClass(std::uint32_t priorityClass) override {
    FakeProcess* p = Live();
    if (!p || access_ != ProcessAccess::kSetInformation) return false;
    p->priorityClass = priorityClass;
    return true;
  }
  bool Terminate(std::uint32_t) override {
    if (!Live() || access_ != ProcessAccess::kTerminate) return false;
    processes_.terminated.push_back(pid_);
    processes_.RemoveProcess(pid_);
    return true;
  }
  std::optional<std::int64_t> CreationTime() override {
    const FakeProcess* p = Live();
    return p ? std::optional<std::int64_t>(p->createTime) : std::nullopt;
  }
  bool Exited() override { return Live() == nullptr; }
  std::optional<AffinityMasks> GetAffinity() override {
    const FakeProcess* p = Live();
    if (!p) return std::nullopt;
    const std::uint64_t all = processes_.SystemAffinity();
    return AffinityMasks{p->affinity == 0 ? all : p->affinity, all};
  }
  bool SetAffinity(std::uint64_t mask) override {
    FakeProcess* p = Live();
    if (!p || access_ != ProcessAccess::kSetInformation) return false;
    if (mask == 0 || (mask & ~processes_.SystemAffinity()) != 0) return false;
    p->affinity = mask;
    return true;
  }
  std::optional<std::wstring> CommandLine() override {
    const FakeProcess* p = Live();
    if (!p || p->commandLine.empty()) return std::nullopt;
    return p->commandLine;
  }
  std::optional<bool> IsWow64() override {
    const FakeProcess* p = Live();
    return p ? std::optional<bool>(p->wow64) : std::nullopt;
  }
  bool Suspend() override { return SetSuspended(true); }
  bool Resume() override { return SetSuspended(false); }
  std::optional<bool> IsCritical() override {
    const FakeProcess* p = Live();
    return p ? std::optional<bool>(p->critical) : std::nullopt;
  }

 private:
  FakeProcess* Live() { return processes_.Find(pid_); }
  bool SetSuspended(bool suspended) {
    FakeProcess* p = Live();
    if (!p || access_ != ProcessAccess::kSuspendResume) return false;
    p->suspendedThreads = suspended ? p->threads - std::min(p->blockedThreads, p->threads) : 0;
    return true;
  }
  FakeProcesses& processes_;
  std::uint32_t pid_;
  ProcessAccess access_;
};

}  // namespace

FileVersionTexts FakeProcesses::VersionTexts(const std::wstring& path) {
  ++versionReads;
  const auto found = versionTexts.find(path);
  return found == versionTexts.end() ? FileVersionTexts{} : found->second;
}

FakeProcess& FakeProcesses::AddProcess(std::uint32_t pid, const std::wstring& name) {
  FakeProcess p;
  p.pid = pid;
  p.name = name;
  p.createTime = StartTimeMs() * 10'000 + pid;
  p.imagePath = L"C:\\Programs\\" + name;
  p.tokenUser = L"tester";
  processes_.push_back(p);
  indexStale_ = true;
  return processes_.back();
}

void FakeProcesses::RemoveProcess(std::uint32_t pid) {
  std::erase_if(processes_, [pid](const FakeProcess& p) { return p.pid == pid; });
  indexStale_ = true;
}

FakeProcess* FakeProcesses::Find(std::uint32_t pid) {
  if (indexStale_) {
    index_.clear();
    for (std::size_t i = 0; i < processes_.size(); ++i) index_.emplace(processes_[i].pid, i);
    indexStale_ = false;
  }
  const auto found = index_.find(pid);
  if (found != index_.end() && processes_[found->second].pid == pid)
    return &processes_[found->second];
  // A test may have changed an identifier in place.
  for (FakeProcess& p : processes_)
    if (p.pid == pid) return &p;
  return nullptr;
}

std::uint32_t FakeProcesses::WriteSnapshot(std::byte* buffer, std::uint32_t size) const {
  using namespace process_entry_layout;
  std::size_t needed = 0;
  for (const FakeProcess& p : processes_) needed += kEntrySize + ThreadBytes(p) + NameBytes(p);
  if (needed == 0) needed = kEntrySize;  // the system always lists at least the idle entry
  if (needed > size) return static_cast<std::uint32_t>(needed);
  std::memset(buffer, 0, needed);
  std::size_t offset = 0;
  for (std::size_t i = 0; i < processes_.size(); ++i) {
    const FakeProcess& p = processes_[i];
    std::byte* e = buffer + offset;
    const std::size_t entrySize = kEntrySize + ThreadBytes(p) + NameBytes(p);
    const bool last = i + 1 == processes_.size();
    Put<std::uint32_t>(e, kNextEntryOffset, last ? 0 : static_cast<std::uint32_t>(entrySize));
    Put<std::uint32_t>(e, kNumberOfThreads, p.threads);
    Put<std::int64_t>(e, kCreateTime, p.createTime);
    Put<std::int64_t>(e, kUserTime, p.userTime);
    Put<std::int64_t>(e, kKernelTime, p.kernelTime);
    Put<std::uint16_t>(e, kImageNameLength, static_cast<std::uint16_t>(p.name.size() * 2));
    Put<std::uint16_t>(e, kImageNameLength + 2, static_cast<std::uint16_t>(NameBytes(p)));
    for (std::uint32_t t = 0; t < p.threads; ++t) {
      namespace thread = thread_entry_layout;
      std::byte* record = e + kEntrySize + t * thread::kEntrySize;
      if (p.blankThreadStates) continue;
      const bool suspended = t < p.suspendedThreads;
      const bool blocked = t + p.blockedThreads >= p.threads;
      constexpr std::uint32_t kWaitReasonUserRequest = 6;
      Put<std::uint32_t>(record, thread::kThreadState,
                         suspended || blocked ? thread::kStateWaiting : thread::kStateRunning);
      Put<std::uint32_t>(record, thread::kWaitReason,
                         suspended ? thread::kWaitReasonSuspended
                         : blocked ? kWaitReasonUserRequest
                                   : 0);
    }
    std::byte* name = e + kEntrySize + ThreadBytes(p);
    for (std::size_t c = 0; c < p.name.size(); ++c)
      Put<std::uint16_t>(name, 2 * c, static_cast<std::uint16_t>(p.name[c]));
    Put<std::uint64_t>(e, kImageNameBuffer,
                       p.name.empty() ? 0 : reinterpret_cast<std::uintptr_t>(name));
    Put<std::int32_t>(e, kBasePriority, p.basePriority);
    Put<std::uint64_t>(e, kUniqueProcessId, p.pid);
    Put<std::uint64_t>(e, kInheritedFromProcessId, p.parentPid);
    Put<std::uint32_t>(e, kHandleCount, p.handles);
    Put<std::uint32_t>(e, kSessionId, p.sessionId);
    Put<std::uint64_t>(e, kWorkingSetSize, p.workingSet);
    Put<std::uint64_t>(e, kPeakWorkingSetSize, std::max(p.peakWorkingSet, p.workingSet));
    Put<std::uint64_t>(e, kVirtualSize, p.virtualSize);
    Put<std::uint32_t>(e, kPageFaultCount, p.pageFaults);
    Put<std::uint64_t>(e, kQuotaPagedPoolUsage, p.pagedPool);
    Put<std::uint64_t>(e, kQuotaNonPagedPoolUsage, p.nonPagedPool);
    Put<std::uint64_t>(e, kPagefileUsage, p.privateBytes);
    Put<std::uint64_t>(e, kReadOperationCount, p.readOperations);
    Put<std::uint64_t>(e, kWriteOperationCount, p.writeOperations);
    Put<std::uint64_t>(e, kOtherOperationCount, p.otherOperations);
    Put<std::uint64_t>(e, kReadTransferCount, p.readBytes);
    Put<std::uint64_t>(e, kWriteTransferCount, p.writeBytes);
    Put<std::uint64_t>(e, kOtherTransferCount, p.otherBytes);
    offset += entrySize;
  }
  return static_cast<std::uint32_t>(needed);
}

NtStatus FakeProcesses::AnswerProcessList(void* buffer, std::uint32_t length,
                                          std::uint32_t* returnLength) {
  ++snapshotQueries;
  if (processQueryOverride) return processQueryOverride(buffer, length, returnLength);
  const std::uint32_t needed = WriteSnapshot(static_cast<std::byte*>(buffer), length);
  if (returnLength) *returnLength = needed;
  return needed > length ? kStatusInfoLengthMismatch : kStatusSuccess;
}

NtStatus FakeProcesses::AnswerImageNameQuery(void* buffer, std::uint32_t length) {
  using namespace process_id_layout;
  ++imageNameQueries;
  if (length != kSize) return kStatusInfoLengthMismatch;
  auto* record = static_cast<std::byte*>(buffer);
  std::uint64_t pid = 0, address = 0;
  std::uint16_t maximum = 0;
  std::memcpy(&pid, record + kProcessId, sizeof pid);
  std::memcpy(&maximum, record + kNameMaximumLength, sizeof maximum);
  std::memcpy(&address, record + kNameBuffer, sizeof address);
  const FakeProcess* p = pid > 0xFFFFFFFFu ? nullptr : Find(static_cast<std::uint32_t>(pid));
  constexpr NtStatus kStatusInvalidCid = 0xC000000B;
  if (!p || p->ntImagePath.empty()) return kStatusInvalidCid;
  const std::size_t bytes = p->ntImagePath.size() * 2;
  if (bytes + 2 > maximum) {
    Put<std::uint16_t>(record, kNameMaximumLength, static_cast<std::uint16_t>(bytes + 2));
    return kStatusInfoLengthMismatch;
  }
  auto* name = reinterpret_cast<std::byte*>(static_cast<std::uintptr_t>(address));
  for (std::size_t c = 0; c <= p->ntImagePath.size(); ++c) {
    const wchar_t unit = c < p->ntImagePath.size() ? p->ntImagePath[c] : L'\0';
    Put<std::uint16_t>(name, 2 * c, static_cast<std::uint16_t>(unit));
  }
  Put<std::uint16_t>(record, kNameLength, static_cast<std::uint16_t>(bytes));
  return kStatusSuccess;
}

std::unique_ptr<OpenedProcess> FakeProcesses::Open(std::uint32_t pid, ProcessAccess access,
                                                   OpenError* error) {
  ++opens;
  auto fail = [error](OpenError why) {
    if (error) *error = why;
    return std::unique_ptr<OpenedProcess>{};
  };
  // The idle process cannot be opened; the system answers as for a free identifier.
  FakeProcess* p = pid == 0 ? nullptr : Find(pid);
  if (p && p->vanishesOnOpen) {
    RemoveProcess(pid);
    p = nullptr;
  }
  if (!p) return fail(OpenError::kNotFound);
  // An end asks for the limited query right too.
  const bool refused = (access == ProcessAccess::kQueryLimited && p->refuseLimited) ||
                       (access == ProcessAccess::kTerminate &&
                        (p->refuseTerminate || p->refuseLimited)) ||
                       (access == ProcessAccess::kSetInformation && p->refuseSetInformation) ||
                       (access == ProcessAccess::kSuspendResume && p->refuseSuspendResume);
  if (refused) return fail(OpenError::kAccessDenied);
  if (error) *error = OpenError::kNone;
  return std::make_unique<FakeOpenedProcess>(*this, pid, access);
}

std::optional<std::wstring> FakeProcesses::UserNameBySessionSid(std::uint32_t pid, std::int64_t) {
  const FakeProcess* p = Find(pid);
  if (!p || p->sessionUser.empty()) return std::nullopt;
  return p->sessionUser;
}

bool FakeProcesses::EnablePrivilege(const std::wstring& name) {
  privilegesEnabled.push_back(name);
  return true;
}

std::optional<GuiObjectCounts> FakeProcesses::GuiObjects(std::uint32_t pid) {
  ++guiQueries;
  const FakeProcess* p = Find(pid);
  if (!p || p->refuseGuiObjects) return std::nullopt;
  return GuiObjectCounts{p->userObjects, p->gdiObjects};
}

std::optional<std::wstring> FakeProcesses::CurrentUserName() {
  if (currentUser.empty()) return std::nullopt;
  return currentUser;
}

void FakeProcesses::DriveDevices(std::vector<DriveDevice>& out) {
  ++driveDeviceReads;
  out = driveDevices;
}

bool FakeProcesses::IsRemoteDrive(wchar_t letter) {
  ++driveTypeQueries;
  return remoteDrives.find(letter) != std::wstring::npos;
}

}  // namespace platform::fake
