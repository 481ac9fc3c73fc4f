// TPortForm, the port list window ("端口列表"): the list lv_Port above a strip with
// "隐藏本地连接", "标准", "结束进程(&E)" and "刷新(&R)". A window of its own, not
// modal; closing destroys it, and the next opening makes a new one. The port
// list logic (PortList) decides; this class shows and forwards.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "net/port_list.h"
#include "platform/win32/owned_handles_win32.h"
#include "ui/list_model.h"
#include "ui/list_view_win32.h"
#include "ui/window_base_win32.h"

namespace net {

enum PortFormCommand : UINT {
  kCmdPortRefresh = 0x300,  // Button1 "刷新(&R)" and the list's "刷新"
  kCmdPortHideLocal,        // ckb_Local
  kCmdPortStandard,         // Button2 "标准"
  kCmdPortKill,             // BitBtn4 "结束进程(&E)"
};

class TPortForm final : public ui::WindowBase<TPortForm> {
 public:
  // `refresh` is RefreshPortList: show the window, bring it forward and fill it.
  TPortForm(HINSTANCE instance, HFONT font, PortList& logic, ui::ListModel& model,
            std::function<void()> refresh);
  ~TPortForm();
  TPortForm(const TPortForm&) = delete;
  TPortForm& operator=(const TPortForm&) = delete;

  bool IsOpen() const { return window_ != nullptr; }
  HWND lv_Port() const { return list_; }
  HWND ckb_Local() const { return hideLocal_; }
  void ShowInFront();
  // A control's command, as if the user clicked it.
  void ExecuteCommand(UINT id);

 private:
  friend class ui::WindowBase<TPortForm>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls(HFONT font);
  void Layout();
  void N1Click();
  void ShowPopup(LPARAM screenPoint);

  PortList& logic_;
  ui::ListModel& model_;
  std::function<void()> refresh_;
  HWND list_ = nullptr;
  HWND hideLocal_ = nullptr;  // ckb_Local
  HWND standard_ = nullptr;   // Button2
  HWND kill_ = nullptr;       // BitBtn4
  HWND refreshButton_ = nullptr;  // Button1
  int dpi_ = 0;  // the DPI the list's columns are sized for
  std::unique_ptr<ui::ListViewBinding> binding_;
  platform::win32::UniqueMenu popup_;
};

}  // namespace net
