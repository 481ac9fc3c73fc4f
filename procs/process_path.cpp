// The three routes to a process's path, tried in order, and the per-process
// memory of their answers.
#include "procs/process_path.h"

#include <algorithm>
#include <cstring>
#include <cwctype>

#include "platform/layouts/system_information.h"
#include "procs/process_format.h"

namespace procs {
namespace {

static_assert(sizeof(void*) == 8, "the identifier query's record holds a 64-bit address");

constexpr std::size_t kFirstNameBytes = 520;   // a MAX_PATH name
constexpr std::size_t kLongestNameBytes = 0xFFFE;  // what a UNICODE_STRING can count
constexpr std::wstring_view kDevicePrefix = L"\\Device\\";
constexpr std::wstring_view kRedirectorPrefix = L"\\Device\\Mup\\";

const std::wstring& Unknown() {
  static const std::wstring kUnknown = kUnknownPath;
  return kUnknown;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::towlower(static_cast<std::wint_t>(text[i])) !=
        std::towlower(static_cast<std::wint_t>(prefix[i])))
      return false;
  return true;
}

template <typename T>
void Put(std::byte* at, std::size_t offset, T value) {
  std::memcpy(at + offset, &value, sizeof value);
}

template <typename T>
T Get(const std::byte* at, std::size_t offset) {
  T value;
  std::memcpy(&value, at + offset, sizeof value);
  return value;
}

}  // namespace

std::wstring DrivePathOf(std::wstring_view ntPath,
                         const std::vector<platform::DriveDevice>& drives) {
  for (const platform::DriveDevice& d : drives) {
    // "\Device\HarddiskVolume1" must not claim "\Device\HarddiskVolume10\...".
    if (d.device.empty() || !StartsWithNoCase(ntPath, d.device)) continue;
    if (ntPath.size() > d.device.size() && ntPath[d.device.size()] != L'\\') continue;
    return d.drive + std::wstring(ntPath.substr(d.device.size()));
  }
  if (StartsWithNoCase(ntPath, kRedirectorPrefix) && ntPath.size() > kRedirectorPrefix.size())
    return L"\\\\" + std::wstring(ntPath.substr(kRedirectorPrefix.size()));
  return {};
}

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// 'C' for "C:" or "c:" at the start of `text`; 0 for anything else.
wchar_t DriveLetterAt(std::wstring_view text) {
  if (text.size() < 2 || text[1] != L':') return 0;
  const wchar_t c = text[0];
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - L'a' + L'A');
  return c >= L'A' && c <= L'Z' ? c : 0;
}

}  // namespace

PathPlace PathPlaceOf(std::wstring_view path) {
  if (const wchar_t drive = DriveLetterAt(path)) return {PathPlace::kDrive, drive};
  if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1]))
    return {};  // relative, or rooted on the current drive: nothing that names a share
  // "\\?\" and "\\.\" lead to the system's own names: a drive or a volume here,
  // or "UNC\server\…" and other devices, which might as well be a redirector.
  if (path.size() >= 4 && (path[2] == L'?' || path[2] == L'.') && IsSeparator(path[3])) {
    const std::wstring_view rest = path.substr(4);
    if (const wchar_t drive = DriveLetterAt(rest)) return {PathPlace::kDrive, drive};
    if (StartsWithNoCase(rest, L"Volume{")) return {};
  }
  return {PathPlace::kNetwork};  // "\\server\share\…"
}

std::optional<std::wstring> ImageNameById(platform::NativeApi& native, std::uint32_t pid) {
  using namespace platform::process_id_layout;
  std::vector<std::uint16_t> units(kFirstNameBytes / 2);
  // A few rounds: the name cannot grow, but a system might not report the size.
  for (int attempt = 0; attempt < 4; ++attempt) {
    const auto maximum = static_cast<std::uint16_t>(units.size() * 2);
    std::byte record[kSize] = {};
    Put<std::uint64_t>(record, kProcessId, pid);
    Put<std::uint16_t>(record, kNameMaximumLength, maximum);
    Put<std::uint64_t>(record, kNameBuffer, reinterpret_cast<std::uintptr_t>(units.data()));
    const platform::NtStatus status = native.QuerySystemInformation(
        platform::kSystemProcessIdInformation, record, kSize, nullptr);
    if (status == platform::kStatusSuccess) {
      const auto length = Get<std::uint16_t>(record, kNameLength);
      if (length == 0 || length > maximum) return std::nullopt;
      return std::wstring(units.begin(), units.begin() + length / 2);
    }
    if (status != platform::kStatusInfoLengthMismatch) return std::nullopt;
    // The bytes needed come back in MaximumLength; without them, twice as many.
    std::size_t needed = Get<std::uint16_t>(record, kNameMaximumLength);
    if (needed <= maximum) needed = std::size_t{maximum} * 2;
    needed = std::min(needed, kLongestNameBytes);
    if (needed <= maximum) return std::nullopt;
    units.assign((needed + 1) / 2, 0);
  }
  return std::nullopt;
}

