// The startup collector: the two Run places and their views, the two folders,
// the StartupApproved states and the publishers.
#include "startup/startup_collector.h"

#include "procs/process_path.h"
#include "startup/startup_approved.h"
#include "startup/startup_command.h"

namespace startup {

namespace {

using platform::StartupPlace;

constexpr StartupPlace kRunPlaces[] = {StartupPlace::kUserRun, StartupPlace::kMachineRun,
                                       StartupPlace::kMachineRun32};
constexpr StartupPlace kFolderPlaces[] = {StartupPlace::kUserFolder, StartupPlace::kCommonFolder};

std::wstring WithoutShortcutExtension(const std::wstring& fileName) {
  const std::wstring folded = FoldCase(fileName);
  if (folded.size() > 4 && folded.compare(folded.size() - 4, 4, L".lnk") == 0)
    return fileName.substr(0, fileName.size() - 4);
  return fileName;
}

// A shortcut's target and arguments as one command line.
std::wstring CommandOf(const platform::FolderEntry& entry) {
  std::wstring command = entry.target.find(L' ') == std::wstring::npos
                             ? entry.target
                             : L"\"" + entry.target + L"\"";
  if (!entry.arguments.empty()) {
    if (!command.empty()) command += L' ';
    command += entry.arguments;
  }
  return command;
}

}  // namespace

StartupCollector::StartupCollector(platform::StartupApi& startup, platform::ProcessApi& files,
                                   platform::Clock& clock, ui::UpdateNotice notice,
                                   StartupTable& table)
    : startup_(startup), files_(files), clock_(clock), notice_(notice), table_(table) {}

void StartupCollector::SetShown(bool shown) {
  if (shown && !shown_) publishers_.clear();
  shown_ = shown;
}

void StartupCollector::CollectStartup() {
  if (!shown_ || (read_ && clock_.NowMs() - lastReadMs_ < kRereadMs)) return;
  ReadStartup();
  notice_.Post();
}

void StartupCollector::ReadStartup() {
  read_ = true;
  lastReadMs_ = clock_.NowMs();
  ++pass_;
  count_ = 0;
  for (const StartupPlace place : kRunPlaces) ReadRunPlace(place);
  for (const StartupPlace place : kFolderPlaces) ReadFolderPlace(place);
  table_.Resize(count_);
  table_.Reindex();
  std::erase_if(publishers_, [this](const auto& entry) { return entry.second.seenIn != pass_; });
}

void StartupCollector::ReadRunPlace(StartupPlace place) {
  startup_.ReadRunValues(place, runValues_);
  if (!runValues_.empty()) LoadApproved(place);
  for (const platform::RunValue& value : runValues_) {
    StartupRow& row = AddRow(place, value.name, value.name);
    row.Command = value.command;
    row.FilePath.clear();
    Complete(row);
  }
}

void StartupCollector::ReadFolderPlace(StartupPlace place) {
  const std::wstring folder = startup_.StartupFolder(place);
  // A Startup folder redirected to a share is not read on this thread.
  if (folder.empty() || IsRemote(folder)) return;
  startup_.ReadFolder(folder, folderEntries_);
  if (!folderEntries_.empty()) LoadApproved(place);
  for (const platform::FolderEntry& entry : folderEntries_) {
    StartupRow& row = AddRow(place, entry.fileName, WithoutShortcutExtension(entry.fileName));
    row.Command = CommandOf(entry);
    row.FilePath = entry.path;
    Complete(row);
  }
}

void StartupCollector::LoadApproved(StartupPlace place) {
  approved_.clear();
  approvedByName_.clear();
  // Before Windows 8 nothing is disabled this way: every entry starts.
  if (startup_.KeepsApprovedValues()) startup_.ReadApproved(place, approved_);
  for (const platform::ApprovedValue& value : approved_)
    approvedByName_.emplace(FoldCase(value.name), &value);
}

StartupRow& StartupCollector::AddRow(StartupPlace place, const std::wstring& valueName,
                                     const std::wstring& name) {
  if (table_.Count() <= count_) table_.Resize(count_ + 1);
  StartupRow& row = table_.Row(count_++);
  row.Place = place;
  row.ValueName = valueName;
  row.Name = name;
  const auto approved = approvedByName_.find(FoldCase(valueName));
  row.Disabled = ApprovedSaysDisabled(approved == approvedByName_.end() ? nullptr
                                                                        : approved->second);
  row.Listed = false;  // the page marks again the rows it finds in its list
  return row;
}

void StartupCollector::Complete(StartupRow& row) {
  row.ProgramPath = ProgramPathOf(row.Command);
  row.Publisher = PublisherOf(row.ProgramPath);
}

bool StartupCollector::IsRemote(const std::wstring& path) {
  const procs::PathPlace place = procs::PathPlaceOf(path);
  if (place.kind == procs::PathPlace::kDrive) return files_.IsRemoteDrive(place.drive);
  return place.kind == procs::PathPlace::kNetwork;
}

const std::wstring& StartupCollector::PublisherOf(const std::wstring& program) {
  static const std::wstring kNone;
  if (program.empty() || IsRemote(program)) return kNone;
  auto [at, added] = publishers_.try_emplace(program);
  if (added) at->second.company = files_.VersionTexts(program).company;
  at->second.seenIn = pass_;
  return at->second.company;
}

}  // namespace startup
