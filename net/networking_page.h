// The Networking page's logic: the list lv_Net of the adapters that have a
// connection name, rebuilt when the number of interfaces changes and otherwise
// only given the new states; the traffic history behind each adapter's graph;
// and where the graph boxes stand on the tab sheet.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/list_model.h"
#include "net/adapter_table.h"
#include "net/traffic_meter.h"

namespace net {

enum NetColumn : std::size_t { kNetName = 0, kNetDescription, kNetSpeed, kNetStatus };

inline constexpr int kNetListHeight = 92;

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

// One adapter's group box on the tab sheet and the image inside it (relative
// to the box). The first adapter's box is the lowest, just above the list.
struct GraphBox {
  Rect box;
  Rect image;
};
GraphBox AdapterGraphBox(int sheetWidth, int sheetHeight, int count, int index);

class NetworkingPage {
 public:
  NetworkingPage(const TAdapterStatuses& table, app::ListModel& list, const bool& closing);

  static const std::vector<app::ListColumn>& Columns();

  enum class Update { kNone, kStatus, kRebuilt };
  // Handler of the adapters update: the list, and one traffic sample per
  // listed adapter. kRebuilt means the graphs must be built anew.
  Update UpdateNetPage();

  std::size_t ListedCount() const { return histories_.size(); }
  const TrafficHistory& History(std::size_t listed) const { return histories_[listed]; }
  const TrafficMeter& Meter(std::size_t listed) const { return meters_[listed]; }

 private:
  void Rebuild();
  void Refresh();

  const TAdapterStatuses& table_;
  app::ListModel& list_;
  const bool& closing_;
  std::size_t lengthAtRebuild_ = 0;
  // Per list row: its table partner's description when last sampled, the
  // meter and the history of its graph.
  std::vector<std::wstring> partners_;
  std::vector<TrafficMeter> meters_;
  std::vector<TrafficHistory> histories_;
};

}  // namespace net
