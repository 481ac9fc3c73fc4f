// Backends that count the calls made through them and pass each on to the real
// one: the tick-cost benchmark reports how often one step asks the system.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/adapter_api.h"
#include "platform/native_api.h"
#include "platform/performance_data.h"
#include "platform/process_api.h"
#include "platform/service_api.h"
#include "platform/session_api.h"
#include "platform/window_api.h"

namespace bench {

class CallCounts {
 public:
  void Add(const std::string& call) { ++counts_[call]; }
  void Clear() { counts_.clear(); }
  const std::map<std::string, std::int64_t>& All() const { return counts_; }

 private:
  std::map<std::string, std::int64_t> counts_;
};

class CountingNativeApi final : public platform::NativeApi {
 public:
  CountingNativeApi(platform::NativeApi& real, CallCounts& counts) : real_(real), counts_(counts) {}
  platform::NtStatus QuerySystemInformation(std::uint32_t infoClass, void* buffer,
                                            std::uint32_t length,
                                            std::uint32_t* returnLength) override {
    counts_.Add("NtQuerySystemInformation(" + std::to_string(infoClass) + ")");
    return real_.QuerySystemInformation(infoClass, buffer, length, returnLength);
  }

 private:
  platform::NativeApi& real_;
  CallCounts& counts_;
};

class CountingOpenedProcess final : public platform::OpenedProcess {
 public:
  CountingOpenedProcess(std::unique_ptr<platform::OpenedProcess> real, CallCounts& counts)
      : real_(std::move(real)), counts_(counts) {}
  std::optional<std::wstring> ImagePath() override {
    counts_.Add("process ImagePath");
    return real_->ImagePath();
  }
  std::optional<std::wstring> TokenUserName() override {
    counts_.Add("process TokenUserName");
    return real_->TokenUserName();
  }
  std::uint32_t GetPriorityClass() override {
    counts_.Add("process GetPriorityClass");
    return real_->GetPriorityClass();
  }
  bool SetPriorityClass(std::uint32_t priorityClass) override {
    counts_.Add("process SetPriorityClass");
    return real_->SetPriorityClass(priorityClass);
  }
  bool Terminate(std::uint32_t exitCode) override {
    counts_.Add("process Terminate");
    return real_->Terminate(exitCode);
  }
  std::optional<std::int64_t> CreationTime() override {
    counts_.Add("process CreationTime");
    return real_->CreationTime();
  }
  bool Exited() override {
    counts_.Add("process Exited");
    return real_->Exited();
  }
  std::optional<platform::AffinityMasks> GetAffinity() override {
    counts_.Add("process GetAffinity");
    return real_->GetAffinity();
  }
  bool SetAffinity(std::uint64_t processMask) override {
    counts_.Add("process SetAffinity");
    return real_->SetAffinity(processMask);
  }
  bool Suspend() override {
    counts_.Add("process Suspend");
    return real_->Suspend();
  }
  bool Resume() override {
    counts_.Add("process Resume");
    return real_->Resume();
  }
  std::optional<std::wstring> CommandLine() override {
    counts_.Add("process CommandLine");
    return real_->CommandLine();
  }
  std::optional<bool> IsWow64() override {
    counts_.Add("process IsWow64");
    return real_->IsWow64();
  }
  std::optional<bool> IsCritical() override {
    counts_.Add("process IsCritical");
    return real_->IsCritical();
  }

 private:
  std::unique_ptr<platform::OpenedProcess> real_;
  CallCounts& counts_;
};

class CountingProcessApi final : public platform::ProcessApi {
 public:
  CountingProcessApi(platform::ProcessApi& real, CallCounts& counts)
      : real_(real), counts_(counts) {}
  std::unique_ptr<platform::OpenedProcess> Open(std::uint32_t pid, platform::ProcessAccess access,
                                                platform::OpenError* error) override {
    counts_.Add("OpenProcess");
    auto opened = real_.Open(pid, access, error);
    if (!opened) return nullptr;
    return std::make_unique<CountingOpenedProcess>(std::move(opened), counts_);
  }
  std::optional<std::wstring> UserNameBySessionSid(std::uint32_t pid,
                                                   std::int64_t createTime) override {
    counts_.Add("UserNameBySessionSid");
    return real_.UserNameBySessionSid(pid, createTime);
  }
  bool EnablePrivilege(const std::wstring& name) override {
    counts_.Add("EnablePrivilege");
    return real_.EnablePrivilege(name);
  }
  std::optional<platform::GuiObjectCounts> GuiObjects(std::uint32_t pid) override {
    counts_.Add("GuiObjects");
    return real_.GuiObjects(pid);
  }
  std::optional<std::wstring> CurrentUserName() override {
    counts_.Add("CurrentUserName");
    return real_.CurrentUserName();
  }
  platform::FileVersionTexts VersionTexts(const std::wstring& path) override {
    counts_.Add("VersionTexts");
    return real_.VersionTexts(path);
  }
  void DriveDevices(std::vector<platform::DriveDevice>& out) override {
    counts_.Add("DriveDevices");
    real_.DriveDevices(out);
  }
  bool IsRemoteDrive(wchar_t letter) override {
    counts_.Add("IsRemoteDrive");
    return real_.IsRemoteDrive(letter);
  }

