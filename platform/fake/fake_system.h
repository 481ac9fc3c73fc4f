// A scriptable system for tests, made of one fake per area: processes that start
// and end between ticks, counters, windows that come, go and stop answering,
// terminal sessions, the network, the services, and the side that faces the
// user (a clock that moves only when told, message boxes, the shell, posted
// messages). Nothing reaches the machine; everything asked is recorded. One
// FakeSystem stands for every platform interface, and holds the few answers
// that cross areas.
#pragma once
#include <cstdint>
#include <string>

#include "platform/fake/fake_network.h"
#include "platform/fake/fake_performance.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/fake_sessions.h"
#include "platform/fake/fake_ui.h"
#include "platform/fake/fake_windows.h"
#include "platform/native_api.h"

namespace platform::fake {

class FakeSystem : public FakeUi,
                   public FakeProcesses,
                   public FakePerformance,
                   public FakeWindows,
                   public FakeSessions,
                   public FakeNetwork,
                   public FakeServices,
                   public NativeApi {
 public:
  // --- NativeApi: the process list and image names from the processes, every
  // other class from the counters ---
  NtStatus QuerySystemInformation(std::uint32_t infoClass, void* buffer, std::uint32_t length,
                                  std::uint32_t* returnLength) override;

  // --- across areas ---
  // Also recorded among the system actions, in their order.
  bool EnablePrivilege(const std::wstring& name) override;
  std::int64_t StartTimeMs() override { return nowMs; }
  std::uint64_t SystemAffinity() const override { return ProcessorMask(); }
};

}  // namespace platform::fake
