// The Networking page as the user sees it: the list lv_Net at the bottom of the
// tab sheet and above it one framed graph per listed adapter, captioned with the
// connection's name. The page logic (NetworkingPage) decides; this class shows.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "net/adapter_collector.h"
#include "net/networking_page.h"
#include "ui/list_model.h"
#include "ui/list_view_win32.h"
#include "ui/page_win32.h"
#include "ui/raster_view_win32.h"

namespace net {

class NetworkingView final : public ui::PageContent {
 public:
  NetworkingView(HWND page, HFONT font, NetworkingPage& logic, ui::ListModel& model,
                 AdapterCollector& collector);
  ~NetworkingView() override;
  NetworkingView(const NetworkingView&) = delete;
  NetworkingView& operator=(const NetworkingView&) = delete;

  HWND lv_Net() const { return list_; }
  std::size_t GraphCount() const { return graphs_.size(); }
  HWND GraphBox(std::size_t index) const { return graphs_[index].box; }
  HWND GraphImage(std::size_t index) const { return graphs_[index].image->Handle(); }

  // Handler of the adapters update.
  void UpdateNetPage();
  // The graphs placed again for the sheet's size; with no adapter listed, a
  // fresh reading of the adapters is asked for instead.
  void LayoutAdapterGraphs();

  bool HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT& result) override;
  void PageShown(bool shown) override { logic_.SetGraphsShown(shown); }

 private:
  struct Graph {
    HWND box = nullptr;  // the group box, owned by the page
    std::unique_ptr<ui::RasterView> image;  // shows the logic's graph picture
  };

  void BuildAdapterGraphs(std::size_t count);
  void DestroyGraphs();
  void PlaceGraph(std::size_t index);
  void RefreshGraphs();
  void Layout();
  bool OnNotify(const NMHDR& header, LRESULT& result);

  HWND page_;
  HFONT font_;
  NetworkingPage& logic_;
  ui::ListModel& model_;
  AdapterCollector& collector_;
  HWND list_ = nullptr;
  std::unique_ptr<ui::ListViewBinding> binding_;
  std::vector<Graph> graphs_;
};

}  // namespace net
