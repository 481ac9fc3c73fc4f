// The columns of the process list: each has a kind, a header and a width, and
// every cell is produced from a table row for the kind of the column it is in.
#pragma once
#include <string>
#include <vector>

#include "procs/column_kind.h"
#include "procs/process_table.h"

namespace procs {

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
// The row's own text for kinds shown as stored (name, user, path, priority word,
// CPU share); null for kinds whose text is formatted from a number.
const std::wstring* StoredText(const TprocTimeInfo& row, ColumnKind kind);

// Order of two rows by a column's value: numbers by value, texts ignoring case.
// Negative, zero or positive, as a before, with, or after b.
int CompareRows(const TprocTimeInfo& a, const TprocTimeInfo& b, ColumnKind kind);

}  // namespace procs
