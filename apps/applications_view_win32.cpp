// Controls, layout, image lists, view styles, context menu and command routing of
// the Applications page.
#include "apps/applications_view_win32.h"

#include <algorithm>
#include <utility>

#include "ui/controls_win32.h"
#include "ui/dpi_win32.h"

namespace apps {

using platform::win32::UniqueMenu;

namespace {

constexpr int kPageBorder = 14;
constexpr int kPanelHeight = 28;  // GroupboxT
constexpr int kButtonWidth = 77;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 8;
constexpr int kStatusColumnWidth = 100;

HICON ToIcon(platform::IconHandle icon) {
  return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(icon));
}

// Appends the items that are shown, with no separator first, last or twice.
class MenuBuilder {
 public:
  explicit MenuBuilder(HMENU menu) : menu_(menu) {}
  void Item(bool shown, UINT id, const wchar_t* caption, bool enabled = true,
            bool checked = false) {
    if (!shown) return;
    if (separatorWaiting_ && any_) AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
    separatorWaiting_ = false;
    AppendMenuW(menu_, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED) |
                           (checked ? MF_CHECKED : MF_UNCHECKED), id, caption);
    any_ = true;
  }
  void Separator() { separatorWaiting_ = true; }

 private:
  HMENU menu_;
  bool any_ = false;
  bool separatorWaiting_ = false;
};

}  // namespace

ApplicationsView::ApplicationsView(HWND page, HFONT font, ApplicationsPage& logic,
                                   ui::ListModel& model, ApplicationsViewHooks hooks)
    : page_(page), logic_(logic), model_(model), hooks_(std::move(hooks)) {
  CreateControls(font);
  logic_.SetImageLists(this);
  ui::SetPageContent(page_, this);
  Layout();
}

ApplicationsView::~ApplicationsView() {
  logic_.SetImageLists(nullptr);
  ui::SetPageContent(page_, nullptr);
  if (IsWindow(list_)) {
    ListView_SetImageList(list_, nullptr, LVSIL_NORMAL);
    ListView_SetImageList(list_, nullptr, LVSIL_SMALL);
  }
}

void ApplicationsView::CreateControls(HFONT font) {
  // Several items may be selected; the image lists are ours, not the control's.
  list_ = ui::CreateChild(page_, WC_LISTVIEWW, L"",
                           WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS |
                               LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS,
                           WS_EX_CLIENTEDGE, 0, font);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  MakeImageLists(ui::WindowDpi(page_));
  binding_ = std::make_unique<ui::ListViewBinding>(list_, model_);
  binding_->SetColumns(ApplicationsPage::Columns());

  killButton_ = ui::CreatePushButton(page_, L"结束任务(&E)", kCmdTaskKill, font);
  switchButton_ = ui::CreatePushButton(page_, L"切换至(&S)", kCmdTaskSwitch, font);
  newButton_ = ui::CreatePushButton(page_, L"新任务(&N)...", kCmdTaskNew, font);
}

// Icons at the system's sizes for the DPI, so they are not drawn small. Lists
// that could not be made leave the ones the control shows.
void ApplicationsView::MakeImageLists(int dpi) {
  const int big = ui::SystemMetricForDpi(SM_CXICON, dpi);
  const int small = ui::SystemMetricForDpi(SM_CXSMICON, dpi);
  platform::win32::UniqueImageList large(ImageList_Create(big, big, ILC_COLOR32 | ILC_MASK, 8, 8));
  platform::win32::UniqueImageList smallList(
      ImageList_Create(small, small, ILC_COLOR32 | ILC_MASK, 8, 8));
  if (!large || !smallList) return;
  // The control lets go of the old lists before they are destroyed.
  ListView_SetImageList(list_, large.get(), LVSIL_NORMAL);
  ListView_SetImageList(list_, smallList.get(), LVSIL_SMALL);
  large_ = std::move(large);
  small_ = std::move(smallList);
}

void ApplicationsView::DpiChanged(int dpi) {
  MakeImageLists(dpi);
  logic_.RefetchIcons();
}