 private:
  platform::ProcessApi& real_;
  CallCounts& counts_;
};

class CountingWindowApi final : public platform::WindowApi {
 public:
  using WindowHandle = platform::WindowHandle;
  using IconHandle = platform::IconHandle;
  CountingWindowApi(platform::WindowApi& real, CallCounts& counts) : real_(real), counts_(counts) {}

  void TopWindows(std::vector<WindowHandle>& out) override {
    counts_.Add("window TopWindows");
    real_.TopWindows(out);
  }
  bool IsVisible(WindowHandle w) override {
    counts_.Add("window IsVisible");
    return real_.IsVisible(w);
  }
  WindowHandle Owner(WindowHandle w) override {
    counts_.Add("window Owner");
    return real_.Owner(w);
  }
  std::uint32_t ExtendedStyle(WindowHandle w) override {
    counts_.Add("window ExtendedStyle");
    return real_.ExtendedStyle(w);
  }
  WindowHandle Desktop() override {
    counts_.Add("window Desktop");
    return real_.Desktop();
  }
  void Title(WindowHandle w, std::wstring& out) override {
    counts_.Add("window Title");
    real_.Title(w, out);
  }
  int ShowStateOf(WindowHandle w) override {
    counts_.Add("window ShowStateOf");
    return real_.ShowStateOf(w);
  }
  std::uint32_t ProcessIdOf(WindowHandle w) override {
    counts_.Add("window ProcessIdOf");
    return real_.ProcessIdOf(w);
  }
  bool IsCloaked(WindowHandle w) override {
    counts_.Add("window IsCloaked");
    return real_.IsCloaked(w);
  }
  void ClassName(WindowHandle w, std::wstring& out) override {
    counts_.Add("window ClassName");
    real_.ClassName(w, out);
  }
  void ChildWindows(WindowHandle parent, std::vector<WindowHandle>& out) override {
    counts_.Add("window ChildWindows");
    real_.ChildWindows(parent, out);
  }
  WindowHandle HungWindowOf(WindowHandle ghost) override {
    counts_.Add("window HungWindowOf");
    return real_.HungWindowOf(ghost);
  }
  bool Responds(WindowHandle w, int timeoutMs) override {
    counts_.Add("window Responds");
    return real_.Responds(w, timeoutMs);
  }
  void StartProbe(WindowHandle w) override {
    counts_.Add("window StartProbe");
    real_.StartProbe(w);
  }
  bool ProbeAnswered(WindowHandle w) override {
    counts_.Add("window ProbeAnswered");
    return real_.ProbeAnswered(w);
  }
  void ForgetProbe(WindowHandle w) override {
    counts_.Add("window ForgetProbe");
    real_.ForgetProbe(w);
  }
  IconHandle ClassIcon(WindowHandle w, bool small) override {
    counts_.Add("window ClassIcon");
    return real_.ClassIcon(w, small);
  }
  IconHandle AskIcon(WindowHandle w, int timeoutMs) override {
    counts_.Add("window AskIcon");
    return real_.AskIcon(w, timeoutMs);
  }
  void WithProgramIcons(const std::wstring& path,
                        const std::function<void(IconHandle, IconHandle)>& use) override {
    counts_.Add("window WithProgramIcons");
    real_.WithProgramIcons(path, use);
  }
  void Show(WindowHandle w, int showState) override {
    counts_.Add("window Show");
    real_.Show(w, showState);
  }
  bool SetForeground(WindowHandle w) override {
    counts_.Add("window SetForeground");
    return real_.SetForeground(w);
  }
  bool ForceForeground(WindowHandle w) override {
    counts_.Add("window ForceForeground");
    return real_.ForceForeground(w);
  }
  bool PostClose(WindowHandle w) override {
    counts_.Add("window PostClose");
    return real_.PostClose(w);
  }
  platform::ScreenRect WorkArea() override {
    counts_.Add("window WorkArea");
    return real_.WorkArea();
  }
  platform::ScreenRect Bounds(WindowHandle w) override {
    counts_.Add("window Bounds");
    return real_.Bounds(w);
  }
  void Move(WindowHandle w, const platform::ScreenRect& place) override {
    counts_.Add("window Move");
    real_.Move(w, place);
  }

