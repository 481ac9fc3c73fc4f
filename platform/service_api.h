// The service control manager: the list of Win32 services with their states, a
// service's configuration and status, and the requests to start or stop one.
// Every request returns as soon as the manager has taken it; none waits for a
// service to reach a state.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// States and start types as the system numbers them.
enum ServiceState : std::uint32_t {
  kServiceStopped = 1,
  kServiceStartPending = 2,
  kServiceStopPending = 3,
  kServiceRunning = 4,
  kServiceContinuePending = 5,
  kServicePausePending = 6,
  kServicePaused = 7,
};

enum ServiceStartType : std::uint32_t {
  kServiceBootStart = 0,
  kServiceSystemStart = 1,
  kServiceAutoStart = 2,
  kServiceDemandStart = 3,
  kServiceDisabled = 4,
};

inline constexpr std::uint32_t kServiceAcceptStop = 0x1;

// The system's error codes that the services page tells apart.
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorMoreData = 234;
inline constexpr std::uint32_t kErrorServiceRequestTimeout = 1053;
inline constexpr std::uint32_t kErrorServiceAlreadyRunning = 1056;
inline constexpr std::uint32_t kErrorServiceNotActive = 1062;

struct ServiceStatus {
  std::uint32_t serviceType = 0;
  std::uint32_t state = kServiceStopped;
  std::uint32_t controlsAccepted = 0;
  std::uint32_t exitCode = 0;  // the Win32 exit code of a service that stopped
  std::uint32_t checkPoint = 0;
  std::uint32_t waitHintMs = 0;
  std::uint32_t processId = 0;  // 0 while not running
};

// One service of the list.
struct ServiceEntry {
  std::wstring name;
  std::wstring displayName;
  ServiceStatus status;
};

struct ServiceConfig {
  std::uint32_t startType = kServiceDemandStart;
  bool delayedAutoStart = false;  // false also where the system would not say
  std::wstring imagePath;         // the command line of the service's program
};

struct DependentService {
  std::wstring name;
  std::wstring displayName;
};

// What one call of the enumeration answered.
struct ServiceListPart {
  std::uint32_t error = 0;        // 0: the last part; kErrorMoreData: more to come
  std::uint32_t bytesNeeded = 0;  // with kErrorMoreData: room the remaining rows need
  std::uint32_t returned = 0;     // rows written to the buffer
};

class ServiceApi {
 public:
  virtual ~ServiceApi() = default;
  // One call of the enumeration of every Win32 service in every state
  // (EnumServicesStatusExW, SC_ENUM_PROCESS_INFO): `returned` rows in the layout
  // of platform/layouts/service_rows.h at the start of `buffer`, their strings
  // after them, every address a real one. `resume` is 0 for the first call and
  // carried from call to call.
  virtual ServiceListPart EnumerateServices(std::byte* buffer, std::uint32_t size,
                                            std::uint32_t& resume) = 0;
  // Start type, delayed start and image path; empty when the service cannot be asked.
  virtual std::optional<ServiceConfig> QueryConfig(const std::wstring& name) = 0;
  // The service's status now; the system's error code, 0 when answered.
  virtual std::uint32_t QueryStatus(const std::wstring& name, ServiceStatus& status) = 0;
  // Requests, answered with the system's error code (0: taken).
  virtual std::uint32_t RequestStart(const std::wstring& name) = 0;
  virtual std::uint32_t RequestStop(const std::wstring& name) = 0;
  // The services that depend on this one and are not stopped, in the order in
  // which they are to be stopped; the system's error code.
  virtual std::uint32_t ActiveDependents(const std::wstring& name,
                                         std::vector<DependentService>& out) = 0;
  // The system's words for an error code.
  virtual std::wstring ErrorText(std::uint32_t code) = 0;
};

}  // namespace platform
