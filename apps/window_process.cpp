// The process behind a listed window: its own, the hosted app's inside an app
// frame, or the hung window's behind a ghost.
#include "apps/window_process.h"

namespace apps {

WindowProcess WindowProcessFinder::Find(platform::WindowHandle window) {
  WindowProcess own{window, windows_.ProcessIdOf(window), false};
  windows_.ClassName(window, className_);
  if (className_ == kGhostClass) {
    // Where the system cannot name the hung window, the ghost keeps its own
    // process (the window manager's); it is not responding all the same.
    own.ghost = true;
    const platform::WindowHandle hung = windows_.HungWindowOf(window);
    const std::uint32_t pid = hung != 0 ? windows_.ProcessIdOf(hung) : 0;
    return pid != 0 ? WindowProcess{hung, pid, true} : own;
  }
  if (className_ != kAppFrameClass || own.pid == 0) return own;
  // The app's own window sits inside the frame while the app runs; a frame
  // without it (the app is starting or suspended) stays the host's.
  windows_.ChildWindows(window, children_);
  for (const platform::WindowHandle child : children_) {
    const std::uint32_t pid = windows_.ProcessIdOf(child);
    if (pid == 0 || pid == own.pid) continue;
    windows_.ClassName(child, className_);
    if (className_ == kHostedAppClass) return {child, pid, false};
  }
  return own;
}

}  // namespace apps
