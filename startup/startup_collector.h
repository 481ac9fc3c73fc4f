// Reads what starts at sign-in while the 启动 page is shown: once as it is
// shown, after each command, and at the ticks once five seconds have passed
// since the last read; a hidden page costs the tick nothing. Each entry's state
// comes from its StartupApproved value, and its publisher from its program
// file's version texts, read once per program while the page stays shown and
// never from a network path (a share that has gone keeps a reader waiting).
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/clock.h"
#include "platform/process_api.h"
#include "platform/startup_api.h"
#include "startup/startup_table.h"
#include "ui/update_notice.h"

namespace startup {

class StartupCollector {
 public:
  static constexpr std::int64_t kRereadMs = 5000;

  // `files` reads the version texts and tells network drives.
  StartupCollector(platform::StartupApi& startup, platform::ProcessApi& files,
                   platform::Clock& clock, ui::UpdateNotice notice, StartupTable& table);

  // Shown afresh, the publishers are read again at the next read.
  void SetShown(bool shown);
  bool Shown() const { return shown_; }

  // One tick: while the page is shown and the last read is five seconds old,
  // reads again and posts the page's update.
  void CollectStartup();
  // Reads every place now, shown or not; rows 0 .. count - 1 are the entries,
  // unlisted.
  void ReadStartup();

 private:
  void ReadRunPlace(platform::StartupPlace place);
  void ReadFolderPlace(platform::StartupPlace place);
  // The place's StartupApproved values, for the rows that follow.
  void LoadApproved(platform::StartupPlace place);
  // The next row of this read: its place, names and state.
  StartupRow& AddRow(platform::StartupPlace place, const std::wstring& valueName,
                     const std::wstring& name);
  // Publisher, program path and state of the row, once its command is set.
  void Complete(StartupRow& row);
  bool IsRemote(const std::wstring& path);
  const std::wstring& PublisherOf(const std::wstring& program);

  platform::StartupApi& startup_;
  platform::ProcessApi& files_;
  platform::Clock& clock_;
  ui::UpdateNotice notice_;
  StartupTable& table_;
  bool shown_ = false;
  bool read_ = false;
  std::int64_t lastReadMs_ = 0;
  std::size_t count_ = 0;
  // Reused from read to read.
  std::vector<platform::RunValue> runValues_;
  std::vector<platform::FolderEntry> folderEntries_;
  std::vector<platform::ApprovedValue> approved_;
  std::unordered_map<std::wstring, const platform::ApprovedValue*> approvedByName_;
  struct Publisher {
    std::wstring company;
    std::uint64_t seenIn = 0;
  };
  std::unordered_map<std::wstring, Publisher> publishers_;
  std::uint64_t pass_ = 0;
};

}  // namespace startup
