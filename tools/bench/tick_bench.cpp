// Cost of one full tick of the Processes page (snapshot walk, merge into the table,
// reconciliation of the list) at a thousand and ten thousand processes, with the
// columns of a fresh window, with every column the chooser offers, and sorted by
// CPU share, which moves items at every tick; and one keystroke in the filter box,
// which should cost no more than one tick; and the tick of the tree view, each
// process started by one of the processes before it.
#include <benchmark/benchmark.h>

#include "procs/column_chooser.h"
#include "tests/support/process_world.h"

namespace {

// Kept out of line so that an instruction counter can take this alone
// (tools/bench/tick_instructions.sh).
[[gnu::noinline]] void RunOneTick(testing_support::ProcessWorld& world, std::uint32_t& turn) {
  // Every process used some CPU time, as on a live system.
  for (auto& p : world.system.Processes()) p.userTime += 1000 + (turn++ % 7) * 10000;
  world.Tick();
}

void ShowAllColumns(testing_support::ProcessWorld& world) {
  std::vector<procs::ProcessColumn> columns;
  for (const procs::ColumnSpec& box : procs::ChooserBoxes())
    columns.push_back({box.kind, procs::HeaderOfCaption(box.caption), box.width, true});
  world.page.SetColumns(columns);
}

enum class Layout { kDefault, kAllColumns, kSortedByCpu, kTree };

void RunTicks(benchmark::State& state, Layout layout) {
  testing_support::ProcessWorld world;
  if (layout == Layout::kAllColumns) ShowAllColumns(world);
  const auto count = static_cast<std::uint32_t>(state.range(0));
  for (std::uint32_t i = 0; i < count; ++i) {
    auto& p = world.system.AddProcess(4 + 4 * i, L"process-" + std::to_wstring(i) + L".exe");
    p.userObjects = i % 50;
    p.gdiObjects = i % 70;
    p.parentPid = i == 0 ? 0 : 4 + 4 * ((i - 1) / 4);  // four children each
    p.createTime = 1000 + i;
  }
  world.Tick();
  world.Tick();
  if (layout == Layout::kSortedByCpu) world.page.SortByColumn(procs::kColCpu);
  if (layout == Layout::kTree) world.page.SetTreeView(true);
  std::uint32_t turn = 0;
  for (auto _ : state) RunOneTick(world, turn);
  state.SetItemsProcessed(state.iterations() * count);
}

void ProcessTick(benchmark::State& state) { RunTicks(state, Layout::kDefault); }
void ProcessTickAllColumns(benchmark::State& state) { RunTicks(state, Layout::kAllColumns); }
void ProcessTickSortedByCpu(benchmark::State& state) { RunTicks(state, Layout::kSortedByCpu); }
void ProcessTickTree(benchmark::State& state) { RunTicks(state, Layout::kTree); }

// One keystroke in the filter box of a list sorted by CPU share: typing "9"
// hides all but a tenth of the rows, the backspace brings them back in order.
void ProcessFilterKeystroke(benchmark::State& state) {
  testing_support::ProcessWorld world;
  const auto count = static_cast<std::uint32_t>(state.range(0));
  for (std::uint32_t i = 0; i < count; ++i)
    world.system.AddProcess(4 + 4 * i, L"process-" + std::to_wstring(i) + L".exe");
  world.Tick();
  world.Tick();
  world.page.SortByColumn(procs::kColCpu);
  bool typed = false;
  for (auto _ : state) {
    world.page.SetFilterText(typed ? L"" : L"9");
    typed = !typed;
  }
  state.SetItemsProcessed(state.iterations() * count);
}

}  // namespace

BENCHMARK(ProcessFilterKeystroke)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ProcessTick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ProcessTickAllColumns)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ProcessTickSortedByCpu)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ProcessTickTree)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
