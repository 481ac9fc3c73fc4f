// The Networking page's list reconciliation, traffic sampling and graphs.
#include "net/networking_page.h"

#include <algorithm>
#include <iterator>

#include "net/adapter_format.h"

namespace net {

namespace {

// The list's columns, in the order of NetColumn: the header, and the cell an
// adapter row gives.
struct NetColumnSpec {
  NetColumn column;
  const wchar_t* caption;
  int width;
  bool rightAligned;
  std::wstring (*cell)(const TAdapterStatus& row);
};

constexpr NetColumnSpec kNetColumns[] = {
    {kNetName, L"适配器名称", 100, false, [](const TAdapterStatus& r) { return r.ConnectionName; }},
    {kNetDescription, L"网络应用", 85, true, [](const TAdapterStatus& r) { return r.Description; }},
    {kNetSpeed, L"链接速度", 100, true,
     [](const TAdapterStatus& r) { return FormatBitRate(r.Speed); }},
    {kNetStatus, L"状态", 80, true,
     [](const TAdapterStatus& r) { return OperStatusText(r.OperStatus); }},
};

static_assert([] {
  for (std::size_t c = 0; c < std::size(kNetColumns); ++c)
    if (kNetColumns[c].column != c) return false;
  return std::size(kNetColumns) == kNetColumnCount;
}(), "one row per column, in the columns' order");

}  // namespace

GraphBox AdapterGraphBox(int sheetWidth, int sheetHeight, int count, int index, int dpi) {
  GraphBox graph;
  if (count <= 0) return graph;
  const auto s = [dpi](int logical) { return ui::Scale(logical, dpi); };
  const int height = std::max(0, (sheetHeight - s(kNetListHeight)) / count - s(10));
  const int width = std::max(0, sheetWidth - s(6));
  const int top = (count - index - 1) * height;
  graph.box = {0, top, width, top + height};
  graph.image = {s(6), top + s(20), s(6) + std::max(0, width - s(12)),
                 top + s(20) + std::max(0, height - s(30))};
  return graph;
}

NetworkingPage::NetworkingPage(const TAdapterStatuses& table, ui::ListModel& list,
                               const bool& closing)
    : table_(table), list_(list), closing_(closing) {}

const std::vector<ui::ListColumn>& NetworkingPage::Columns() {
  static const std::vector<ui::ListColumn> columns = [] {
    std::vector<ui::ListColumn> headers;
    for (const NetColumnSpec& c : kNetColumns)
      headers.push_back({c.caption, c.width, c.rightAligned});
    return headers;
  }();
  return columns;
}

void NetworkingPage::SetSheetSize(int width, int height, int dpi) {
  sheetWidth_ = width;
  sheetHeight_ = height;
  dpi_ = dpi;
}

NetworkingPage::Update NetworkingPage::UpdateNetPage() {
  const ui::ListModel::ChangeBatch batch(list_);
  if (closing_) return Update::kNone;
  if (table_.Rows.size() == lengthAtRebuild_) {
    Refresh();
    DrawGraphs();
    return Update::kStatus;
  }
  Rebuild();
  return Update::kRebuilt;
}

void NetworkingPage::Rebuild() {
  list_.Clear();
  std::size_t count = 0;
  for (const TAdapterStatus& row : table_.Rows) count += row.ConnectionName.empty() ? 0 : 1;
  graphs_.assign(count, AdapterGraph{});
  for (AdapterGraph& g : graphs_) g.graph.SetShown(graphsShown_);
  std::size_t k = 0;
  for (const TAdapterStatus& row : table_.Rows) {
    if (row.ConnectionName.empty()) continue;
    ui::ListItem item;
    item.caption = kNetColumns[kNetName].cell(row);
    for (std::size_t c = 1; c < kNetColumnCount; ++c)
      item.subItems.push_back(kNetColumns[c].cell(row));
    list_.Append(std::move(item));
    AdapterGraph& g = graphs_[k++];
    g.partner = row.Description;
    // The first reading of the counters: the curve starts from the next one.
    g.meter.Sample(row.ReceivedOctets, row.SentOctets, row.CounterBits, row.Speed,
                   table_.SampleTimeMs);
  }
  previousHeight_ = 0;
  PlaceGraphs();
  lengthAtRebuild_ = table_.Rows.size();
}

void NetworkingPage::Refresh() {
  std::size_t k = 0;
  for (const TAdapterStatus& row : table_.Rows) {
    if (row.ConnectionName.empty()) continue;
    if (k == graphs_.size()) break;
    list_.SetText(k, kNetStatus, kNetColumns[kNetStatus].cell(row));
    AdapterGraph& g = graphs_[k++];
    // Another interface took this list row's place: its counters start afresh.
    if (g.partner != row.Description) {
      g.partner = row.Description;
      g.meter.Reset();
    }
    g.lastShare = g.meter.Sample(row.ReceivedOctets, row.SentOctets, row.CounterBits, row.Speed,
                                 table_.SampleTimeMs);
  }
  // List rows left without a partner keep their state and show no traffic.
  for (; k < graphs_.size(); ++k) graphs_[k].lastShare = 0;
}

void NetworkingPage::LayoutAdapterGraphs() { PlaceGraphs(); }

void NetworkingPage::SetGraphsShown(bool shown) {
  graphsShown_ = shown;
  for (AdapterGraph& g : graphs_) g.graph.SetShown(shown);
}

void NetworkingPage::PlaceGraphs() {
  const int count = static_cast<int>(graphs_.size());
  for (int i = 0; i < count; ++i) {
    AdapterGraph& g = graphs_[static_cast<std::size_t>(i)];
    g.place = AdapterGraphBox(sheetWidth_, sheetHeight_, count, i, dpi_);
    g.graph.SetSize(g.place.image.Height(), g.place.image.Width());
    g.graph.DrawGrid();
  }
}

// Like the CPU graphs: the history follows the graph's size, takes the newest
// point at its right-hand end, and the picture is drawn afresh. A reading that
// covers several ticks gives each of them a point at the interval's mean.
void NetworkingPage::DrawGraphs() {
  if (graphs_.empty()) return;
  const int width = graphs_[0].graph.Width(), height = graphs_[0].graph.Height();
  const double scale = previousHeight_ > 0 ? static_cast<double>(height) / previousHeight_ : 1.0;
  for (AdapterGraph& g : graphs_) {
    g.history.Fit(width, scale);
    for (int tick = 0; tick < std::max(table_.TicksCovered, 1); ++tick) {
      g.history.SetNewest(ui::RoundHalfEven(g.lastShare * height));
      g.graph.Clear();
      g.graph.DrawGrid();
      g.graph.DrawHistory(g.history, ui::kCpuCurveColor);
    }
  }
  previousHeight_ = height;
}

}  // namespace net
