// Controls, layout, context menu and command routing of the Processes page.
#include "procs/processes_view_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>

#include "procs/affinity_dialog_win32.h"
#include "ui/controls_win32.h"
#include "ui/dpi_win32.h"

namespace procs {

namespace {

constexpr int kPageBorder = 12;
constexpr int kPanelHeight = 36;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 25;
constexpr int kCheckWidth = 144;  // its text and box, with a few pixels to spare
constexpr int kCheckHeight = 17;
constexpr int kGap = 6;
constexpr int kLabelWidth = 48;
constexpr int kFinderSize = 20;  // the crosshair's box
constexpr int kFilterWidth = 200;  // at most; narrower as the window narrows
constexpr int kFilterMinWidth = 24;
constexpr int kFilterHeight = 21;
constexpr UINT_PTR kFilterSubclass = 1;
constexpr UINT_PTR kTreeKeysSubclass = 2;

// Perceived brightness below the middle (ITU-R BT.601 weights).
bool IsDark(COLORREF colour) {
  return 299 * GetRValue(colour) + 587 * GetGValue(colour) + 114 * GetBValue(colour) < 128'000;
}

// Esc in the filter box clears it; the dialog navigation would otherwise take it.
LRESULT CALLBACK FilterBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_GETDLGCODE:
      if (wParam == VK_ESCAPE) return DefSubclassProc(box, message, wParam, lParam) | DLGC_WANTMESSAGE;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        SetWindowTextW(box, L"");
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == VK_ESCAPE) return 0;  // no beep
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, FilterBoxProc, kFilterSubclass);
      break;
    default:
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

// The priority submenu in menu order, by tag.
struct PriorityItem {
  const wchar_t* caption;
  int tag;
};
constexpr std::array<PriorityItem, 6> kPriorityItems{{
    {L"实时(&R)", 0},
    {L"高(&H)", 1},
    {L"高于标准(&A)", 4},
    {L"标准(&N)", 2},
    {L"低于标准(&B)", 5},
    {L"低(&L)", 3},
}};

}  // namespace

ProcessesView::ProcessesView(HWND page, HFONT font, ProcessesPage& logic, ui::ListModel& model,
                             const int& cpuInstanceCount)
    : page_(page), font_(font), cpuInstanceCount_(cpuInstanceCount), logic_(logic), model_(model) {
  logic_.SetOwnProcessId(GetCurrentProcessId());
  CreateControls(font);
  BuildPopupMenu();
  ui::SetPageContent(page_, this);
  logic_.SetColumnsChangedHandler([this] { ShowColumns(); });
  Layout();
}

ProcessesView::~ProcessesView() {
  RemoveWindowSubclass(list_, TreeKeysProc, kTreeKeysSubclass);
  logic_.SetColumnsChangedHandler(nullptr);
  ui::SetPageContent(page_, nullptr);
}

void ProcessesView::ShowColumns() {
  binding_->SetColumns(logic_.ListColumns());
  const auto sorted = logic_.SortColumn();
  binding_->ShowSortMark(sorted.value_or(static_cast<std::size_t>(-1)), logic_.SortDescending());
}

void ProcessesView::lv_ProcColumnClick(int column) {
  if (column < 0) return;
  logic_.SortByColumn(static_cast<std::size_t>(column));
  const auto sorted = logic_.SortColumn();
  binding_->ShowSortMark(sorted.value_or(static_cast<std::size_t>(-1)), logic_.SortDescending());
}

void ProcessesView::CreateControls(HFONT font) {
  list_ = ui::CreateChild(page_, WC_LISTVIEWW, L"",
                           WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                               LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                           WS_EX_CLIENTEDGE, 0, font);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  binding_ = std::make_unique<ui::ListViewBinding>(list_, model_);
  binding_->SetColumns(logic_.ListColumns());
  SetWindowSubclass(list_, TreeKeysProc, kTreeKeysSubclass, reinterpret_cast<DWORD_PTR>(this));

  allUsers_ = ui::CreateChild(page_, L"BUTTON", L"显示所有用户的进程(&S)",
                               WS_TABSTOP | BS_AUTOCHECKBOX, 0, kCmdAllUsers, font);
  finder_ = std::make_unique<WindowFinder>(page_, kCmdWindowFinder,
                                           [this](std::uint32_t pid) { ShowFoundProcess(pid); });
  // The label's & letter puts the cursor in the box that follows it.
  filterLabel_ = ui::CreateChild(page_, L"STATIC", L"筛选(&L):", SS_LEFT, 0, 0, font);
  filterBox_ = ui::CreateChild(page_, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL,
                               WS_EX_CLIENTEDGE, kCmdFilter, font);
  SetWindowSubclass(filterBox_, FilterBoxProc, kFilterSubclass, 0);
  killButton_ = ui::CreatePushButton(page_, L"结束进程(&E)", kCmdKillProcess, font);
}

