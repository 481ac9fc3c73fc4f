// The table of application windows that the window collector fills at every
// tick and the Applications page reads. A window keeps its row for as long as it
// is listed; rows of windows that have gone are freed at the end of a collection
// and reused lowest first. The table grows when every row is taken.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/window_api.h"

namespace apps {

using platform::WindowHandle;

enum RowState : std::uint8_t {
  kRowFilled = 0,  // filled by the last collection, not yet on the list
  kRowFree = 1,
  kRowListed = 2,  // shown on the Applications list
};

struct TWinInfo {
  std::wstring Caption;  // the title as the system gives it, not trimmed
  WindowHandle Wnd = 0;  // 0 marks a free row
  int ShowCmd = 0;       // 1 normal, 2 minimised, 3 maximised; 0 when unreadable
  std::wstring ExePath;  // first ".exe" module of the process; empty when none
  bool ExeOnNetwork = false;  // ExePath lies on a share: its icon is not read
  std::uint32_t ProcessId = 0;
  // The window whose process (and icon) the row shows: Wnd itself, or the app
  // window inside an app host's frame, or the hung window behind a ghost.
  WindowHandle ProcessWnd = 0;
  std::wstring StatusText;  // "正在运行" or "无响应"
  std::uint8_t RowState = kRowFree;
  bool Responding = false;
  // The window did not answer in time; a probe that nobody waits for is out.
  bool AwaitingAnswer = false;
};

class WinTable {
 public:
  // Starts a collection: every row is up for renewal.
  void BeginCollection();
  // The row for `window` in this collection. `existing` tells whether it is the
  // window's row from the previous collection (its fields still describe it).
  TWinInfo& Take(WindowHandle window, bool& existing);
  // Frees the rows of windows the collection did not take; `gone` sees each
  // such row before it is freed.
  void EndCollection(const std::function<void(const TWinInfo&)>& gone);

  // The row of a window of the last collection, through the index.
  TWinInfo* Find(WindowHandle window);

  std::size_t Capacity() const { return rows_.size(); }
  std::size_t Used() const { return index_.size(); }
  TWinInfo& Row(std::size_t i) { return rows_[i]; }
  const TWinInfo& Row(std::size_t i) const { return rows_[i]; }
  // Index look-ups made by Find so far.
  std::size_t Lookups() const { return lookups_; }

 private:
  std::vector<TWinInfo> rows_;
  std::vector<std::uint32_t> takenIn_;  // per row: the collection that last took it
  std::unordered_map<WindowHandle, std::size_t> index_;
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> freeRows_;
  std::uint32_t collection_ = 0;
  std::size_t lookups_ = 0;
};

}  // namespace apps
