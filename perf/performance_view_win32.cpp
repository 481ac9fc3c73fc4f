// Controls, placement and repainting of the Performance page.
#include "perf/performance_view_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "perf/graph_tips.h"
#include "ui/controls_win32.h"
#include "ui/dpi_win32.h"

namespace perf {
namespace {

constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr int kNoGraph = -1;
constexpr int kPageFileGraph = -2;

bool Contains(const ui::Rect& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Captions of the figure boxes and of their rows, in FigureBox order.
constexpr const wchar_t* kBoxCaptions[kFigureBoxCount] = {L"总数", L"物理内存(K)", L"核心内存(K)",
                                                          L"认可用量(K)"};
constexpr const wchar_t* kRowCaptions[kFigureBoxCount][3] = {
    {L"句柄数", L"线程数", L"进程数"},
    {L"总数", L"可用数", L"系统缓存"},
    {L"总数", L"分页数", L"未分页"},
    {L"总数", L"限制", L"峰值"},
};

HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                 HFONT font) {
  return ui::CreateChild(parent, className, text, WS_CLIPSIBLINGS | style, 0, 0, font);
}

HWND CreateGroupBox(HWND parent, const wchar_t* caption, HFONT font) {
  return ui::CreateGroupBox(parent, caption, font, WS_CLIPSIBLINGS);
}

void Place(HWND control, const ui::Rect& r) {
  MoveWindow(control, r.left, r.top, r.Width(), r.Height(), TRUE);
}

}  // namespace

PerformanceView::PerformanceView(HWND page, HFONT font, PerformancePage& logic, HWND statusBar)
    : page_(page), font_(font), logic_(logic), statusBar_(statusBar) {
  CreateControls();
  graphTip_ = std::make_unique<ui::Tooltip>(page_);
  ui::SetPageContent(page_, this);
  Layout();
}

PerformanceView::~PerformanceView() { ui::SetPageContent(page_, nullptr); }

void PerformanceView::CreateControls() {
  gb_CpuTotal_ = CreateGroupBox(page_, L"CPU使用", font_);
  gb_CPU1_ = CreateGroupBox(page_, L"CPU 使用记录", font_);
  gb_MemTotal_ = CreateGroupBox(page_, L"PF使用率", font_);
  gb_mem_ = CreateGroupBox(page_, L"页面文件使用记录", font_);
  for (int b = 0; b < kFigureBoxCount; ++b) {
    figureBoxes_[b] = CreateGroupBox(page_, kBoxCaptions[b], font_);
    for (int r = 0; r < 3; ++r) {
      captions_[b][r] = CreateChild(page_, L"STATIC", kRowCaptions[b][r], SS_LEFT, font_);
      values_[b][r] = CreateChild(page_, L"STATIC", L"", SS_RIGHT, font_);
    }
  }
  cpuMeter_ = std::make_unique<ui::RasterView>(page_, &logic_.CpuMeter());
  pageFileMeter_ = std::make_unique<ui::RasterView>(page_, &logic_.PageFileMeter());
  pageFileGraph_ = std::make_unique<ui::RasterView>(page_, &logic_.PageFileGraph().Picture());
  // The group boxes lie under everything placed inside them.
  for (HWND box : {gb_CpuTotal_, gb_CPU1_, gb_MemTotal_, gb_mem_})
    SetWindowPos(box, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (HWND box : figureBoxes_)
    SetWindowPos(box, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Boxes and labels follow the page at once; graphs and meters wait for the
// layout message.
void PerformanceView::Layout() {
  RECT client{};
  GetClientRect(page_, &client);
  logic_.SetPageSize(client.right, client.bottom, ui::WindowDpi(page_));
  const PerformanceLayout& l = logic_.Layout();
  Place(gb_CpuTotal_, l.gb_CpuTotal);
  Place(gb_CPU1_, l.gb_CPU1);
  Place(gb_MemTotal_, l.gb_MemTotal);
  Place(gb_mem_, l.gb_mem);
  for (int b = 0; b < kFigureBoxCount; ++b) {
    Place(figureBoxes_[b], l.figureBoxes[b]);
    for (int r = 0; r < 3; ++r) {
      Place(captions_[b][r], l.rowCaptions[b][r]);
      Place(values_[b][r], l.rowValues[b][r]);
    }
  }
}

void PerformanceView::CreateCpuGraphs(int count) {
  logic_.CreateCpuGraphs(count);
  cpuGraphs_.resize(static_cast<std::size_t>(logic_.CpuGraphCount()));
  for (int i = 0; i < logic_.CpuGraphCount(); ++i) {
    auto& view = cpuGraphs_[static_cast<std::size_t>(i)];
    if (!view) view = std::make_unique<ui::RasterView>(page_, nullptr);
    // The logic may have made its graphs anew: point at them again.
    view->SetPicture(&logic_.CpuGraph(i).Picture());
    view->MoveTo(logic_.CpuGraphRects()[static_cast<std::size_t>(i)]);
  }
  InvalidateRect(gb_CPU1_, nullptr, TRUE);
}

void PerformanceView::LayoutGraphs() {
  logic_.LayoutGraphs();
  for (int i = 0; i < logic_.CpuGraphCount(); ++i) {
    cpuGraphs_[static_cast<std::size_t>(i)]->MoveTo(logic_.CpuGraphRects()[static_cast<std::size_t>(i)]);
    cpuGraphs_[static_cast<std::size_t>(i)]->Refresh();
  }
  const ui::Rect& cpu = logic_.CpuMeterRect();
  const ui::Rect& pageFile = logic_.PageFileMeterRect();
  cpuMeter_->MoveTo(cpu);
  pageFileMeter_->MoveTo(pageFile);
  const CaptionAt cpuCaption = CpuMeterCaptionAt(cpu, logic_.Dpi());
  const CaptionAt pageFileCaption = PageFileMeterCaptionAt(pageFile, logic_.Dpi());
  cpuMeter_->SetCaptionStyle(font_, kLime, cpuCaption.x, cpuCaption.y);
  pageFileMeter_->SetCaptionStyle(font_, kLime, pageFileCaption.x, pageFileCaption.y);
  pageFileGraph_->MoveTo(logic_.PageFileRect());
  pageFileGraph_->Refresh();
}

void PerformanceView::UpdateGraphs() {
  logic_.UpdateGraphs();
  for (auto& graph : cpuGraphs_) graph->Refresh();
  pageFileGraph_->Refresh();
  // The curve moved under a resting pointer: an older sample lies there now.
  if (graphTip_->Tracking()) ShowGraphTip(tipPoint_);
}

int PerformanceView::GraphAt(POINT point, int& column) const {
  for (int i = 0; i < logic_.CpuGraphCount(); ++i) {
    const ui::Rect& r = logic_.CpuGraphRects()[static_cast<std::size_t>(i)];
    if (!Contains(r, point)) continue;
    column = point.x - r.left;
    return i;
  }
  if (Contains(logic_.PageFileRect(), point)) {
    column = point.x - logic_.PageFileRect().left;
    return kPageFileGraph;
  }
  return kNoGraph;
}

void PerformanceView::ShowGraphTip(POINT point) {
  tipPoint_ = point;
  int column = 0;
  const int graph = GraphAt(point, column);
  if (graph == kNoGraph) return HideGraphTip();
  const int width = graph == kPageFileGraph ? logic_.PageFileGraph().Width()
                                            : logic_.CpuGraph(graph).Width();
  const CulpritRecord& record = logic_.Record();
  const int age = SampleAgeAt(column, width);
  if (age < 0 || age >= record.Count()) return HideGraphTip();
  const std::uint32_t sample = record.Recorded() - static_cast<std::uint32_t>(age);
  POINT screen = point;
  ClientToScreen(page_, &screen);
  if (graphTip_->Tracking() && graph == tipGraph_ && sample == tipSample_) {
    graphTip_->Track(screen, graphTip_->TrackText());  // only moved
  } else {
    // With one processor its graph is the whole machine's.
    const GraphKind kind = graph == kPageFileGraph       ? GraphKind::kPageFile
                           : logic_.CpuGraphCount() == 1 ? GraphKind::kCpuTotal
                                                         : GraphKind::kProcessor;
    const std::wstring text = GraphTipText(record, kind, graph, age);
    if (text.empty()) return HideGraphTip();
    tipGraph_ = graph;
    tipSample_ = sample;
    graphTip_->Track(screen, text);
  }
  if (!leaveAsked_) {
    TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, page_, 0};
    leaveAsked_ = TrackMouseEvent(&leave) != FALSE;
  }
}

void PerformanceView::HideGraphTip() {
  graphTip_->HideTrack();
  tipGraph_ = kNoGraph;
}

void PerformanceView::UpdateTotals() {
  logic_.UpdateTotals();
  const PerformanceTexts& t = logic_.Texts();
  // Each new panel text paints its panel at once: cheaper than holding the
  // bar's drawing and painting it whole once.
  SetStatusText(0, t.statusProcesses);
  SetStatusText(1, t.statusCpu);
  SetStatusText(2, t.statusMemory);
  // A hidden page's figures are written when it is shown: each text is a call
  // to the system, and several figures change at every tick.
  if (IsWindowVisible(page_)) ShowFigures();
  cpuMeter_->SetCaption(t.lb_cpu);
  pageFileMeter_->SetCaption(t.lb_Pf);
  cpuMeter_->Refresh();
  pageFileMeter_->Refresh();
}

void PerformanceView::ShowFigures() {
  const PerformanceTexts& t = logic_.Texts();
  for (int b = 0; b < kFigureBoxCount; ++b) {
    for (int r = 0; r < 3; ++r) {
      if (t.figures[b][r] == shownValues_[b][r]) continue;
      shownValues_[b][r] = t.figures[b][r];
      SetWindowTextW(values_[b][r], t.figures[b][r].c_str());
    }
  }
}

void PerformanceView::SetStatusText(int panel, const std::wstring& text) {
  auto& shown = shownStatus_[static_cast<std::size_t>(panel)];
  if (text == shown) return;
  shown = text;
  SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(panel),
               reinterpret_cast<LPARAM>(text.c_str()));
}

void PerformanceView::PageShown(bool shown) {
  if (!shown && graphTip_) HideGraphTip();
  logic_.SetGraphsShown(shown);
  if (shown) ShowFigures();  // what changed while the page was hidden
}

bool PerformanceView::HandlePageMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return true;
    case WM_MOUSEMOVE:
      ShowGraphTip({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return true;
    case WM_MOUSELEAVE:
      leaveAsked_ = false;
      HideGraphTip();
      return true;
    default:
      return false;
  }
}

}  // namespace perf
