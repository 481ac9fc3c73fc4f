// The fake system's answers: the process list written byte for byte as the 64-bit
// system writes it, and opened processes that answer from their script.
#include "platform/fake/fake_system.h"

#include <algorithm>
#include <cstring>

#include "platform/layouts/performance_data_block.h"
#include "platform/layouts/process_entry.h"
#include "platform/layouts/system_information.h"

namespace platform::fake {
namespace {

template <typename T>
void Put(std::byte* at, std::size_t offset, T value) {
  std::memcpy(at + offset, &value, sizeof value);
}

std::size_t NameBytes(const FakeProcess& p) { return (p.name.size() * 2 + 7) & ~std::size_t{7}; }

class FakeOpenedProcess : public OpenedProcess {
 public:
  FakeOpenedProcess(FakeSystem& system, std::uint32_t pid, ProcessAccess access)
      : system_(system), pid_(pid), access_(access) {}

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
    system_.terminated.push_back(pid_);
    system_.RemoveProcess(pid_);
    return true;
  }
  std::optional<AffinityMasks> GetAffinity() override {
    const FakeProcess* p = Live();
    if (!p) return std::nullopt;
    const std::uint64_t all = system_.SystemAffinity();
    return AffinityMasks{p->affinity == 0 ? all : p->affinity, all};
  }
  bool SetAffinity(std::uint64_t mask) override {
    FakeProcess* p = Live();
    if (!p || access_ != ProcessAccess::kSetInformation) return false;
    if (mask == 0 || (mask & ~system_.SystemAffinity()) != 0) return false;
    p->affinity = mask;
    return true;
  }

 private:
  FakeProcess* Live() { return system_.Find(pid_); }
  FakeSystem& system_;
  std::uint32_t pid_;
  ProcessAccess access_;
};

}  // namespace

FakeProcess& FakeSystem::AddProcess(std::uint32_t pid, const std::wstring& name) {
  FakeProcess p;
  p.pid = pid;
  p.name = name;
  p.createTime = nowMs * 10'000 + pid;
  p.imagePath = L"C:\\Programs\\" + name;
  p.tokenUser = L"tester";
  processes_.push_back(p);
  indexStale_ = true;
  return processes_.back();
}

void FakeSystem::RemoveProcess(std::uint32_t pid) {
  std::erase_if(processes_, [pid](const FakeProcess& p) { return p.pid == pid; });
  indexStale_ = true;
}

FakeProcess* FakeSystem::Find(std::uint32_t pid) {
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

std::uint64_t FakeSystem::SystemAffinity() const {
  return processorCount >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << processorCount) - 1;
}

