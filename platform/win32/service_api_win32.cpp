// The service control manager's calls: enumeration, configuration, status,
// start, stop and the active dependents. Every answer is checked before it is
// read; a failure comes back as the system's error code.
#include "platform/win32/service_api_win32.h"

#include <cstddef>
#include <utility>

#include "platform/layouts/service_rows.h"
#include "platform/win32/system_error_win32.h"

namespace platform::win32 {

namespace {

static_assert(sizeof(ENUM_SERVICE_STATUS_PROCESSW) == service_rows::kRowSize &&
                  offsetof(ENUM_SERVICE_STATUS_PROCESSW, lpDisplayName) == service_rows::kDisplayName &&
                  offsetof(ENUM_SERVICE_STATUS_PROCESSW, ServiceStatusProcess) ==
                      service_rows::kServiceType &&
                  offsetof(SERVICE_STATUS_PROCESS, dwProcessId) + service_rows::kServiceType ==
                      service_rows::kProcessId,
              "the layout the rows are decoded with");
static_assert(kServiceRunning == SERVICE_RUNNING && kServicePaused == SERVICE_PAUSED &&
              kServiceAutoStart == SERVICE_AUTO_START && kServiceDisabled == SERVICE_DISABLED &&
              kServiceAcceptStop == SERVICE_ACCEPT_STOP && kErrorMoreData == ERROR_MORE_DATA &&
              kErrorServiceNotActive == ERROR_SERVICE_NOT_ACTIVE &&
              kErrorServiceAlreadyRunning == ERROR_SERVICE_ALREADY_RUNNING &&
              kErrorServiceRequestTimeout == ERROR_SERVICE_REQUEST_TIMEOUT);

// The manager went away (restarted, or its handle no longer valid).
bool ManagerGone(DWORD error) {
  return error == ERROR_INVALID_HANDLE || error == RPC_S_SERVER_UNAVAILABLE ||
         error == RPC_S_CALL_FAILED || error == RPC_S_CALL_FAILED_DNE;
}

// The last error, never 0 for a failed call.
DWORD LastError() {
  const DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

ServiceStatus FromSystem(const SERVICE_STATUS_PROCESS& s) {
  ServiceStatus status;
  status.serviceType = s.dwServiceType;
  status.state = s.dwCurrentState;
  status.controlsAccepted = s.dwControlsAccepted;
  status.exitCode = s.dwWin32ExitCode;
  status.checkPoint = s.dwCheckPoint;
  status.waitHintMs = s.dwWaitHint;
  status.processId = s.dwProcessId;
  return status;
}

// Sizes a buffer for a call that says how much it needs, within reason.
bool GrowTo(std::vector<std::byte>& buffer, DWORD needed) {
  constexpr DWORD kMost = 256 * 1024;
  if (needed <= buffer.size() || needed > kMost) return false;
  buffer.resize(needed);
  return true;
}

}  // namespace

class Win32ServiceApi::ServiceHandle {
 public:
  explicit ServiceHandle(SC_HANDLE handle = nullptr) : handle_(handle) {}
  ~ServiceHandle() {
    if (handle_ != nullptr) CloseServiceHandle(handle_);
  }
  ServiceHandle(ServiceHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  ServiceHandle& operator=(ServiceHandle&&) = delete;
  SC_HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  SC_HANDLE handle_;
};

Win32ServiceApi::Win32ServiceApi() = default;

Win32ServiceApi::~Win32ServiceApi() { ForgetManager(); }

void Win32ServiceApi::ForgetManager() {
  if (manager_ != nullptr) CloseServiceHandle(manager_);
  manager_ = nullptr;
}

SC_HANDLE Win32ServiceApi::Manager(DWORD& error) {
  if (manager_ == nullptr) {
    manager_ = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE);
    if (manager_ == nullptr) error = LastError();
  }
  return manager_;
}

Win32ServiceApi::ServiceHandle Win32ServiceApi::Open(const std::wstring& name, DWORD access,
                                                     DWORD& error) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    SC_HANDLE manager = Manager(error);
    if (manager == nullptr) return ServiceHandle();
    if (SC_HANDLE service = OpenServiceW(manager, name.c_str(), access)) return ServiceHandle(service);
    error = LastError();
    if (!ManagerGone(error)) break;
    ForgetManager();
  }
  return ServiceHandle();
}

