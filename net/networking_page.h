// The Networking page's logic: the list lv_Net of the adapters that have a
// connection name, rebuilt when the number of interfaces changes and otherwise
// only given the new states; one traffic graph per listed adapter, fed at every
// update with the adapter's throughput; and where the graph boxes stand.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "net/adapter_table.h"
#include "net/traffic_meter.h"
#include "ui/dpi.h"
#include "ui/list_model.h"
#include "ui/rect.h"
#include "ui/usage_graph.h"
#include "ui/usage_history.h"

namespace net {

// Cells of an item, by column: 0 caption (the connection name), then sub-items.
enum NetColumn : std::size_t {
  kNetName = 0, kNetDescription, kNetSpeed, kNetStatus, kNetColumnCount
};

inline constexpr int kNetListHeight = 92;  // logical pixels

// One adapter's group box on the tab sheet and the graph image inside it, both
// in sheet coordinates (device pixels at `dpi`). The first adapter's box is the
// lowest, just above the list.
struct GraphBox {
  ui::Rect box;
  ui::Rect image;
};
GraphBox AdapterGraphBox(int sheetWidth, int sheetHeight, int count, int index,
                         int dpi = ui::kLogicalDpi);

class NetworkingPage {
 public:
  NetworkingPage(const TAdapterStatuses& table, ui::ListModel& list, const bool& closing);

  static const std::vector<ui::ListColumn>& Columns();

  // The tab sheet's size and DPI, for the graphs made at the next rebuild or layout.
  void SetSheetSize(int width, int height, int dpi = ui::kLogicalDpi);

  enum class Update { kNone, kStatus, kRebuilt };
  // Handler of the adapters update: the list, and the next point of every
  // listed adapter's graph. kRebuilt means the graphs were made anew.
  Update UpdateNetPage();
  // The graphs placed for the sheet's current size, cleared and with their grid.
  void LayoutAdapterGraphs();
  // While the page is hidden its graphs keep no pictures; shown again, they
  // show their last frame at once.
  void SetGraphsShown(bool shown);
  bool GraphsShown() const { return graphsShown_; }

  std::size_t ListedCount() const { return graphs_.size(); }
  const GraphBox& Box(std::size_t listed) const { return graphs_[listed].place; }
  const ui::TUseage& Graph(std::size_t listed) const { return graphs_[listed].graph; }
  const ui::UsageHistory& History(std::size_t listed) const { return graphs_[listed].history; }
  const TrafficMeter& Meter(std::size_t listed) const { return graphs_[listed].meter; }
  // The throughput of the last update as a share of the link (or of the peak).
  double LastShare(std::size_t listed) const { return graphs_[listed].lastShare; }

 private:
  struct AdapterGraph {
    std::wstring partner;  // the description of the table row it was last paired with
    TrafficMeter meter;
    double lastShare = 0;
    GraphBox place;
    ui::TUseage graph;
    ui::UsageHistory history;
  };

  void Rebuild();
  void Refresh();
  void PlaceGraphs();
  void DrawGraphs();

  const TAdapterStatuses& table_;
  ui::ListModel& list_;
  const bool& closing_;
  int sheetWidth_ = 0, sheetHeight_ = 0, dpi_ = ui::kLogicalDpi;
  std::size_t lengthAtRebuild_ = 0;
  int previousHeight_ = 0;  // of the graphs at their last drawing
  std::vector<AdapterGraph> graphs_;
  bool graphsShown_ = true;
};

}  // namespace net