HWND ApplicationsView::Button(UINT id) const {
  switch (id) {
    case kCmdTaskKill: return killButton_;
    case kCmdTaskSwitch: return switchButton_;
    case kCmdTaskNew: return newButton_;
    default: return nullptr;
  }
}

void ApplicationsView::Layout() {
  const ui::Scaler px(page_);
  RECT area{};
  GetClientRect(page_, &area);
  InflateRect(&area, -px(kPageBorder), -px(kPageBorder));
  const int width = std::max(0L, area.right - area.left);
  const int panelTop = std::max(area.top, area.bottom - px(kPanelHeight));
  MoveWindow(list_, area.left, area.top, width, panelTop - area.top, TRUE);
  // The buttons keep to the right edge, in the order the user reads them.
  const int buttonTop = panelTop + (px(kPanelHeight) - px(kButtonHeight)) / 2;
  int left = area.right - 3 * px(kButtonWidth) - 2 * px(kButtonGap);
  for (HWND button : {killButton_, switchButton_, newButton_}) {
    MoveWindow(button, left, buttonTop, px(kButtonWidth), px(kButtonHeight), TRUE);
    left += px(kButtonWidth) + px(kButtonGap);
  }
  FitTaskColumn();
}

void ApplicationsView::FitTaskColumn() {
  const ui::Scaler px(page_);
  RECT client{};
  GetClientRect(list_, &client);
  const int free = std::max(px(40), static_cast<int>(client.right) - px(kStatusColumnWidth));
  ListView_SetColumnWidth(list_, 0, free);
  ListView_SetColumnWidth(list_, 1, px(kStatusColumnWidth));
}

void ApplicationsView::SetView(TaskView view) {
  view_ = view;
  const DWORD type = view == TaskView::kLargeIcons   ? LVS_ICON
                     : view == TaskView::kSmallIcons ? LVS_SMALLICON
                                                     : LVS_REPORT;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(list_, GWL_STYLE));
  SetWindowLongPtrW(list_, GWL_STYLE, static_cast<LONG_PTR>((style & ~LVS_TYPEMASK) | type));
  if (view != TaskView::kReport) ListView_Arrange(list_, LVA_DEFAULT);
  FitTaskColumn();
  InvalidateRect(list_, nullptr, TRUE);
  ApplyCommands();
}

void ApplicationsView::ApplyCommands() {
  const TaskCommands& c = logic_.Commands();
  EnableWindow(killButton_, c.killTaskEnabled);
  EnableWindow(switchButton_, c.changeEnabled);
  ShowWindow(switchButton_, c.changeVisible ? SW_SHOWNA : SW_HIDE);
  if (hooks_.commandsChanged) hooks_.commandsChanged();
}

UniqueMenu ApplicationsView::BuildPopupMenu() const {
  const TaskCommands& c = logic_.Commands();
  UniqueMenu popup(CreatePopupMenu());
  MenuBuilder menu(popup.get());
  menu.Item(true, kCmdTaskNew, L"新建任务(运行...)(&R)");
  menu.Separator();
  menu.Item(c.changeItemVisible, kCmdTaskSwitch, L"切换至(&S)", c.changeEnabled);
  menu.Item(true, kCmdTaskBigIcon, L"大图标(&G)", true, view_ == TaskView::kLargeIcons);
  menu.Item(c.smallIconVisible, kCmdTaskSmallIcon, L"小图标(&M)", true,
            view_ == TaskView::kSmallIcons);
  menu.Item(c.detailVisible, kCmdTaskDetail, L"详细信息(&D)", true, view_ == TaskView::kReport);
  menu.Item(c.frontItemVisible, kCmdTaskFront, L"前置(&B)");
  menu.Separator();
  menu.Item(c.minimizeVisible, kCmdTaskMinimize, L"最小化(&M)");
  menu.Item(c.maximizeVisible, kCmdTaskMaximize, L"最大化(&X)");
  menu.Item(c.arrangeVisible, kCmdTaskCascade, L"层叠(&C)");
  menu.Item(c.arrangeVisible, kCmdTaskTileHorizontal, L"横向平铺(&H)");
  menu.Item(c.arrangeVisible, kCmdTaskTileVertical, L"纵向平铺(&V)");
  menu.Separator();
  menu.Item(c.killItemVisible, kCmdTaskKill, L"结束任务(&E)", c.killTaskEnabled);
  menu.Item(c.goProcVisible, kCmdTaskGoProcess, L"转到进程(&G)");
  // "切换至" is the default item, drawn bold.
  SetMenuDefaultItem(popup.get(), kCmdTaskSwitch, FALSE);
  return popup;
}

