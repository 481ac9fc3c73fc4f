// Cost of one tick of the Applications page (window collection and list update)
// on an unchanged desktop of a hundred and a thousand windows.
#include <benchmark/benchmark.h>

#include "tests/support/window_world.h"

namespace {

void WindowsTick(benchmark::State& state) {
  testing_support::WindowWorld world;
  const auto count = static_cast<platform::WindowHandle>(state.range(0));
  world.system.AddProcess(10, L"program.exe");
  for (platform::WindowHandle h = 1; h <= count; ++h)
    world.system.AddWindow(h, L"Window " + std::to_wstring(h), 10);
  world.Tick();
  world.system.iconRequests = 0;
  for (auto _ : state) world.Tick();
  state.counters["icon requests"] = world.system.iconRequests;
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
}

}  // namespace

BENCHMARK(WindowsTick)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
