// The window collector: the application-window filter, the hung test that never
// waits twice for the same silent window, and the program path of each window.
#include "apps/window_collector.h"

#include <cwctype>


namespace apps {

bool HasVisibleText(std::wstring_view title) {
  for (const wchar_t c : title)
    if (c > L' ') return true;
  return false;
}

bool IsProgramPath(std::wstring_view path) {
  constexpr std::wstring_view kExe = L".exe";
  if (path.size() < kExe.size()) return false;
  const std::wstring_view tail = path.substr(path.size() - kExe.size());
  for (std::size_t i = 0; i < kExe.size(); ++i)
    if (std::towlower(static_cast<std::wint_t>(tail[i])) != static_cast<std::wint_t>(kExe[i]))
      return false;
  return true;
}

WindowCollector::WindowCollector(platform::WindowApi& windows, procs::ProcessPathLookup& paths,
                                 ui::UpdateNotice notice, WinTable& table,
                                 const bool& closing)
    : windows_(windows), paths_(paths), notice_(notice), table_(table), closing_(closing) {}

void WindowCollector::CollectWindows() {
  table_.BeginCollection();
  // While closing every window is skipped: the table empties, and the page,
  // which tests the same flag, leaves its list alone.
  if (!closing_) {
    windows_.TopWindows(handles_);
    for (const WindowHandle window : handles_) {
      if (closing_) break;
      if (IsApplicationWindow(window)) StoreWinInfo(window);
    }
  }
  table_.EndCollection([this](const TWinInfo& gone) {
    if (gone.AwaitingAnswer) windows_.ForgetProbe(gone.Wnd);
  });
  notice_.Post();
}

// Each test is a question to the system about another program's window; the
// ones that turn most windows away come first (most top-level windows are
// hidden, and most shown ones without a title belong to the shell).
bool WindowCollector::IsApplicationWindow(WindowHandle window) {
  if (!windows_.IsVisible(window)) return false;
  windows_.Title(window, title_);
  if (!HasVisibleText(title_)) return false;
  const WindowHandle owner = windows_.Owner(window);
  if (owner != 0 && owner != windows_.Desktop()) return false;
  const std::uint32_t style = windows_.ExtendedStyle(window);
  if ((style & platform::kToolWindowStyle) != 0 && (style & platform::kAppWindowStyle) == 0)
    return false;
  // A cloaked window is on no screen the user looks at: a suspended store app's
  // frame, a window the shell keeps out of sight.
  return !windows_.IsCloaked(window);
}

void WindowCollector::StoreWinInfo(WindowHandle window) {
  bool existing = false;
  TWinInfo& row = table_.Take(window, existing);
  if (row.Caption != title_) row.Caption = title_;
  const WindowProcess process = processes_.Find(window);
  // A ghost answers for the hung window it stands in for: it is not asked.
  row.Responding = !process.ghost && AnswersNow(row, existing);
  row.StatusText = row.Responding ? kRunningText : kNotRespondingText;
  row.ShowCmd = windows_.ShowStateOf(window);
  row.ProcessWnd = process.window;
  const std::uint32_t pid = process.pid;
  // The program path is looked up once per process the row stands for.
  const bool knownPath = existing && row.ProcessId == pid && !row.ExePath.empty();
  row.ProcessId = pid;
  if (!knownPath) FindProgramPath(row);
  row.RowState = kRowFilled;
}

// A window that did not answer is not waited for again: a probe goes out once,
// and the window counts as responding again when that probe has been answered.
bool WindowCollector::AnswersNow(TWinInfo& row, bool existing) {
  if (existing && row.AwaitingAnswer) {
    if (!windows_.ProbeAnswered(row.Wnd)) return false;
    row.AwaitingAnswer = false;
    return true;
  }
  if (windows_.Responds(row.Wnd, kAnswerTimeoutMs)) return true;
  row.AwaitingAnswer = true;
  windows_.StartProbe(row.Wnd);
  return false;
}

// The same look-up as the process list's, which also answers for elevated
// processes; it remembers failures, so asking again at every tick costs nothing.
void WindowCollector::FindProgramPath(TWinInfo& row) {
  row.ExePath.clear();
  row.ExeOnNetwork = false;
  if (row.ProcessId == 0) return;
  const std::wstring& path = paths_.GetProcessPath(row.ProcessId);
  if (!IsProgramPath(path)) return;
  row.ExePath = path;
  row.ExeOnNetwork = paths_.IsRemotePath(path);
}

}  // namespace apps
