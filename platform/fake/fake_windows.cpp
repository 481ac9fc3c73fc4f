// The fake windows' answers, looked up by handle in the scripted list, and the
// window commands recorded instead of given.
#include "platform/fake/fake_windows.h"

#include <algorithm>

namespace platform::fake {

FakeWindow& FakeWindows::AddWindow(WindowHandle handle, const std::wstring& title,
                                   std::uint32_t pid) {
  FakeWindow w;
  w.handle = handle;
  w.title = title;
  w.pid = pid;
  w.classIcon = 0x1000 + handle;
  w.classIconSmall = 0x2000 + handle;
  windows_.push_back(w);
  return windows_.back();
}

void FakeWindows::RemoveWindow(WindowHandle handle) {
  std::erase_if(windows_, [handle](const FakeWindow& w) { return w.handle == handle; });
}

FakeWindow* FakeWindows::FindFakeWindow(WindowHandle handle) {
  // Windows are asked about in enumeration order: look where the last one was
  // and just after it first, so that large desktops stay cheap to fake.
  for (std::size_t i = lastWindow_; i < windows_.size() && i <= lastWindow_ + 1; ++i) {
    if (windows_[i].handle == handle) {
      lastWindow_ = i;
      return &windows_[i];
    }
  }
  for (std::size_t i = 0; i < windows_.size(); ++i) {
    if (windows_[i].handle == handle) {
      lastWindow_ = i;
      return &windows_[i];
    }
  }
  return nullptr;
}

void FakeWindows::TopWindows(std::vector<WindowHandle>& out) {
  out.clear();
  for (const FakeWindow& w : windows_)
    if (w.parent == 0) out.push_back(w.handle);
}

bool FakeWindows::IsVisible(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w && w->visible;
}

WindowHandle FakeWindows::Owner(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w ? w->owner : 0;
}

std::uint32_t FakeWindows::ExtendedStyle(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w ? w->exStyle : 0;
}

void FakeWindows::Title(WindowHandle window, std::wstring& out) {
  const FakeWindow* w = FindFakeWindow(window);
  out.assign(w ? w->title.substr(0, kMaxTitleLength) : std::wstring());
}

int FakeWindows::ShowStateOf(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w && !w->vanished ? w->showState : 0;
}

std::uint32_t FakeWindows::ProcessIdOf(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w && !w->vanished ? w->pid : 0;
}

bool FakeWindows::IsCloaked(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w && w->cloaked;
}

void FakeWindows::ClassName(WindowHandle window, std::wstring& out) {
  const FakeWindow* w = FindFakeWindow(window);
  out.assign(w ? w->className : std::wstring());
}

void FakeWindows::ChildWindows(WindowHandle parent, std::vector<WindowHandle>& out) {
  out.clear();
  if (parent == 0) return;
  // Parents before their children: every window inside one already found is inside too.
  out.push_back(parent);
  for (std::size_t found = 0; found < out.size(); ++found)
    for (const FakeWindow& w : windows_)
      if (w.parent == out[found]) out.push_back(w.handle);
  out.erase(out.begin());
}

WindowHandle FakeWindows::HungWindowOf(WindowHandle ghost) {
  const FakeWindow* w = FindFakeWindow(ghost);
  return w ? w->ghostOf : 0;
}

bool FakeWindows::Responds(WindowHandle window, int timeoutMs) {
  const FakeWindow* w = FindFakeWindow(window);
  if (!w || w->hungBySystem) return false;
  ++answerTests;
  if (w->answers) return true;
  waitedMs += timeoutMs;
  return false;
}

void FakeWindows::StartProbe(WindowHandle window) { probes.push_back(window); }

bool FakeWindows::ProbeAnswered(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  const bool out = std::find(probes.begin(), probes.end(), window) != probes.end();
  if (!out || !w || !w->answers || w->hungBySystem) return false;
  ForgetProbe(window);
  return true;
}

void FakeWindows::ForgetProbe(WindowHandle window) { std::erase(probes, window); }

IconHandle FakeWindows::ClassIcon(WindowHandle window, bool small) {
  ++iconRequests;
  const FakeWindow* w = FindFakeWindow(window);
  if (!w) return 0;
  return small ? w->classIconSmall : w->classIcon;
}

IconHandle FakeWindows::AskIcon(WindowHandle window, int timeoutMs) {
  ++iconRequests;
  ++iconMessages;
  const FakeWindow* w = FindFakeWindow(window);
  if (!w || w->hungBySystem) return 0;
  if (!w->answers) {
    waitedMs += timeoutMs;
    return 0;
  }
  return w->ownIcon;
}

void FakeWindows::WithProgramIcons(const std::wstring& path,
                                   const std::function<void(IconHandle, IconHandle)>& use) {
  ++iconRequests;
  ++programIconReads;
  for (const auto& [file, icon] : programIcons)
    if (file == path) use(icon, icon);
}

void FakeWindows::Show(WindowHandle window, int showState) {
  windowCommands.push_back({L"show", {window}, showState});
  if (FakeWindow* w = FindFakeWindow(window)) {
    if (showState != kShowAsIs) w->showState = showState;
  }
}

bool FakeWindows::SetForeground(WindowHandle window) {
  windowCommands.push_back({L"foreground", {window}, 0});
  return true;
}

bool FakeWindows::ForceForeground(WindowHandle window) {
  windowCommands.push_back({L"force", {window}, 0});
  return true;
}

bool FakeWindows::PostClose(WindowHandle window) {
  windowCommands.push_back({L"close", {window}, 0});
  const FakeWindow* w = FindFakeWindow(window);
  return !(w && w->refusesClose);
}

ScreenRect FakeWindows::Bounds(WindowHandle window) {
  const FakeWindow* w = FindFakeWindow(window);
  return w ? w->bounds : ScreenRect{};
}

void FakeWindows::Move(WindowHandle window, const ScreenRect& place) {
  windowCommands.push_back({L"move", {window}, 0});
  if (FakeWindow* w = FindFakeWindow(window)) {
    w->bounds = place;
    w->showState = kShowNormal;
  }
}

}  // namespace platform::fake