void ProcessesView::BuildPopupMenu() {
  popup_.reset(CreatePopupMenu());
  priorityMenu_ = CreatePopupMenu();
  for (std::size_t i = 0; i < kPriorityItems.size(); ++i) {
    AppendMenuW(priorityMenu_, MF_STRING, kCmdPriorityFirst + kPriorityItems[i].tag,
                kPriorityItems[i].caption);
  }
  // Only the first priority item is drawn as a radio item.
  MENUITEMINFOW radio{};
  radio.cbSize = sizeof(radio);
  radio.fMask = MIIM_FTYPE;
  radio.fType = MFT_STRING | MFT_RADIOCHECK;
  SetMenuItemInfoW(priorityMenu_, 0, TRUE, &radio);

  HMENU menu = popup_.get();
  AppendMenuW(menu, MF_STRING, kCmdKillProcess, L"结束进程(&E)");
  AppendMenuW(menu, MF_STRING, kCmdDebug, L"调试(&D)");
  AppendMenuW(menu, MF_STRING, kCmdKillTree, L"结束进程树(&T)");
  AppendMenuW(menu, MF_STRING, kCmdSuspend, L"挂起进程(&U)");
  AppendMenuW(menu, MF_STRING, kCmdResume, L"恢复进程(&R)");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(priorityMenu_), L"设置进程优先级(&P)");
  AppendMenuW(menu, MF_STRING, kCmdAffinity, L"关系设置(&A)");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kCmdFindTarget, L"查找目标(&F)");
  AppendMenuW(menu, MF_STRING, kCmdGoToServices, L"转到服务(&V)");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | MF_GRAYED, kCmdNetworkState, L"网络连接状态(&O)");
}

void ProcessesView::Layout() {
  const ui::Scaler px(page_);
  RECT area{};
  GetClientRect(page_, &area);
  InflateRect(&area, -px(kPageBorder), -px(kPageBorder));
  const int width = std::max(0L, area.right - area.left);
  const int panelTop = std::max(area.top, area.bottom - px(kPanelHeight));
  MoveWindow(list_, area.left, area.top, width, panelTop - area.top, TRUE);
  MoveWindow(allUsers_, area.left, panelTop + (px(kPanelHeight) - px(kCheckHeight)) / 2,
             px(kCheckWidth), px(kCheckHeight), TRUE);
  const int finderLeft = area.left + px(kCheckWidth) + px(kGap);
  MoveWindow(finder_->Handle(), finderLeft, panelTop + (px(kPanelHeight) - px(kFinderSize)) / 2,
             px(kFinderSize), px(kFinderSize), TRUE);
  // The label stands close by, so that at the window's smallest width the
  // filter box still fits beside the button.
  const int labelLeft = finderLeft + px(kFinderSize) + px(2);
  const int boxLeft = labelLeft + px(kLabelWidth);
  const int boxWidth = std::clamp<int>(area.right - px(kButtonWidth) - px(kGap) - boxLeft,
                                       px(kFilterMinWidth), px(kFilterWidth));
  MoveWindow(filterLabel_, labelLeft, panelTop + (px(kPanelHeight) - px(kCheckHeight)) / 2 + px(2),
             px(kLabelWidth), px(kCheckHeight), TRUE);
  MoveWindow(filterBox_, boxLeft, panelTop + (px(kPanelHeight) - px(kFilterHeight)) / 2, boxWidth,
             px(kFilterHeight), TRUE);
  MoveWindow(killButton_, area.right - px(kButtonWidth),
             panelTop + (px(kPanelHeight) - px(kButtonHeight)) / 2, px(kButtonWidth),
             px(kButtonHeight), TRUE);
  RedrawWindow(page_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool ProcessesView::HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return true;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.hwndFrom == list_ && header.code == NM_CUSTOMDRAW) {
        result = CustomDrawList(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return true;
      }
      if (header.hwndFrom == list_ && header.code == NM_CLICK) {
        ClickList(reinterpret_cast<const NMITEMACTIVATE&>(header));
      } else if (header.hwndFrom == list_ && header.code == LVN_COLUMNCLICK) {
        lv_ProcColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
      } else if (header.hwndFrom == list_ && header.code == LVN_KEYDOWN &&
                 reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == 'F' &&
                 GetKeyState(VK_CONTROL) < 0) {
        FocusFilter();
      } else if (binding_->HandleNotify(header)) {
        lv_ProcSelectItem();
      }
      result = 0;
      return true;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kCmdFilter) {
        if (HIWORD(wParam) == EN_CHANGE) {
          const int length = GetWindowTextLengthW(filterBox_);
          std::wstring text(static_cast<std::size_t>(std::max(0, length)) + 1, L'\0');
          text.resize(static_cast<std::size_t>(
              GetWindowTextW(filterBox_, text.data(), static_cast<int>(text.size()))));
          logic_.SetFilterText(text);
        }
      } else if (HIWORD(wParam) == BN_CLICKED) {
        ExecuteCommand(LOWORD(wParam));
      }
      return true;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != list_) return false;
      ShowPopup(lParam);
      return true;
    default:
      return false;
  }
}

