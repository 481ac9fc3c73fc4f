// Fills the window table at every tick with the windows a user would call
// applications: visible and not cloaked, not owned by another window, not tool
// windows unless they ask to be on the taskbar, and with a title that is not
// blank. Each row gets the window's show state, the process it stands for,
// that process's program path and whether the window answers.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "apps/win_table.h"
#include "apps/window_process.h"
#include "platform/window_api.h"
#include "procs/process_path.h"
#include "ui/update_notice.h"

namespace apps {

inline constexpr wchar_t kRunningText[] = L"正在运行";
inline constexpr wchar_t kNotRespondingText[] = L"无响应";
// How long a window may take to answer before it counts as not responding.
inline constexpr int kAnswerTimeoutMs = 100;

// Whether a title has anything but blanks and control characters.
bool HasVisibleText(std::wstring_view title);
// Whether a module path names a program: it ends in ".exe" in any case.
bool IsProgramPath(std::wstring_view path);

class WindowCollector {
 public:
  WindowCollector(platform::WindowApi& windows, procs::ProcessPathLookup& paths,
                  ui::UpdateNotice notice, WinTable& table, const bool& closing);

  // One tick: renew the table and post the windows update.
  void CollectWindows();

 private:
  // The checks that make a window an application window; its title is read into title_.
  bool IsApplicationWindow(WindowHandle window);
  void StoreWinInfo(WindowHandle window);
  bool AnswersNow(TWinInfo& row, bool existing);
  void FindProgramPath(TWinInfo& row);

  platform::WindowApi& windows_;
  procs::ProcessPathLookup& paths_;
  ui::UpdateNotice notice_;
  WinTable& table_;
  const bool& closing_;
  WindowProcessFinder processes_{windows_};
  std::vector<WindowHandle> handles_;  // reused from tick to tick
  std::wstring title_;
};

}  // namespace apps
