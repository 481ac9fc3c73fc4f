// The columns of the process list, one row each in kProcessColumns: the box the
// column chooser offers for it, its width, the row field its cells show and how
// they read, and its place in a fresh window. The chooser's boxes, a fresh
// window's columns, the cells and the order are all derived from that table, so
// a new column is its kind, its row field, one row here and the collector line
// that fills the field.
#pragma once
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "procs/column_kind.h"
#include "procs/process_table.h"

namespace procs {

// How a cell reads and sorts.
enum class CellFormat : std::uint8_t {
  kText,       // the row's text as stored; sorts as text, ignoring case
  kCount,      // a plain decimal number
  kKilobytes,  // whole kilobytes followed by " K"
  kCpuTime,    // 100 ns units as "hh:mm:ss"
  kCpuShare,   // the share text as stored; sorts by the share it stands for
};

// The row field behind a cell: a figure, a text, or (the CPU share) both.
struct CellSource {
  CellFormat format = CellFormat::kCount;
  std::int64_t TprocTimeInfo::*number = nullptr;
  std::wstring TprocTimeInfo::*text = nullptr;
};

constexpr CellSource Text(std::wstring TprocTimeInfo::*field) {
  return {CellFormat::kText, nullptr, field};
}
constexpr CellSource Count(std::int64_t TprocTimeInfo::*field) {
  return {CellFormat::kCount, field};
}
constexpr CellSource Kilobytes(std::int64_t TprocTimeInfo::*field) {
  return {CellFormat::kKilobytes, field};
}
constexpr CellSource Duration(std::int64_t TprocTimeInfo::*field) {
  return {CellFormat::kCpuTime, field};
}
constexpr CellSource Share(std::wstring TprocTimeInfo::*text, std::int64_t TprocTimeInfo::*key) {
  return {CellFormat::kCpuShare, key, text};
}

// Where a fresh window shows a column.
struct StartPlace {
  int slot = -1;  // from the left, from 0; -1: a fresh window does not show it
  const wchar_t* header = nullptr;
  bool rightAligned = false;
};

struct ColumnSpec {
  ColumnKind kind;
  const wchar_t* caption;  // of its box in the column chooser; null: not offered
  int width;               // pixels; 0: as wide as the header needs
  CellSource cell;
  StartPlace start = {};
  bool fixed = false;      // its chooser box is always checked
};

namespace column_table {
using K = ColumnKind;
using R = TprocTimeInfo;
inline constexpr bool kRight = true;
inline constexpr bool kFixed = true;

// One row per kind, in the kinds' order: the columns the chooser offers, in the
// order of its boxes, then those it does not.
inline constexpr ColumnSpec kRows[] = {
    // clang-format off
    // kind              chooser box          width  cell                         fresh window
    {K::kImageName,      L"映像名称(&I)",        95, Text(&R::ImageName),         {0, L"映像名称"}, kFixed},
    {K::kPid,            L"PID(进程标识符)(&P)", 40, Count(&R::ProcessId),        {1, L"PID", kRight}, kFixed},
    {K::kCpu,            L"CPU使用(&C)",         40, Share(&R::CpuText, &R::CpuShareKey), {3, L"CPU", kRight}},
    {K::kCpuTime,        L"CPU时间(&E)",         65, Duration(&R::CpuTime),       {5, L"CPU时间"}},
    {K::kMemory,         L"内存使用(&M)",        65, Kilobytes(&R::MemoryK),      {4, L"内存使用", kRight}},
    {K::kMemoryDelta,    L"内存使用增量(&D)",     0, Kilobytes(&R::MemoryDeltaK)},
    {K::kPeakMemory,     L"内存使用高峰值(&K)",   0, Kilobytes(&R::PeakMemoryK)},
    {K::kPageFaults,     L"页面错误(&F)",         0, Count(&R::PageFaults)},
    {K::kUserObjects,    L"USER对象(&U)",         0, Count(&R::UserObjects)},
    {K::kIoReads,        L"I/O读取",              0, Count(&R::IoReads)},
    {K::kIoReadBytes,    L"I/O读取字节",          0, Count(&R::IoReadBytes)},
    {K::kSessionId,      L"会话ID(&S)",           0, Count(&R::SessionId)},
    {K::kUserName,       L"用户名(&N)",          60, Text(&R::UserName),          {2, L"用户名", kRight}},
    {K::kPath,           L"进程路径(&B)",        80, Text(&R::ImagePath),         {6, L"路径"}},
    {K::kIoOtherBytes,   L"I/O其他字节",          0, Count(&R::IoOtherBytes)},
    {K::kIoOther,        L"I/O其他",              0, Count(&R::IoOther)},
    {K::kIoWriteBytes,   L"I/O写入字节",          0, Count(&R::IoWriteBytes)},
    {K::kIoWrites,       L"I/O写入",              0, Count(&R::IoWrites)},
    {K::kGdiObjects,     L"GDI对象(&J)",          0, Count(&R::GdiObjects)},
    {K::kThreadCount,    L"线程计数(&T)",         0, Count(&R::ThreadCount)},
    {K::kHandleCount,    L"句柄计数(&H)",         0, Count(&R::HandleCount)},
    {K::kBasePriority,   L"基本优先级(&R)",       0, Count(&R::BasePriority)},
    {K::kNonPagedPool,   L"非页面缓冲池(&O)",     0, Kilobytes(&R::NonPagedPoolK)},
    {K::kPagedPool,      L"页面缓冲池(&G)",       0, Kilobytes(&R::PagedPoolK)},
    {K::kVirtualSize,    L"虚拟内存大小(&V)",     0, Kilobytes(&R::VirtualSizeK)},
    {K::kPageFaultDelta, L"页面错误增量(&A)",     0, Count(&R::PageFaultDelta)},
    {K::kCommandLine,    L"命令行",             120, Text(&R::CommandLine)},
    {K::kDescription,    L"描述",               100, Text(&R::Description)},
    {K::kCompany,        L"公司",                80, Text(&R::Company)},
    {K::kPlatform,       L"平台",                 0, Text(&R::PlatformText)},
    {K::kState,          L"状态",                 0, Text(&R::StateText)},
    {K::kPriority,       nullptr,                50, Text(&R::PriorityText),      {7, L"优先级", kRight}},
    // clang-format on
};

// The table's own rules, checked when it is compiled.
constexpr bool RowsFollowTheKinds() {
  if (std::size(kRows) != static_cast<std::size_t>(ColumnKind::kCount)) return false;
  for (std::size_t k = 0; k < std::size(kRows); ++k)
    if (kRows[k].kind != static_cast<ColumnKind>(k)) return false;
  return true;
}
constexpr std::size_t OfferedCount() {
  std::size_t n = 0;
  while (n < std::size(kRows) && kRows[n].caption != nullptr) ++n;
  for (std::size_t k = n; k < std::size(kRows); ++k)
    if (kRows[k].caption != nullptr) return 0;  // an offered row after one that is not
  return n;
}
constexpr std::size_t StartCount() {
  std::size_t n = 0;
  for (const ColumnSpec& row : kRows) n += row.start.slot >= 0 ? 1 : 0;
  return n;
}
constexpr bool StartSlotsAreDistinct() {
  for (std::size_t slot = 0; slot < StartCount(); ++slot) {
    std::size_t holders = 0;
    for (const ColumnSpec& row : kRows) holders += row.start.slot == static_cast<int>(slot) ? 1 : 0;
    if (holders != 1) return false;
  }
  return true;
}

static_assert(RowsFollowTheKinds(), "one row per column kind, in the kinds' order");
static_assert(OfferedCount() > 0, "the offered columns come first");
static_assert(StartSlotsAreDistinct(), "a fresh window's columns take the places 0, 1, 2...");

}  // namespace column_table

inline constexpr const auto& kProcessColumns = column_table::kRows;

constexpr const ColumnSpec& SpecOf(ColumnKind kind) {
  return kProcessColumns[static_cast<std::size_t>(kind)];
}

// The columns the chooser offers: the first rows of the table.
inline constexpr std::size_t kOfferedColumnCount = column_table::OfferedCount();

// Where a fresh window shows a column of `kind`.
constexpr std::size_t StartSlotOf(ColumnKind kind) {
  return static_cast<std::size_t>(SpecOf(kind).start.slot);
}

// A column the list shows: its kind, header, width and alignment.
struct ProcessColumn {
  ColumnKind kind = ColumnKind::kImageName;
  std::wstring caption;
  int width = 0;  // pixels; 0: as wide as the header needs
  bool rightAligned = false;
};

// The columns of a fresh window.
const std::vector<ProcessColumn>& DefaultColumns();

// The text of a row's cell in a column of `kind`, written into `out`.
void FormatCell(const TprocTimeInfo& row, ColumnKind kind, std::wstring& out);
// The row's own text for kinds shown as stored (name, user, path, state, priority
// word, CPU share); null for kinds whose text is formatted from a number.
const std::wstring* StoredText(const TprocTimeInfo& row, ColumnKind kind);

// Order of two rows by a column's value: numbers by value, texts ignoring case.
// Negative, zero or positive, as a before, with, or after b.
int CompareRows(const TprocTimeInfo& a, const TprocTimeInfo& b, ColumnKind kind);

}  // namespace procs