ProcessPathLookup::ProcessPathLookup(platform::ProcessApi& processes,
                                     platform::NativeApi& native, platform::Clock& clock)
    : processes_(processes), native_(native), clock_(clock) {}

const std::wstring& ProcessPathLookup::GetProcessPath(std::uint32_t pid, std::int64_t createTime) {
  if (pid == 0) return Unknown();  // the idle process has no image
  auto [at, added] = entries_.try_emplace(pid);
  Entry& entry = at->second;
  // Another creation time is a new process that reused the identifier, or one
  // first asked for by identifier alone: looked up afresh either way.
  if (added || entry.createTime != createTime) {
    entry = Entry{};
    entry.createTime = createTime;
    LookUp(pid, entry);
    return entry.path;
  }
  return Answer(pid, entry);
}

const std::wstring& ProcessPathLookup::GetProcessPath(std::uint32_t pid) {
  if (pid == 0) return Unknown();
  auto [at, added] = entries_.try_emplace(pid);
  if (added) {
    at->second.createTime = kUnknownCreateTime;
    LookUp(pid, at->second);
    return at->second.path;
  }
  return Answer(pid, at->second);
}

std::int64_t ProcessPathLookup::CreateTimeOf(std::uint32_t pid) const {
  const auto at = entries_.find(pid);
  return at == entries_.end() ? kUnknownCreateTime : at->second.createTime;
}

void ProcessPathLookup::KeepOnly(const std::vector<SnapshotEntry>& live) {
  ++generation_;
  driveKinds_.fill(DriveKind::kUnasked);
  for (const SnapshotEntry& e : live) {
    const auto at = entries_.find(e.processId);
    if (at == entries_.end()) continue;
    Entry& entry = at->second;
    if (entry.createTime == e.createTime || entry.createTime == kUnknownCreateTime)
      entry.seenIn = generation_;
  }
  std::erase_if(entries_, [this](const auto& item) { return item.second.seenIn != generation_; });
}

bool ProcessPathLookup::IsRemotePath(std::wstring_view path) {
  const PathPlace place = PathPlaceOf(path);
  if (place.kind != PathPlace::kDrive) return place.kind == PathPlace::kNetwork;
  DriveKind& kind = driveKinds_[static_cast<std::size_t>(place.drive - L'A')];
  if (kind == DriveKind::kUnasked)
    kind = processes_.IsRemoteDrive(place.drive) ? DriveKind::kRemote : DriveKind::kLocal;
  return kind == DriveKind::kRemote;
}

const std::wstring& ProcessPathLookup::Answer(std::uint32_t pid, Entry& entry) {
  if (!entry.found && !entry.retried && clock_.NowMs() - entry.failedAtMs >= kPathRetryMs) {
    entry.retried = true;
    LookUp(pid, entry);
  }
  return entry.path;
}

void ProcessPathLookup::LookUp(std::uint32_t pid, Entry& entry) {
  std::wstring path = FindPath(pid, entry);
  entry.found = !path.empty();
  if (entry.found) {
    entry.path = std::move(path);
  } else {
    entry.path = kUnknownPath;
    entry.failedAtMs = clock_.NowMs();
  }
}

std::wstring ProcessPathLookup::FindPath(std::uint32_t pid, Entry& entry) {
  if (auto process = processes_.Open(pid, platform::ProcessAccess::kQueryLimited)) {
    // Asked by identifier alone: the open says which process holds it.
    if (entry.createTime == kUnknownCreateTime)
      entry.createTime = process->CreationTime().value_or(kUnknownCreateTime);
    if (const auto path = process->ImagePath()) {
      std::wstring cleaned = CleanModulePath(*path);
      if (!cleaned.empty()) return cleaned;
    }
  }
  if (const auto ntName = ImageNameById(native_, pid)) return CleanModulePath(DrivePath(*ntName));
  return {};
}

std::wstring ProcessPathLookup::DrivePath(const std::wstring& ntPath) {
  const bool fresh = !drivesRead_;
  if (fresh) {
    processes_.DriveDevices(drives_);
    drivesRead_ = true;
  }
  std::wstring path = DrivePathOf(ntPath, drives_);
  // A device no drive matches may belong to a drive added since they were read.
  if (path.empty() && !fresh && StartsWithNoCase(ntPath, kDevicePrefix)) {
    processes_.DriveDevices(drives_);
    path = DrivePathOf(ntPath, drives_);
  }
  return path;
}

}  // namespace procs