void ProcessesView::ShowPopup(LPARAM screenPoint) {
  const POINT at = ui::ContextMenuPoint(list_, screenPoint, model_.FirstSelected());
  EnableNetworkState();
  EnableMenuItem(popup_.get(), kCmdDebug,
                 MF_BYCOMMAND | (logic_.DebuggerRegistered() ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(popup_.get(), kCmdSuspend,
                 MF_BYCOMMAND | (logic_.CanSuspend() ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(popup_.get(), kCmdResume,
                 MF_BYCOMMAND | (logic_.CanResume() ? MF_ENABLED : MF_GRAYED));
  const auto pid = logic_.SelectedPid();
  const bool hostsServices = pid && HostsServices && HostsServices(*pid);
  EnableMenuItem(popup_.get(), kCmdGoToServices,
                 MF_BYCOMMAND | (hostsServices ? MF_ENABLED : MF_GRAYED));
  const UINT id = TrackPopupMenu(popup_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                 page_, nullptr);
  if (id != 0) ExecuteCommand(id);
}

void ProcessesView::ExecuteCommand(UINT id) {
  if (id >= kCmdPriorityFirst && id <= kCmdPriorityLast) {
    N42Click(static_cast<int>(id - kCmdPriorityFirst));
    return;
  }
  switch (id) {
    case kCmdKillProcess: logic_.act_KillProcExecute(); break;
    case kCmdKillTree: logic_.N38Click(); break;
    case kCmdSuspend: logic_.SuspendProcess(); break;
    case kCmdResume: logic_.ResumeProcess(); break;
    case kCmdDebug: logic_.N37Click(); break;
    case kCmdAffinity: N41Click(); break;
    case kCmdFindTarget: logic_.N34Click(); break;
    case kCmdNetworkState:
      if (N12Click) N12Click();
      break;
    case kCmdGoToServices:
      if (const auto pid = logic_.SelectedPid(); pid && GoToServices) GoToServices(*pid);
      break;
    case kCmdAllUsers:
      logic_.SetShowAllUsers(SendMessageW(allUsers_, BM_GETCHECK, 0, 0) == BST_CHECKED);
      break;
    default: break;
  }
}

bool ProcessesView::ShowProcess(std::uint32_t pid) {
  if (!logic_.ShowAndSelectProcess(pid)) return false;
  // The check box and the filter box say what the page shows now.
  SendMessageW(allUsers_, BM_SETCHECK, logic_.ShowAllUsers() ? BST_CHECKED : BST_UNCHECKED, 0);
  if (logic_.FilterText().empty() && GetWindowTextLengthW(filterBox_) > 0)
    SetWindowTextW(filterBox_, L"");
  lv_ProcSelectItem();
  return true;
}

void ProcessesView::ShowFoundProcess(std::uint32_t pid) {
  if (!ShowProcess(pid)) {
    MessageBeep(MB_OK);
    return;
  }
  SetFocus(list_);
}

void ProcessesView::SetTreeView(bool on) {
  if (on && !indentImages_) {
    const int side = GetSystemMetrics(SM_CXSMICON);
    indentImages_.reset(ImageList_Create(side, side, ILC_COLOR32, 0, 1));
  }
  // LVITEM.iIndent counts in widths of the small images: without them nothing indents.
  ListView_SetImageList(list_, on ? indentImages_.get() : nullptr, LVSIL_SMALL);
  logic_.SetTreeView(on);
  InvalidateRect(list_, nullptr, TRUE);
}

LRESULT ProcessesView::CustomDrawList(NMLVCUSTOMDRAW& draw) {
  if (!logic_.TreeView()) return CDRF_DODEFAULT;
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPREPAINT: {
      const TreeLine* line = logic_.TreeLineOf(draw.nmcd.dwItemSpec);
      if (line != nullptr && line->ancestorOnly) draw.clrText = GetSysColor(COLOR_GRAYTEXT);
      return CDRF_DODEFAULT;
    }
    case CDDS_POSTPAINT: {
      // Once every row is drawn: Wine paints a selected row's highlight after
      // that row's own post-paint, over anything drawn there.
      const int top = ListView_GetTopIndex(list_);
      const int bottom = top + ListView_GetCountPerPage(list_) + 1;
      for (int item = top; item <= bottom && item < ListView_GetItemCount(list_); ++item)
        DrawExpander(draw.nmcd.hdc, item);
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

void ProcessesView::DrawExpander(HDC dc, int item) {
  const TreeLine* line = logic_.TreeLineOf(static_cast<std::size_t>(item));
  RECT icon{};
  if (line == nullptr || !line->hasChildren ||
      !ListView_GetItemRect(list_, item, &icon, LVIR_ICON))
    return;
  // A small triangle in the image's place: ▸ folded, ▾ open.
  const int cx = (icon.left + icon.right) / 2;
  const int cy = (icon.top + icon.bottom) / 2;
  const int r = std::max(2, static_cast<int>(icon.bottom - icon.top) / 4);
  std::array<POINT, 3> points;
  if (line->folded) {
    points = {{{cx - r / 2, cy - r}, {cx - r / 2, cy + r}, {cx + r / 2 + 1, cy}}};
  } else {
    points = {{{cx - r, cy - r / 2}, {cx + r, cy - r / 2}, {cx, cy + r / 2 + 1}}};
  }
  // A selected row's highlight may or may not reach the image's place (it does
  // not under Wine): the triangle takes the colour that stands out from what
  // was painted there.
  COLORREF colour = GetSysColor(COLOR_WINDOWTEXT);
  if (ListView_GetItemState(list_, item, LVIS_SELECTED) != 0) {
    const COLORREF behind = GetPixel(dc, icon.left, icon.top);
    if (behind != CLR_INVALID && IsDark(behind)) colour = RGB(255, 255, 255);
  }
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
  const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
  SetDCBrushColor(dc, colour);
  SetDCPenColor(dc, colour);
  Polygon(dc, points.data(), static_cast<int>(points.size()));
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void ProcessesView::ClickList(const NMITEMACTIVATE& click) {
  if (!logic_.TreeView() || click.iItem < 0) return;
  const TreeLine* line = logic_.TreeLineOf(static_cast<std::size_t>(click.iItem));
  RECT icon{};
  if (line == nullptr || !line->hasChildren ||
      !ListView_GetItemRect(list_, click.iItem, &icon, LVIR_ICON) ||
      !PtInRect(&icon, click.ptAction))
    return;
  logic_.SetFolded(static_cast<std::size_t>(click.iItem), !line->folded);
  lv_ProcSelectItem();
}

// ←, → and * of the numeric pad act on the tree instead of scrolling sideways.
LRESULT CALLBACK ProcessesView::TreeKeysProc(HWND list, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto* view = reinterpret_cast<ProcessesView*>(self);
  if (message == WM_KEYDOWN && view->logic_.TreeView() &&
      (wParam == VK_LEFT || wParam == VK_RIGHT || wParam == VK_MULTIPLY)) {
    const auto key = wParam == VK_LEFT    ? ProcessesPage::TreeKey::kLeft
                     : wParam == VK_RIGHT ? ProcessesPage::TreeKey::kRight
                                          : ProcessesPage::TreeKey::kOpenBranch;
    if (view->logic_.TreeKeyDown(key)) view->lv_ProcSelectItem();
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(list, TreeKeysProc, kTreeKeysSubclass);
  return DefSubclassProc(list, message, wParam, lParam);
}

void ProcessesView::FocusFilter() {
  SetFocus(filterBox_);
  SendMessageW(filterBox_, EM_SETSEL, 0, -1);
}

void ProcessesView::lv_ProcSelectItem() {
  EnableNetworkState();
  const auto pid = logic_.SelectedPid();
  if (!pid) return;
  const int current = logic_.PriorityIndexOf(*pid);
  for (const PriorityItem& item : kPriorityItems) {
    CheckMenuItem(priorityMenu_, kCmdPriorityFirst + item.tag,
                  MF_BYCOMMAND | (item.tag == current ? MF_CHECKED : MF_UNCHECKED));
  }
}

void ProcessesView::N42Click(int tag) {
  const auto pid = logic_.SelectedPid();
  if (!pid) return;
  const bool set = logic_.SetProcessPriority(*pid, tag);
  CheckMenuItem(priorityMenu_, kCmdPriorityFirst + tag,
                MF_BYCOMMAND | (set ? MF_CHECKED : MF_UNCHECKED));
}

void ProcessesView::N41Click() {
  AffinityDialog dialog(GetAncestor(page_, GA_ROOT), font_);
  logic_.N41Click(dialog, cpuInstanceCount_ - 1);
}

void ProcessesView::EnableNetworkState() {
  EnableMenuItem(popup_.get(), kCmdNetworkState,
                 MF_BYCOMMAND | (model_.SelectedCount() > 0 ? MF_ENABLED : MF_GRAYED));
}

}  // namespace procs