std::uint32_t FakeSystem::WriteSnapshot(std::byte* buffer, std::uint32_t size) const {
  using namespace process_entry_layout;
  std::size_t needed = 0;
  for (const FakeProcess& p : processes_) needed += kEntrySize + NameBytes(p);
  if (needed == 0) needed = kEntrySize;  // the system always lists at least the idle entry
  if (needed > size) return static_cast<std::uint32_t>(needed);
  std::memset(buffer, 0, needed);
  std::size_t offset = 0;
  for (std::size_t i = 0; i < processes_.size(); ++i) {
    const FakeProcess& p = processes_[i];
    std::byte* e = buffer + offset;
    const std::size_t entrySize = kEntrySize + NameBytes(p);
    const bool last = i + 1 == processes_.size();
    Put<std::uint32_t>(e, kNextEntryOffset, last ? 0 : static_cast<std::uint32_t>(entrySize));
    Put<std::uint32_t>(e, kNumberOfThreads, p.threads);
    Put<std::int64_t>(e, kCreateTime, p.createTime);
    Put<std::int64_t>(e, kUserTime, p.userTime);
    Put<std::int64_t>(e, kKernelTime, p.kernelTime);
    Put<std::uint16_t>(e, kImageNameLength, static_cast<std::uint16_t>(p.name.size() * 2));
    Put<std::uint16_t>(e, kImageNameLength + 2, static_cast<std::uint16_t>(NameBytes(p)));
    std::byte* name = e + kEntrySize;
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

NtStatus FakeSystem::QuerySystemInformation(std::uint32_t infoClass, void* buffer,
                                            std::uint32_t length, std::uint32_t* returnLength) {
  if (infoClass == kSystemProcessIdInformation) return AnswerImageNameQuery(buffer, length);
  if (infoClass != kSystemProcessInformation)
    return WriteFixed(infoClass, buffer, length, returnLength);
  ++snapshotQueries;
  if (processQueryOverride) return processQueryOverride(buffer, length, returnLength);
  const std::uint32_t needed = WriteSnapshot(static_cast<std::byte*>(buffer), length);
  if (returnLength) *returnLength = needed;
  return needed > length ? kStatusInfoLengthMismatch : kStatusSuccess;
}

NtStatus FakeSystem::WriteFixed(std::uint32_t infoClass, void* buffer, std::uint32_t length,
                                std::uint32_t* returnLength) const {
  using namespace system_info_layout;
  auto* out = static_cast<std::byte*>(buffer);
  std::size_t size = 0;
  if (infoClass == kSystemTimeOfDayInformation) {
    // Accepts any length up to the whole record, as the system does.
    if (failTimeOfDay || length > kTimeOfDaySize) return kStatusInfoLengthMismatch;
    std::byte record[kTimeOfDaySize] = {};
    Put(record, kTimeOfDayCurrentTime, systemTime);
    std::memcpy(out, record, length);
    if (returnLength) *returnLength = length;
    return kStatusSuccess;
  }
  if (infoClass == kSystemProcessorPerformanceInformation) {
    const std::size_t count = std::min<std::size_t>(length / kProcessorTimesSize, processorTimes.size());
    if (count == 0) return processorTimes.empty() ? kStatusNotImplemented : kStatusInfoLengthMismatch;
    std::memset(out, 0, count * kProcessorTimesSize);
    for (std::size_t i = 0; i < count; ++i) {
      std::byte* entry = out + i * kProcessorTimesSize;
      Put(entry, kProcessorIdleTime, processorTimes[i].idle);
      Put(entry, kProcessorKernelTime, processorTimes[i].kernel);
      Put(entry, kProcessorUserTime, processorTimes[i].user);
    }
    if (returnLength) *returnLength = static_cast<std::uint32_t>(count * kProcessorTimesSize);
    return kStatusSuccess;
  }
  switch (infoClass) {
    case kSystemBasicInformation:
      if (failBasic) return kStatusNotImplemented;
      size = kBasicSize;
      break;
    case kSystemPerformanceInformation:
      if (failPerformance) return kStatusNotImplemented;
      size = kPerformanceSize;
      break;
    case kSystemFileCacheInformation:
      if (failFileCache) return kStatusNotImplemented;
      size = kFileCacheSize;
      break;
    default:
      return kStatusNotImplemented;
  }
  if (returnLength) *returnLength = static_cast<std::uint32_t>(size);
  if (length < size) return kStatusInfoLengthMismatch;
  std::memset(out, 0, size);
  if (infoClass == kSystemBasicInformation) {
    Put(out, kBasicPageSize, pageSize);
    Put(out, kBasicPhysicalPages, physicalPages);
    Put(out, kBasicProcessorCount, processorCount);
  } else if (infoClass == kSystemPerformanceInformation) {
    Put(out, kPerfIdleTime, idleTime);
    Put(out, kPerfAvailablePages, availablePages);
    Put(out, kPerfCommittedPages, committedPages);
    Put(out, kPerfCommitLimit, commitLimit);
    Put(out, kPerfPeakCommitment, peakCommitment);
    Put(out, kPerfPagedPoolPages, pagedPoolPages);
    Put(out, kPerfNonPagedPoolPages, nonPagedPoolPages);
  } else {
    Put(out, kFileCacheCurrentSize, fileCacheBytes);
  }
  return kStatusSuccess;
}

std::unique_ptr<OpenedProcess> FakeSystem::Open(std::uint32_t pid, ProcessAccess access,
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
  const bool refused = (access == ProcessAccess::kQueryLimited && p->refuseLimited) ||
                       (access == ProcessAccess::kTerminate && p->refuseTerminate) ||
                       (access == ProcessAccess::kSetInformation && p->refuseSetInformation);
  if (refused) return fail(OpenError::kAccessDenied);
  if (error) *error = OpenError::kNone;
  return std::make_unique<FakeOpenedProcess>(*this, pid, access);
}

std::optional<std::wstring> FakeSystem::UserNameBySessionSid(std::uint32_t pid, std::int64_t) {
  const FakeProcess* p = Find(pid);
  if (!p || p->sessionUser.empty()) return std::nullopt;
  return p->sessionUser;
}

bool FakeSystem::EnablePrivilege(const std::wstring& name) {
  privilegesEnabled.push_back(name);
  systemActions.push_back(L"privilege " + name);
  return true;
}

std::optional<GuiObjectCounts> FakeSystem::GuiObjects(std::uint32_t pid) {
  ++guiQueries;
  const FakeProcess* p = Find(pid);
  if (!p || p->refuseGuiObjects) return std::nullopt;
  return GuiObjectCounts{p->userObjects, p->gdiObjects};
}

std::optional<std::wstring> FakeSystem::CurrentUserName() {
  if (currentUser.empty()) return std::nullopt;
  return currentUser;
}

std::optional<std::wstring> FakeSystem::RegisteredDebugger() {
  if (debugger.empty()) return std::nullopt;
  return debugger;
}

bool FakeSystem::StartCommand(const std::wstring& program, const std::wstring& parameters) {
  startedCommands.push_back({L"", program, parameters});
  return true;
}

bool FakeSystem::Execute(const std::wstring& verb, const std::wstring& file,
                         const std::wstring& parameters) {
  shellCalls.push_back({verb, file, parameters});
  return shellAccepts;
}

bool FakeSystem::AskYesNo(const std::wstring& caption, const std::wstring& text, BoxIcon icon) {
  boxes.push_back({caption, text, icon, true});
  return answerYes;
}

void FakeSystem::ShowMessage(const std::wstring& caption, const std::wstring& text,
                             BoxIcon icon) {
  boxes.push_back({caption, text, icon, false});
}

std::uint32_t FakeSystem::Query(const std::wstring& objectIndex, void* buffer, std::uint32_t& size) {
  ++performanceDataQueries;
  performanceQueries.push_back(objectIndex);
  if (performanceDataStatus != kRegistrySuccess) return performanceDataStatus;
  std::vector<std::byte> empty;
  const auto listed = performanceDataOf.find(objectIndex);
  const std::vector<std::byte>* answer =
      listed != performanceDataOf.end() ? &listed->second : &performanceData;
  if (answer->empty()) {
    // What a system without the object answers: a header and nothing else.
    using namespace perf_data_layout;
    empty.assign(kBlockSize, std::byte{0});
    const wchar_t signature[] = {L'P', L'E', L'R', L'F'};
    for (int i = 0; i < 4; ++i)
      Put<std::uint16_t>(empty.data(), kBlockSignature + 2 * i, static_cast<std::uint16_t>(signature[i]));
    Put<std::uint32_t>(empty.data(), kBlockTotalByteLength, kBlockSize);
    Put<std::uint32_t>(empty.data(), kBlockHeaderLength, kBlockSize);
    const std::uint16_t time[8] = {2024, 1, 1, 1, 0, 0, 0, 0};
    std::memcpy(empty.data() + kBlockSystemTime, time, sizeof time);
    answer = &empty;
  }
  if (answer->size() > size) return kRegistryMoreData;
  std::memcpy(buffer, answer->data(), answer->size());
  size = static_cast<std::uint32_t>(answer->size());
  return kRegistrySuccess;
}

bool FakeSystem::QueryMemoryStatus(MemoryStatus& status) {
  if (failMemoryStatus) return false;
  status = memoryStatus;
  return true;
}

bool FakeSystem::AddIcon(IconRef icon, const std::wstring& tip) {
  trayCalls.push_back({FakeTrayCall::kAdd, icon, tip});
  return !notifyAreaRefuses;
}

bool FakeSystem::ModifyIcon(IconRef icon, const std::wstring& tip) {
  trayCalls.push_back({FakeTrayCall::kModify, icon, tip});
  return !notifyAreaRefuses;
}

bool FakeSystem::RemoveIcon() {
  trayCalls.push_back({FakeTrayCall::kRemove, nullptr, L""});
  return !notifyAreaRefuses;
}

}  // namespace platform::fake

// --- windows ---------------------------------------------------------------------
namespace platform::fake {

FakeWindow& FakeSystem::AddWindow(WindowHandle handle, const std::wstring& title,
                                  std::uint32_t pid) {
  FakeWindow w;
  w.handle = handle;
  w.title = title;
  w.pid = pid;
  w.classIcon = 0x1000 + handle;
  w.classIconSmall = 0x2000 + handle;
  windows_.push_back(w);
  return windows_.back();
}

void FakeSystem::RemoveWindow(WindowHandle handle) {
  std::erase_if(windows_, [handle](const FakeWindow& w) { return w.handle == handle; });
}

FakeWindow* FakeSystem::FindFakeWindow(WindowHandle handle) {
  // Windows are asked about in enumeration order: look where the last one was
  // and just after it first, so that large desktops stay cheap to fake.
  for (std::size_t i = lastWindow_; i < windows_.size() && i <= lastWindow_ + 1; ++i) {
    if (windows_[i].handle == handle) {
      lastWindow_ = i;
      return &windows_[i];
    }
  }
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (windows_[i].handle == handle) {
      lastWindow_ = i;
      return &windows_[i];
    }
  }
  return nullptr;
}

void FakeSystem::TopWindows(std::vector<WindowHandle>& out) {
  out.clear();
  for (const FakeWindow& w : windows_)
    if (w.parent == 0) out.push_back(w.handle);
}

bool FakeSystem::IsVisible(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w && w->visible;
}

WindowHandle FakeSystem::Owner(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w ? w->owner : 0;
}

std::uint32_t FakeSystem::ExtendedStyle(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w ? w->exStyle : 0;
}

void FakeSystem::Title(WindowHandle window, std::wstring& out) {
  const FakeWindow* w = FindFakeWindow(window);
  out.assign(w ? w->title.substr(0, kMaxTitleLength) : std::wstring());
}

int FakeSystem::ShowStateOf(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w && !w->vanished ? w->showState : 0;
}

std::uint32_t FakeSystem::ProcessIdOf(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w && !w->vanished ? w->pid : 0;
}

bool FakeSystem::IsCloaked(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w && w->cloaked;
}

void FakeSystem::ClassName(WindowHandle window, std::wstring& out) {
  const FakeWindow* w = FindFakeWindow(window);
  out.assign(w ? w->className : std::wstring());
}

void FakeSystem::ChildWindows(WindowHandle parent, std::vector<WindowHandle>& out) {
  out.clear();
  if (parent == 0) return;
  // Parents before their children: every window inside one already found is inside too.
  out.push_back(parent);
  for (std::size_t found = 0; found < out.size(); ++found)
    for (const FakeWindow& w : windows_)
      if (w.parent == out[found]) out.push_back(w.handle);
  out.erase(out.begin());
}

WindowHandle FakeSystem::HungWindowOf(WindowHandle ghost) {
  const FakeWindow* w = FindFakeWindow(ghost);
  return w ? w->ghostOf : 0;
}

bool FakeSystem::Responds(WindowHandle window, int timeoutMs) {
  const FakeWindow* w = FindFakeWindow(window);
  if (!w || w->hungBySystem) return false;
  ++answerTests;
  if (w->answers) return true;
  waitedMs += timeoutMs;
  return false;
}

void FakeSystem::StartProbe(WindowHandle window) { probes.push_back(window); }

bool FakeSystem::ProbeAnswered(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  const bool out = std::find(probes.begin(), probes.end(), window) != probes.end();
  if (!out || !w || !w->answers || w->hungBySystem) return false;
  ForgetProbe(window);
  return true;
}

void FakeSystem::ForgetProbe(WindowHandle window) { std::erase(probes, window); }

IconHandle FakeSystem::ClassIcon(WindowHandle window, bool small) {
  ++iconRequests;
  const FakeWindow* w = FindFakeWindow(window);
  if (!w) return 0;
  return small ? w->classIconSmall : w->classIcon;
}

IconHandle FakeSystem::AskIcon(WindowHandle window, int timeoutMs) {
  ++iconRequests;
  ++iconMessages;
  const FakeWindow* w = FindFakeWindow(window);
  if (!w || w->hungBySystem) return 0;
  if (!w->answers) {
    waitedMs += timeoutMs;
    return 0;
  }
  return w->ownIcon;
}

void FakeSystem::WithProgramIcons(const std::wstring& path,
                                  const std::function<void(IconHandle, IconHandle)>& use) {
  ++iconRequests;
  ++programIconReads;
  for (const auto& [file, icon] : programIcons)
    if (file == path) use(icon, icon);
}

void FakeSystem::Show(WindowHandle window, int showState) {
  windowCommands.push_back({L"show", {window}, showState});
  if (FakeWindow* w = FindFakeWindow(window)) {
    if (showState != kShowAsIs) w->showState = showState;
  }
}

bool FakeSystem::SetForeground(WindowHandle window) {
  windowCommands.push_back({L"foreground", {window}, 0});
  return true;
}

bool FakeSystem::ForceForeground(WindowHandle window) {
  windowCommands.push_back({L"force", {window}, 0});
  return true;
}

bool FakeSystem::PostClose(WindowHandle window) {
  windowCommands.push_back({L"close", {window}, 0});
  const FakeWindow* w = FindFakeWindow(window);
  return !(w && w->refusesClose);
}

ScreenRect FakeSystem::Bounds(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w ? w->bounds : ScreenRect{};
}

void FakeSystem::Move(WindowHandle window, const ScreenRect& place) {
  windowCommands.push_back({L"move", {window}, 0});
  if (FakeWindow* w = FindFakeWindow(window)) {
    w->bounds = place;
    w->showState = kShowNormal;
  }
}

// --- processor groups and performance titles ---

std::uint32_t FakeSystem::QueryCounterNames(void* buffer, std::uint32_t& size) {
  if (counterNames.empty()) return 2;  // ERROR_FILE_NOT_FOUND
  if (counterNames.size() > size) {
    size = static_cast<std::uint32_t>(counterNames.size());
    return kRegistryMoreData;
  }
  std::memcpy(buffer, counterNames.data(), counterNames.size());
  size = static_cast<std::uint32_t>(counterNames.size());
  return kRegistrySuccess;
}

// --- process paths ------------------------------------------------------------

void FakeSystem::DriveDevices(std::vector<DriveDevice>& out) {
  ++driveDeviceReads;
  out = driveDevices;
}

// As the system answers: the record must be exactly the size of its kind, and a
// buffer too small gets the bytes needed (with the terminator) in MaximumLength.
NtStatus FakeSystem::AnswerImageNameQuery(void* buffer, std::uint32_t length) {
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

}  // namespace platform::fake
