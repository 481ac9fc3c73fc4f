// The Networking page's list reconciliation, traffic sampling and graph geometry.
#include "net/networking_page.h"

#include <algorithm>

#include "net/adapter_format.h"

namespace net {

GraphBox AdapterGraphBox(int sheetWidth, int sheetHeight, int count, int index) {
  GraphBox graph;
  if (count <= 0) return graph;
  const int height = (sheetHeight - kNetListHeight) / count - 10;
  graph.box = {0, (count - index - 1) * height, std::max(0, sheetWidth - 6), std::max(0, height)};
  graph.image = {6, 20, std::max(0, graph.box.width - 12), std::max(0, graph.box.height - 30)};
  return graph;
}

NetworkingPage::NetworkingPage(const TAdapterStatuses& table, app::ListModel& list,
                               const bool& closing)
    : table_(table), list_(list), closing_(closing) {}

const std::vector<app::ListColumn>& NetworkingPage::Columns() {
  static const std::vector<app::ListColumn> kColumns{
      {L"适配器名称", 100, false},
      {L"网络应用", 85, true},
      {L"链接速度", 100, true},
      {L"状态", 80, true},
  };
  return kColumns;
}

NetworkingPage::Update NetworkingPage::UpdateNetPage() {
  if (closing_) return Update::kNone;
  if (table_.Rows.size() == lengthAtRebuild_) {
    Refresh();
    return Update::kStatus;
  }
  Rebuild();
  return Update::kRebuilt;
}

void NetworkingPage::Rebuild() {
  list_.Clear();
  partners_.clear();
  meters_.clear();
  for (const TAdapterStatus& row : table_.Rows) {
    if (row.ConnectionName.empty()) continue;
    app::ListItem item;
    item.caption = row.ConnectionName;
    item.subItems = {row.Description, FormatBitRate(row.Speed), OperStatusText(row.OperStatus)};
    list_.Append(std::move(item));
    partners_.push_back(row.Description);
    // The first reading of the counters: the graph starts from the next one.
    meters_.emplace_back().Sample(row.ReceivedOctets, row.SentOctets, row.CounterBits, row.Speed,
                                  table_.SampleTimeMs);
  }
  histories_.assign(partners_.size(), TrafficHistory());
  lengthAtRebuild_ = table_.Rows.size();
}

void NetworkingPage::Refresh() {
  std::size_t k = 0;
  for (const TAdapterStatus& row : table_.Rows) {
    if (row.ConnectionName.empty()) continue;
    if (k == partners_.size()) break;
    list_.SetText(k, kNetStatus, OperStatusText(row.OperStatus));
    // Another interface took this list row's place: its counters start afresh.
    if (partners_[k] != row.Description) {
      partners_[k] = row.Description;
      meters_[k].Reset();
    }
    histories_[k].Push(meters_[k].Sample(row.ReceivedOctets, row.SentOctets, row.CounterBits,
                                         row.Speed, table_.SampleTimeMs));
    ++k;
  }
  // List rows left without a partner keep their state and show no traffic.
  for (; k < partners_.size(); ++k) histories_[k].Push(0);
}

}  // namespace net
