// The tooltips of the Performance page's graphs: which recorded sample lies
// under a column of a graph, and what its tooltip says.
#pragma once
#include <string>

#include "perf/culprit_record.h"
#include "procs/process_culprits.h"

namespace perf {

// Which graph a tooltip is for: the CPU graph of the whole machine, one
// processor's graph, or the page-file graph.
enum class GraphKind { kCpuTotal, kProcessor, kPageFile };

// The newest sample stands in a graph's last column and each older one a
// column further left: the age of the sample at column `x` of a graph `width`
// columns wide; -1 outside the graph.
int SampleAgeAt(int x, int width);

// "14:32:05", then "CPU 使用：NN%" (a processor's graph: "CPU N：NN%") and up to
// three lines "NAME (PID)  NN%"; the page-file graph: "页面文件使用：N MB" and up
// to three lines "NAME (PID)  N MB". Empty when nothing is recorded at `age`.
std::wstring GraphTipText(const CulpritRecord& record, GraphKind kind, int processor, int age);

// The notification icon's second line: "NAME NN%" for the busiest process of
// the last tick; empty when no process had a share to show.
std::wstring BusiestLine(const procs::Culprit* busiest);

}  // namespace perf