void ApplicationsView::ExecuteCommand(UINT id) {
  switch (id) {
    case kCmdTaskKill: logic_.act_KillTaskExecute(); break;
    case kCmdTaskSwitch:
      if (logic_.act_ChangeExecute() && hooks_.switched) hooks_.switched();
      break;
    case kCmdTaskNew:
      if (hooks_.newTask) hooks_.newTask();
      break;
    case kCmdTaskBigIcon: SetView(TaskView::kLargeIcons); break;
    case kCmdTaskSmallIcon: SetView(TaskView::kSmallIcons); break;
    case kCmdTaskDetail: SetView(TaskView::kReport); break;
    case kCmdTaskFront: logic_.act_TopExecute(); break;
    case kCmdTaskMinimize: logic_.act_MinExecute(); break;
    case kCmdTaskMaximize: logic_.act_MaxExecute(); break;
    case kCmdTaskCascade: logic_.act_CasExecute(); break;
    case kCmdTaskTileHorizontal: logic_.act_HExecute(); break;
    case kCmdTaskTileVertical: logic_.act_VExecute(); break;
    case kCmdTaskGoProcess:
      if (const auto pid = logic_.ProcessOfSelected(); pid && hooks_.goToProcess)
        hooks_.goToProcess(*pid);
      break;
    default: break;
  }
}

bool ApplicationsView::Put(int slot, platform::IconHandle large, platform::IconHandle small) {
  const int count = ImageList_GetImageCount(large_.get());
  if (slot < 0 || slot > count || ImageList_GetImageCount(small_.get()) != count) return false;
  const int at = slot < count ? slot : -1;  // -1 appends
  const int bigIndex = ImageList_ReplaceIcon(large_.get(), at, ToIcon(large));
  if (bigIndex != slot) {
    if (at < 0 && bigIndex >= 0) ImageList_Remove(large_.get(), bigIndex);
    return false;
  }
  const int smallIndex = ImageList_ReplaceIcon(small_.get(), at, ToIcon(small != 0 ? small : large));
  if (smallIndex != slot) {
    // The two lists must keep the same places.
    if (at < 0) ImageList_Remove(large_.get(), bigIndex);
    if (at < 0 && smallIndex >= 0) ImageList_Remove(small_.get(), smallIndex);
    return false;
  }
  return true;
}

bool ApplicationsView::HandlePageMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                         LRESULT& result) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return true;
    case WM_NOTIFY:
      OnListNotify(*reinterpret_cast<const NMHDR*>(lParam));
      result = 0;
      return true;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) ExecuteCommand(LOWORD(wParam));
      return true;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != list_) return false;
      ShowPopup(lParam);
      return true;
    default:
      return false;
  }
}

void ApplicationsView::OnListNotify(const NMHDR& header) {
  if (header.hwndFrom != list_) return;
  if (binding_->HandleNotify(header)) {
    logic_.lv_TaskSelectItem();
    ApplyCommands();
    return;
  }
  switch (header.code) {
    case NM_CLICK:
    case NM_RCLICK:
      logic_.lv_TaskMouseDown();
      ApplyCommands();
      break;
    case NM_SETFOCUS:
      logic_.lv_TaskEnter();
      ApplyCommands();
      break;
    case NM_DBLCLK:
      ExecuteCommand(kCmdTaskSwitch);
      break;
    default:
      break;
  }
}

void ApplicationsView::ShowPopup(LPARAM screenPoint) {
  const UniqueMenu popup = BuildPopupMenu();
  const UINT id =
      ui::TrackListMenu(popup.get(), page_, list_, screenPoint, model_.FirstSelected());
  if (id != 0) ExecuteCommand(id);
}

}  // namespace apps