 private:
  platform::WindowApi& real_;
  CallCounts& counts_;
};

class CountingAdapterApi final : public platform::AdapterApi {
 public:
  CountingAdapterApi(platform::AdapterApi& real, CallCounts& counts)
      : real_(real), counts_(counts) {}
  std::uint32_t GetIfTable2(void* buffer, std::uint32_t* size) override {
    counts_.Add("GetIfTable2");
    return real_.GetIfTable2(buffer, size);
  }
  std::uint32_t GetIfTable(void* buffer, std::uint32_t* size) override {
    counts_.Add("GetIfTable");
    return real_.GetIfTable(buffer, size);
  }
  std::uint32_t GetAdaptersAddresses(void* buffer, std::uint32_t* size) override {
    counts_.Add("GetAdaptersAddresses");
    return real_.GetAdaptersAddresses(buffer, size);
  }
  std::uint32_t GetAdaptersInfo(void* buffer, std::uint32_t* size) override {
    counts_.Add("GetAdaptersInfo");
    return real_.GetAdaptersInfo(buffer, size);
  }
  std::wstring ReadMachineString(const std::wstring& keyPath,
                                 const std::wstring& valueName) override {
    counts_.Add("ReadMachineString");
    return real_.ReadMachineString(keyPath, valueName);
  }
  std::wstring AnsiText(std::string_view bytes) override { return real_.AnsiText(bytes); }

 private:
  platform::AdapterApi& real_;
  CallCounts& counts_;
};

class CountingSessionApi final : public platform::SessionApi {
 public:
  CountingSessionApi(platform::SessionApi& real, CallCounts& counts)
      : real_(real), counts_(counts) {}
  bool EnumerateSessions(std::vector<platform::SessionEntry>& sessions) override {
    counts_.Add("WTSEnumerateSessions");
    return real_.EnumerateSessions(sessions);
  }
  std::wstring QueryUserName(std::uint32_t sessionId) override {
    counts_.Add("WTSQuerySessionInformation");
    return real_.QueryUserName(sessionId);
  }
  std::uint32_t ActiveConsoleSessionId() override {
    counts_.Add("WTSGetActiveConsoleSessionId");
    return real_.ActiveConsoleSessionId();
  }
  bool LogoffSession(std::uint32_t sessionId) override { return real_.LogoffSession(sessionId); }
  bool SendSessionMessage(std::uint32_t sessionId, const std::wstring& title,
                          const std::wstring& text) override {
    return real_.SendSessionMessage(sessionId, title, text);
  }
  platform::ActionResult LockWorkStation() override { return real_.LockWorkStation(); }

 private:
  platform::SessionApi& real_;
  CallCounts& counts_;
};

class CountingPerformanceData final : public platform::PerformanceData {
 public:
  CountingPerformanceData(platform::PerformanceData& real, CallCounts& counts)
      : real_(real), counts_(counts) {}
  std::uint32_t Query(const std::wstring& objectIndex, void* buffer, std::uint32_t& size) override {
    counts_.Add("RegQueryValueEx(HKEY_PERFORMANCE_DATA)");
    return real_.Query(objectIndex, buffer, size);
  }
  std::uint32_t QueryCounterNames(void* buffer, std::uint32_t& size) override {
    counts_.Add("RegQueryValueEx(HKEY_PERFORMANCE_TEXT)");
    return real_.QueryCounterNames(buffer, size);
  }
  int ActiveProcessorCount() override {
    counts_.Add("GetActiveProcessorCount");
    return real_.ActiveProcessorCount();
  }

 private:
  platform::PerformanceData& real_;
  CallCounts& counts_;
};

class CountingServiceApi final : public platform::ServiceApi {
 public:
  CountingServiceApi(platform::ServiceApi& real, CallCounts& counts)
      : real_(real), counts_(counts) {}
  platform::ServiceListPart EnumerateServices(std::byte* buffer, std::uint32_t size,
                                              std::uint32_t& resume) override {
    counts_.Add("EnumServicesStatusExW");
    return real_.EnumerateServices(buffer, size, resume);
  }
  std::optional<platform::ServiceConfig> QueryConfig(const std::wstring& name) override {
    counts_.Add("QueryServiceConfigW (with its open)");
    return real_.QueryConfig(name);
  }
  std::uint32_t QueryStatus(const std::wstring& name, platform::ServiceStatus& status) override {
    counts_.Add("QueryServiceStatusEx");
    return real_.QueryStatus(name, status);
  }
  std::uint32_t RequestStart(const std::wstring& name) override { return real_.RequestStart(name); }
  std::uint32_t RequestStop(const std::wstring& name) override { return real_.RequestStop(name); }
  std::uint32_t ActiveDependents(const std::wstring& name,
                                 std::vector<platform::DependentService>& out) override {
    return real_.ActiveDependents(name, out);
  }
  std::wstring ErrorText(std::uint32_t code) override { return real_.ErrorText(code); }

 private:
  platform::ServiceApi& real_;
  CallCounts& counts_;
};

}  // namespace bench
