// The private messages a tick posts to the main window. Each carries no data: the
// collector's table holds it, and the handler reads the table after the tick.
#pragma once
#include <cstdint>

namespace app {

enum UpdateMessage : std::uint32_t {
  kUpdateTotals = 2127,     // memory totals, status bar, meters
  kUpdateProcesses = 2128,  // Processes page list
  kUpdateWindows = 2129,    // Applications page list
  kUpdateGraphs = 2130,     // usage histories step and graphs redraw
  kUpdateAdapters = 2133,   // Networking page
  kLayoutGraphs = 2134,     // graphs and meters laid out again
  kUpdateSessions = 2135,   // Users page
  kUpdateServices = 2136,   // Services page, only while it is shown
  kUpdateStartup = 2137,    // 启动 page, only while it is shown
};

inline constexpr std::uint32_t kTrayCallbackMessage = 1124;

}  // namespace app
