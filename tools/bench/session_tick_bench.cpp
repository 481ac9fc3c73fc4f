// Cost of one tick of the Users page (enumeration, user names, reconciliation of
// the list) for a few sessions and for many, with and without a listener, whose
// user name is as empty as the services session's and is asked for once a tick.
#include <benchmark/benchmark.h>

#include "tests/support/session_world.h"

namespace {

void SessionTick(benchmark::State& state) {
  testing_support::SessionWorld world;
  const auto count = static_cast<std::uint32_t>(state.range(0));
  for (std::uint32_t id = 0; id < count; ++id)
    world.AddSession(id, L"user" + std::to_wstring(id), platform::kSessionActive,
                     L"RDP-Tcp#" + std::to_wstring(id));
  if (state.range(1) != 0) world.AddSession(65536, L"", platform::kSessionListen, L"RDP-Tcp");
  world.Tick();
  world.system.userNameQueries = 0;
  for (auto _ : state) world.Tick();
  state.counters["queries/tick"] = benchmark::Counter(
      static_cast<double>(world.system.userNameQueries) / static_cast<double>(state.iterations()));
}

}  // namespace

BENCHMARK(SessionTick)
    ->Args({4, 0})
    ->Args({4, 1})
    ->Args({200, 0})
    ->Unit(benchmark::kMicrosecond);
