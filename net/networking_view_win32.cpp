// Controls, layout and graph boxes of the Networking page.
#include "net/networking_view_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/controls_win32.h"
#include "ui/dpi_win32.h"

namespace net {
NetworkingView::NetworkingView(HWND page, HFONT font, NetworkingPage& logic,
                               ui::ListModel& model, AdapterCollector& collector)
    : page_(page), font_(font), logic_(logic), model_(model), collector_(collector) {
  // Captions can be edited in place; the edit changes the list alone.
  list_ = ui::CreateChild(page_, WC_LISTVIEWW, L"",
                           WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS |
                               LVS_EDITLABELS,
                           WS_EX_CLIENTEDGE, 0, font_);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_DOUBLEBUFFER);
  binding_ = std::make_unique<ui::ListViewBinding>(list_, model_);
  binding_->SetColumns(NetworkingPage::Columns());
  ui::SetPageContent(page_, this);
  Layout();
}

NetworkingView::~NetworkingView() { ui::SetPageContent(page_, nullptr); }

void NetworkingView::UpdateNetPage() {
  const NetworkingPage::Update update = logic_.UpdateNetPage();
  if (update == NetworkingPage::Update::kRebuilt) BuildAdapterGraphs(logic_.ListedCount());
  if (update == NetworkingPage::Update::kStatus) RefreshGraphs();
}

void NetworkingView::RefreshGraphs() {
  for (Graph& graph : graphs_) graph.image->Refresh();
}

void NetworkingView::DestroyGraphs() {
  for (std::size_t i = graphs_.size(); i-- > 0;) {
    graphs_[i].image.reset();
    DestroyWindow(graphs_[i].box);
  }
  graphs_.clear();
}

void NetworkingView::BuildAdapterGraphs(std::size_t count) {
  DestroyGraphs();
  graphs_.resize(count);
  for (std::size_t i = count; i-- > 0;) {
    const std::wstring& caption = model_.Text(i, kNetName);
    graphs_[i].box = ui::CreateGroupBox(page_, caption.c_str(), font_);
    // The box lies under the picture shown in it.
    SetWindowPos(graphs_[i].box, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    graphs_[i].image = std::make_unique<ui::RasterView>(page_, &logic_.Graph(i).Picture());
    PlaceGraph(i);
  }
  InvalidateRect(page_, nullptr, TRUE);
}

void NetworkingView::PlaceGraph(std::size_t index) {
  const net::GraphBox& place = logic_.Box(index);
  MoveWindow(graphs_[index].box, place.box.left, place.box.top, place.box.Width(),
             place.box.Height(), TRUE);
  graphs_[index].image->MoveTo(place.image);
  graphs_[index].image->Refresh();
}

void NetworkingView::LayoutAdapterGraphs() {
  if (logic_.ListedCount() == 0) {
    collector_.CollectAdapters();  // its update follows and builds the graphs
    return;
  }
  logic_.LayoutAdapterGraphs();
  for (std::size_t i = 0; i < graphs_.size(); ++i) PlaceGraph(i);
  InvalidateRect(page_, nullptr, TRUE);
}

void NetworkingView::Layout() {
  RECT sheet{};
  GetClientRect(page_, &sheet);
  const int dpi = ui::WindowDpi(page_);
  logic_.SetSheetSize(sheet.right, sheet.bottom, dpi);
  const LONG listHeight = ui::Scale(kNetListHeight, dpi);
  MoveWindow(list_, 0, std::max(0L, sheet.bottom - listHeight), sheet.right,
             std::min<LONG>(listHeight, sheet.bottom), TRUE);
}

bool NetworkingView::OnNotify(const NMHDR& header, LRESULT& result) {
  result = 0;
  if (header.hwndFrom != list_) return false;
  if (header.code == LVN_ENDLABELEDITW) {
    const auto& edit = reinterpret_cast<const NMLVDISPINFOW&>(header);
    if (edit.item.pszText == nullptr) return true;  // the edit was cancelled
    model_.SetText(static_cast<std::size_t>(edit.item.iItem), kNetName, edit.item.pszText);
    result = TRUE;
    return true;
  }
  binding_->HandleNotify(header);
  return true;
}

bool NetworkingView::HandlePageMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return true;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    default:
      return false;
  }
}

}  // namespace net
