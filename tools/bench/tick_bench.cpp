// Cost of one full tick of the Processes page (snapshot walk, merge into the table,
// reconciliation of the list) at a thousand and ten thousand processes.
#include <benchmark/benchmark.h>

#include "tests/support/process_world.h"

namespace {

// Kept out of line so that an instruction counter can take this alone
// (tools/bench/tick_instructions.sh).
[[gnu::noinline]] void RunOneTick(testing_support::ProcessWorld& world, std::uint32_t& turn) {
  // Every process used some CPU time, as on a live system.
  for (auto& p : world.system.Processes()) p.userTime += 1000 + (turn++ % 7) * 10000;
  world.Tick();
}

void ProcessTick(benchmark::State& state) {
  testing_support::ProcessWorld world;
  const auto count = static_cast<std::uint32_t>(state.range(0));
  for (std::uint32_t i = 0; i < count; ++i)
    world.system.AddProcess(4 + 4 * i, L"process-" + std::to_wstring(i) + L".exe");
  world.Tick();
  world.Tick();
  std::uint32_t turn = 0;
  for (auto _ : state) RunOneTick(world, turn);
  state.SetItemsProcessed(state.iterations() * count);
}

}  // namespace

BENCHMARK(ProcessTick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
