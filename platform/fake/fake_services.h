// The fake system's service manager: services from the script, listed in the
// system's byte layout in as many parts as the buffer or the script allows, and
// commands that pass through the pending states one status query at a time
// (or never leave them). Every call is recorded.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/service_api.h"

namespace platform::fake {

struct FakeService {
  std::wstring name, displayName;
  std::uint32_t state = kServiceStopped;
  std::uint32_t controlsAccepted = kServiceAcceptStop;
  std::uint32_t processId = 0;
  std::uint32_t startType = kServiceDemandStart;
  bool delayedAutoStart = false;
  std::wstring imagePath;
  std::vector<std::wstring> dependents;  // names, in the order they are to be stopped
  // How a request plays out: this many status queries see the pending state,
  // each with the check point one further, before the state is reached.
  int pendingLooks = 1;
  bool stuck = false;  // pending for good, the check point standing still
  std::uint32_t waitHintMs = 3000;
  std::uint32_t startedPid = 4242;  // the process it runs in once started
  std::uint32_t exitCode = 0;       // reported once a start has ended in "stopped"
  bool dies = false;                // a start ends in "stopped"

  // --- while a request plays out ---
  std::uint32_t checkPoint = 0;
  int looksLeft = 0;
};

class FakeServices : public ServiceApi {
 public:
  // --- scripting ---
  std::vector<FakeService> services;
  std::uint32_t rowsPerPart = 0;    // 0: as many rows as the buffer holds
  std::uint32_t listError = 0;      // the enumeration fails with it
  std::uint32_t commandError = 0;   // starts and stops are refused with it
  bool configRefused = false;
  bool delayedRefused = false;      // the delayed-start level is not answered
  FakeService& AddService(const std::wstring& name, const std::wstring& displayName,
                          std::uint32_t state = kServiceStopped, std::uint32_t pid = 0);
  FakeService* FindService(const std::wstring& name);

  // --- record ---
  // "list <size> <resume>", "config <name>", "status <name>", "start <name>",
  // "stop <name>", "dependents <name>".
  std::vector<std::wstring> serviceCalls;
  int CallsStartingWith(const std::wstring& prefix) const;

  // --- ServiceApi ---
  ServiceListPart EnumerateServices(std::byte* buffer, std::uint32_t size,
                                    std::uint32_t& resume) override;
  std::optional<ServiceConfig> QueryConfig(const std::wstring& name) override;
  std::uint32_t QueryStatus(const std::wstring& name, ServiceStatus& status) override;
  std::uint32_t RequestStart(const std::wstring& name) override;
  std::uint32_t RequestStop(const std::wstring& name) override;
  std::uint32_t ActiveDependents(const std::wstring& name,
                                 std::vector<DependentService>& out) override;
  std::wstring ErrorText(std::uint32_t code) override;
};

}  // namespace platform::fake
