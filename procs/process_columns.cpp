// Cells and order of the process list, by column kind.
#include "procs/process_columns.h"

#include <cwctype>

#include "procs/process_format.h"

namespace procs {

namespace {

// The number behind a cell; text kinds have none.
std::int64_t NumberOf(const TprocTimeInfo& row, ColumnKind kind) {
  switch (kind) {
    case ColumnKind::kPid: return row.ProcessId;
    case ColumnKind::kCpu:
      // "" (no share yet) before "0" before every share.
      if (row.CpuShareKey == kShareKeyBlank) return -1;
      if (row.CpuShareKey == kShareKeyZeroText) return 0;
      return row.CpuShareKey;
    case ColumnKind::kCpuTime: return row.CpuTime;
    case ColumnKind::kMemory: return row.MemoryK;
    case ColumnKind::kMemoryDelta: return row.MemoryDeltaK;
    case ColumnKind::kPeakMemory: return row.PeakMemoryK;
    case ColumnKind::kPageFaults: return row.PageFaults;
    case ColumnKind::kUserObjects: return row.UserObjects;
    case ColumnKind::kIoReads: return row.IoReads;
    case ColumnKind::kIoReadBytes: return row.IoReadBytes;
    case ColumnKind::kSessionId: return row.SessionId;
    case ColumnKind::kIoOtherBytes: return row.IoOtherBytes;
    case ColumnKind::kIoOther: return row.IoOther;
    case ColumnKind::kIoWriteBytes: return row.IoWriteBytes;
    case ColumnKind::kIoWrites: return row.IoWrites;
    case ColumnKind::kGdiObjects: return row.GdiObjects;
    case ColumnKind::kThreadCount: return row.ThreadCount;
    case ColumnKind::kHandleCount: return row.HandleCount;
    case ColumnKind::kBasePriority: return row.BasePriority;
    case ColumnKind::kNonPagedPool: return row.NonPagedPoolK;
    case ColumnKind::kPagedPool: return row.PagedPoolK;
    case ColumnKind::kVirtualSize: return row.VirtualSizeK;
    case ColumnKind::kPageFaultDelta: return row.PageFaultDelta;
    default: return 0;
  }
}

// Texts that sort as text (the CPU share is shown as stored but sorts as a number).
const std::wstring* TextOf(const TprocTimeInfo& row, ColumnKind kind) {
  switch (kind) {
    case ColumnKind::kImageName: return &row.ImageName;
    case ColumnKind::kUserName: return &row.UserName;
    case ColumnKind::kPath: return &row.ImagePath;
    case ColumnKind::kPriority: return &row.PriorityText;
    default: return nullptr;
  }
}

bool IsMemoryKind(ColumnKind kind) {
  switch (kind) {
    case ColumnKind::kMemory:
    case ColumnKind::kMemoryDelta:
    case ColumnKind::kPeakMemory:
    case ColumnKind::kNonPagedPool:
    case ColumnKind::kPagedPool:
    case ColumnKind::kVirtualSize:
      return true;
    default:
      return false;
  }
}

int CompareNoCase(const std::wstring& a, const std::wstring& b) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = std::towlower(static_cast<std::wint_t>(a[i]));
    const auto y = std::towlower(static_cast<std::wint_t>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

const std::vector<ProcessColumn>& DefaultColumns() {
  static const std::vector<ProcessColumn> columns = {
      {ColumnKind::kImageName, L"映像名称", 95, false},
      {ColumnKind::kPid, L"PID", 40, true},
      {ColumnKind::kUserName, L"用户名", 60, true},
      {ColumnKind::kCpu, L"CPU", 40, true},
      {ColumnKind::kMemory, L"内存使用", 65, true},
      {ColumnKind::kCpuTime, L"CPU时间", 65, false},
      {ColumnKind::kPath, L"路径", 80, false},
      {ColumnKind::kPriority, L"优先级", 50, true},
  };
  return columns;
}

const std::wstring* StoredText(const TprocTimeInfo& row, ColumnKind kind) {
  return kind == ColumnKind::kCpu ? &row.CpuText : TextOf(row, kind);
}

void FormatCell(const TprocTimeInfo& row, ColumnKind kind, std::wstring& out) {
  if (const std::wstring* text = StoredText(row, kind)) {
    out = *text;
  } else if (kind == ColumnKind::kCpuTime) {
    FormatCpuTime(row.CpuTime, out);
  } else if (IsMemoryKind(kind)) {
    FormatMemoryK(NumberOf(row, kind), out);
  } else {
    FormatCount(NumberOf(row, kind), out);
  }
}

int CompareRows(const TprocTimeInfo& a, const TprocTimeInfo& b, ColumnKind kind) {
  if (const std::wstring* text = TextOf(a, kind)) return CompareNoCase(*text, *TextOf(b, kind));
  const std::int64_t x = NumberOf(a, kind);
  const std::int64_t y = NumberOf(b, kind);
  return x == y ? 0 : (x < y ? -1 : 1);
}

}  // namespace procs
