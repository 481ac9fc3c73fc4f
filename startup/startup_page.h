// The 启动 page's logic: keeps the list of startup entries in step with the
// startup table (items stay in place, entries gone leave, new ones are appended,
// all known by place and name), says what the button and the context menu offer
// for the selected entry, and disables or enables it the way the system's shell
// does: through its StartupApproved value alone, never touching the Run value,
// the shortcut or its folder.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/elevation_api.h"
#include "platform/shell_api.h"
#include "platform/startup_api.h"
#include "startup/startup_collector.h"
#include "startup/startup_table.h"
#include "ui/list_model.h"

namespace startup {

// Cells of an item, by column: 0 caption (名称), then sub-items; the StartupApproved
// name follows the shown columns as a hidden cell, the place is the item's key.
enum StartupColumn : std::size_t { kColName = 0, kColPublisher, kColStatus, kColCommand,
                                   kColPlace, kStartupColumnCount };
inline constexpr std::size_t kColValueName = kStartupColumnCount;

inline constexpr wchar_t kEnabledText[] = L"已启用";
inline constexpr wchar_t kDisabledText[] = L"已禁用";
inline constexpr wchar_t kDisableCaption[] = L"禁用(&A)";
inline constexpr wchar_t kEnableCaption[] = L"启用(&E)";

// 位置 of a place.
const wchar_t* PlaceText(platform::StartupPlace place);

// What the selection allows.
struct StartupCommands {
  bool offered = true;   // false before Windows 8: the page is a list only
  bool canDisable = false;
  bool canEnable = false;
  bool canOpenLocation = false;
  // The button's caption: "禁用(&A)", or "启用(&E)" for a disabled entry; the
  // button is enabled while an entry is selected.
  const wchar_t* buttonCaption = kDisableCaption;
  bool buttonEnabled = false;
};

class StartupPage {
 public:
  StartupPage(StartupTable& table, StartupCollector& collector, ui::ListModel& list,
              platform::StartupApi& startup, platform::ShellApi& shell,
              platform::Dialogs& dialogs, platform::ElevationApi& elevation,
              const bool& closing);

  static const std::vector<ui::ListColumn>& Columns();

  // Handler of the startup update.
  void UpdateStartupPage();
  // Shown, the page reads at once; hidden, it reads nothing.
  void PageShown(bool shown);

  StartupCommands lv_StartupSelectItem() const;
  // The button: disables the selected entry, or enables it when it is disabled.
  void btn_StartupStateClick();
  void act_DisableExecute() { SetSelectedDisabled(true); }
  void act_EnableExecute() { SetSelectedDisabled(false); }
  // "打开文件所在的位置(&O)": Explorer with the entry's program file selected (a
  // shortcut that names no file: the shortcut itself).
  void act_OpenLocationExecute();

 private:
  const StartupRow* SelectedRow() const;
  void SetSelectedDisabled(bool disable);
  void ShowRefusal(platform::StartupPlace place, const platform::ApprovedWrite& result);
  // Reads every place now and brings the list up to date.
  void Refresh();
  ui::ListItem MakeItem(const StartupRow& row) const;

  StartupTable& table_;
  StartupCollector& collector_;
  ui::ListModel& list_;
  platform::StartupApi& startup_;
  platform::ShellApi& shell_;
  platform::Dialogs& dialogs_;
  platform::ElevationApi& elevation_;
  const bool& closing_;
  std::vector<platform::ApprovedValue> approved_;  // read again at each command
};

}  // namespace startup
