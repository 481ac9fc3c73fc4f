// Cells and order of the process list, read from each kind's row of the column table.
#include "procs/process_columns.h"

#include <cwctype>

#include "procs/process_format.h"

namespace procs {

namespace {

// The number a column sorts by. The CPU column sorts "" (no share yet) before
// "0" before every share.
std::int64_t SortNumber(const TprocTimeInfo& row, const CellSource& cell) {
  const std::int64_t value = row.*cell.number;
  if (cell.format != CellFormat::kCpuShare) return value;
  if (value == kShareKeyBlank) return -1;
  if (value == kShareKeyZeroText) return 0;
  return value;
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
  static const std::vector<ProcessColumn> columns = [] {
    std::vector<ProcessColumn> shown(column_table::StartCount());
    for (const ColumnSpec& row : kProcessColumns) {
      if (row.start.slot < 0) continue;
      shown[static_cast<std::size_t>(row.start.slot)] = {row.kind, row.start.header, row.width,
                                                          row.start.rightAligned};
    }
    return shown;
  }();
  return columns;
}

const std::wstring* StoredText(const TprocTimeInfo& row, ColumnKind kind) {
  const CellSource& cell = SpecOf(kind).cell;
  return cell.text != nullptr ? &(row.*cell.text) : nullptr;
}

void FormatCell(const TprocTimeInfo& row, ColumnKind kind, std::wstring& out) {
  const CellSource& cell = SpecOf(kind).cell;
  if (cell.text != nullptr) {
    out = row.*cell.text;
    return;
  }
  const std::int64_t value = row.*cell.number;
  switch (cell.format) {
    case CellFormat::kCpuTime: FormatCpuTime(value, out); break;
    case CellFormat::kKilobytes: FormatMemoryK(value, out); break;
    default: FormatCount(value, out); break;
  }
}

int CompareRows(const TprocTimeInfo& a, const TprocTimeInfo& b, ColumnKind kind) {
  const CellSource& cell = SpecOf(kind).cell;
  if (cell.format == CellFormat::kText) return CompareNoCase(a.*cell.text, b.*cell.text);
  const std::int64_t x = SortNumber(a, cell);
  const std::int64_t y = SortNumber(b, cell);
  return x == y ? 0 : (x < y ? -1 : 1);
}

}  // namespace procs