ServiceListPart Win32ServiceApi::EnumerateServices(std::byte* buffer, std::uint32_t size,
                                                   std::uint32_t& resume) {
  ServiceListPart part;
  DWORD error = 0;
  SC_HANDLE manager = Manager(error);
  if (manager == nullptr) {
    part.error = error;
    return part;
  }
  DWORD needed = 0, returned = 0, resumeHandle = resume;
  if (EnumServicesStatusExW(manager, SC_ENUM_PROCESS_INFO, SERVICE_WIN32, SERVICE_STATE_ALL,
                            reinterpret_cast<BYTE*>(buffer), size, &needed, &returned,
                            &resumeHandle, nullptr)) {
    part.returned = returned;
    resume = 0;
    return part;
  }
  part.error = LastError();
  if (ManagerGone(part.error)) ForgetManager();  // the next pass opens it again
  if (part.error == ERROR_MORE_DATA) {
    part.bytesNeeded = needed;
    part.returned = returned;
    resume = resumeHandle;
  }
  return part;
}

std::optional<ServiceConfig> Win32ServiceApi::QueryConfig(const std::wstring& name) {
  DWORD error = 0;
  const ServiceHandle service = Open(name, SERVICE_QUERY_CONFIG, error);
  if (!service) return std::nullopt;
  if (scratch_.size() < 4096) scratch_.resize(4096);
  DWORD needed = 0;
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(scratch_.data());
  if (!QueryServiceConfigW(service.Get(), config, static_cast<DWORD>(scratch_.size()), &needed)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || !GrowTo(scratch_, needed)) return std::nullopt;
    config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(scratch_.data());
    if (!QueryServiceConfigW(service.Get(), config, static_cast<DWORD>(scratch_.size()), &needed))
      return std::nullopt;
  }
  ServiceConfig result;
  result.startType = config->dwStartType;
  if (config->lpBinaryPathName != nullptr) result.imagePath = config->lpBinaryPathName;
  // Only an automatic start can be delayed; where the level is refused it reads "自动".
  SERVICE_DELAYED_AUTO_START_INFO delayed{};
  if (result.startType == SERVICE_AUTO_START &&
      QueryServiceConfig2W(service.Get(), SERVICE_CONFIG_DELAYED_AUTO_START_INFO,
                           reinterpret_cast<BYTE*>(&delayed), sizeof(delayed), &needed))
    result.delayedAutoStart = delayed.fDelayedAutostart != FALSE;
  return result;
}

std::uint32_t Win32ServiceApi::QueryStatus(const std::wstring& name, ServiceStatus& status) {
  DWORD error = 0;
  const ServiceHandle service = Open(name, SERVICE_QUERY_STATUS, error);
  if (!service) return error;
  SERVICE_STATUS_PROCESS answer{};
  DWORD needed = 0;
  if (!QueryServiceStatusEx(service.Get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&answer),
                            sizeof(answer), &needed))
    return LastError();
  status = FromSystem(answer);
  return 0;
}

std::uint32_t Win32ServiceApi::RequestStart(const std::wstring& name) {
  DWORD error = 0;
  const ServiceHandle service = Open(name, SERVICE_START, error);
  if (!service) return error;
  return StartServiceW(service.Get(), 0, nullptr) ? 0 : LastError();
}

std::uint32_t Win32ServiceApi::RequestStop(const std::wstring& name) {
  DWORD error = 0;
  const ServiceHandle service = Open(name, SERVICE_STOP, error);
  if (!service) return error;
  SERVICE_STATUS status{};
  return ControlService(service.Get(), SERVICE_CONTROL_STOP, &status) ? 0 : LastError();
}

std::uint32_t Win32ServiceApi::ActiveDependents(const std::wstring& name,
                                                std::vector<DependentService>& out) {
  out.clear();
  DWORD error = 0;
  const ServiceHandle service = Open(name, SERVICE_ENUMERATE_DEPENDENTS, error);
  if (!service) return error;
  if (scratch_.size() < 4096) scratch_.resize(4096);
  DWORD needed = 0, returned = 0;
  const auto enumerate = [&] {
    return EnumDependentServicesW(service.Get(), SERVICE_ACTIVE,
                                  reinterpret_cast<ENUM_SERVICE_STATUSW*>(scratch_.data()),
                                  static_cast<DWORD>(scratch_.size()), &needed, &returned);
  };
  if (!enumerate()) {
    error = LastError();
    if (error != ERROR_MORE_DATA || !GrowTo(scratch_, needed)) return error;
    if (!enumerate()) return LastError();
  }
  const std::size_t fit = scratch_.size() / sizeof(ENUM_SERVICE_STATUSW);
  const auto* rows = reinterpret_cast<const ENUM_SERVICE_STATUSW*>(scratch_.data());
  for (DWORD i = 0; i < returned && i < fit; ++i) {
    if (rows[i].lpServiceName == nullptr || rows[i].lpServiceName[0] == L'\0') continue;
    out.push_back({rows[i].lpServiceName,
                   rows[i].lpDisplayName != nullptr ? rows[i].lpDisplayName : L""});
  }
  return 0;
}

std::wstring Win32ServiceApi::ErrorText(std::uint32_t code) { return SystemErrorText(code); }

}  // namespace platform::win32
