// The fake service manager: the enumeration written as the system writes it,
// and the requests stepping through their pending states.
#include "platform/fake/fake_services.h"

#include "platform/fake/fake_bytes.h"
#include "platform/layouts/service_rows.h"

namespace platform::fake {

namespace {

constexpr std::uint32_t kErrorServiceDoesNotExist = 1060;
constexpr std::uint32_t kErrorDependentServicesRunning = 1051;

std::size_t StringBytes(const std::wstring& text) { return (text.size() + 1) * 2; }

// Writes `text` with its terminator ending at `end`; returns where it starts.
std::size_t PutStringBefore(std::byte* buffer, std::size_t end, const std::wstring& text) {
  const std::size_t start = end - StringBytes(text);
  for (std::size_t i = 0; i <= text.size(); ++i)
    Put<std::uint16_t>(buffer, start + 2 * i, i < text.size() ? static_cast<std::uint16_t>(text[i]) : 0);
  return start;
}

ServiceStatus StatusOf(const FakeService& service) {
  ServiceStatus status;
  status.serviceType = 0x20;
  status.state = service.state;
  status.controlsAccepted = service.state == kServiceRunning ? service.controlsAccepted : 0;
  status.exitCode = service.state == kServiceStopped ? service.exitCode : 0;
  status.checkPoint = service.checkPoint;
  status.waitHintMs = service.waitHintMs;
  status.processId = service.processId;
  return status;
}

}  // namespace

FakeService& FakeServices::AddService(const std::wstring& name, const std::wstring& displayName,
                                      std::uint32_t state, std::uint32_t pid) {
  FakeService service;
  service.name = name;
  service.displayName = displayName;
  service.state = state;
  service.processId = pid;
  services.push_back(service);
  return services.back();
}

FakeService* FakeServices::FindService(const std::wstring& name) {
  for (FakeService& service : services)
    if (service.name == name) return &service;
  return nullptr;
}

int FakeServices::CallsStartingWith(const std::wstring& prefix) const {
  int count = 0;
  for (const std::wstring& call : serviceCalls) count += call.rfind(prefix, 0) == 0 ? 1 : 0;
  return count;
}

ServiceListPart FakeServices::EnumerateServices(std::byte* buffer, std::uint32_t size,
                                                std::uint32_t& resume) {
  using namespace service_rows;
  serviceCalls.push_back(L"list " + std::to_wstring(size) + L" " + std::to_wstring(resume));
  if (listError != 0) return {listError, 0, 0};
  const auto base = reinterpret_cast<std::uintptr_t>(buffer);
  ServiceListPart part;
  std::size_t rowsEnd = 0, stringsStart = size;
  std::size_t next = resume;
  for (; next < services.size(); ++next) {
    const FakeService& service = services[next];
    const std::size_t need = kRowSize + StringBytes(service.name) + StringBytes(service.displayName);
    if (stringsStart - rowsEnd < need || (rowsPerPart != 0 && part.returned == rowsPerPart)) break;
    std::byte* row = buffer + rowsEnd;
    stringsStart = PutStringBefore(buffer, stringsStart, service.displayName);
    Put<std::uint64_t>(row, kDisplayName, base + stringsStart);
    stringsStart = PutStringBefore(buffer, stringsStart, service.name);
    Put<std::uint64_t>(row, kServiceName, base + stringsStart);
    const ServiceStatus status = StatusOf(service);
    Put<std::uint32_t>(row, kServiceType, status.serviceType);
    Put<std::uint32_t>(row, kCurrentState, status.state);
    Put<std::uint32_t>(row, kControlsAccepted, status.controlsAccepted);
    Put<std::uint32_t>(row, kWin32ExitCode, status.exitCode);
    Put<std::uint32_t>(row, kServiceSpecificExitCode, 0);
    Put<std::uint32_t>(row, kCheckPoint, status.checkPoint);
    Put<std::uint32_t>(row, kWaitHint, status.waitHintMs);
    Put<std::uint32_t>(row, kProcessId, status.processId);
    Put<std::uint32_t>(row, kServiceFlags, 0);
    rowsEnd += kRowSize;
    ++part.returned;
  }
  if (next == services.size()) {
    resume = 0;
    return part;
  }
  part.error = kErrorMoreData;
  for (std::size_t rest = next; rest < services.size(); ++rest)
    part.bytesNeeded += static_cast<std::uint32_t>(kRowSize + StringBytes(services[rest].name) +
                                                   StringBytes(services[rest].displayName));
  resume = static_cast<std::uint32_t>(next);
  return part;
}

std::optional<ServiceConfig> FakeServices::QueryConfig(const std::wstring& name) {
  serviceCalls.push_back(L"config " + name);
  const FakeService* service = FindService(name);
  if (service == nullptr || configRefused) return std::nullopt;
  return ServiceConfig{service->startType, service->delayedAutoStart && !delayedRefused,
                       service->imagePath};
}

std::uint32_t FakeServices::QueryStatus(const std::wstring& name, ServiceStatus& status) {
  serviceCalls.push_back(L"status " + name);
  FakeService* service = FindService(name);
  if (service == nullptr) return kErrorServiceDoesNotExist;
  const bool pending =
      service->state == kServiceStartPending || service->state == kServiceStopPending;
  if (pending && !service->stuck) {
    if (service->looksLeft > 0) {
      --service->looksLeft;
      ++service->checkPoint;
    } else if (service->state == kServiceStopPending || service->dies) {
      service->state = kServiceStopped;
      service->processId = 0;
      service->checkPoint = 0;
    } else {
      service->state = kServiceRunning;
      service->processId = service->startedPid;
      service->checkPoint = 0;
    }
  }
  status = StatusOf(*service);
  return 0;
}

std::uint32_t FakeServices::RequestStart(const std::wstring& name) {
  serviceCalls.push_back(L"start " + name);
  if (commandError != 0) return commandError;
  FakeService* service = FindService(name);
  if (service == nullptr) return kErrorServiceDoesNotExist;
  if (service->state != kServiceStopped) return kErrorServiceAlreadyRunning;
  service->state = kServiceStartPending;
  service->checkPoint = 0;
  service->looksLeft = service->pendingLooks;
  return 0;
}

std::uint32_t FakeServices::RequestStop(const std::wstring& name) {
  serviceCalls.push_back(L"stop " + name);
  if (commandError != 0) return commandError;
  FakeService* service = FindService(name);
  if (service == nullptr) return kErrorServiceDoesNotExist;
  if (service->state == kServiceStopped) return kErrorServiceNotActive;
  for (const std::wstring& dependent : service->dependents) {
    const FakeService* other = FindService(dependent);
    if (other != nullptr && other->state != kServiceStopped) return kErrorDependentServicesRunning;
  }
  service->state = kServiceStopPending;
  service->checkPoint = 0;
  service->looksLeft = service->pendingLooks;
  return 0;
}

std::uint32_t FakeServices::ActiveDependents(const std::wstring& name,
                                             std::vector<DependentService>& out) {
  serviceCalls.push_back(L"dependents " + name);
  out.clear();
  const FakeService* service = FindService(name);
  if (service == nullptr) return kErrorServiceDoesNotExist;
  for (const std::wstring& dependent : service->dependents) {
    const FakeService* other = FindService(dependent);
    if (other != nullptr && other->state != kServiceStopped)
      out.push_back({other->name, other->displayName});
  }
  return 0;
}

std::wstring FakeServices::ErrorText(std::uint32_t code) {
  return L"系统错误 " + std::to_wstring(code) + L"。";
}

}  // namespace platform::fake
