// The startup table: one row per entry of the five places at the last read,
// written by the startup collector and read by the 启动 page. An entry is known
// by its place and its StartupApproved name (the Run value's name, or the file's
// name in the folder), through an index rebuilt at each read.
#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/startup_api.h"

namespace startup {

// Registry value names and file names are told apart without regard to case.
std::wstring FoldCase(const std::wstring& name);

struct StartupRow {
  platform::StartupPlace Place = platform::StartupPlace::kUserRun;
  std::wstring ValueName;    // the Run value's name, or the file's name with ".lnk"
  std::wstring Name;         // 名称: the value's name, or the file's name without ".lnk"
  std::wstring Publisher;    // 发布者: the program file's CompanyName
  std::wstring Command;      // 命令
  std::wstring ProgramPath;  // the program the command runs; empty when it names none
  std::wstring FilePath;     // a folder entry's own file
  bool Disabled = false;
  bool Listed = false;       // matched to, or added as, an item of the list
};

class StartupTable {
 public:
  std::size_t Count() const { return rows_.size(); }
  StartupRow& Row(std::size_t index) { return rows_[index]; }
  const StartupRow& Row(std::size_t index) const { return rows_[index]; }
  // Keeps rows 0 .. count - 1 (their strings keep their space) and drops the rest.
  void Resize(std::size_t count) { rows_.resize(count); }
  // After the rows are filled: the index follows them.
  void Reindex();

  // The row of this entry, or null.
  StartupRow* Find(platform::StartupPlace place, const std::wstring& valueName);
  const StartupRow* Find(platform::StartupPlace place, const std::wstring& valueName) const;

 private:
  std::vector<StartupRow> rows_;
  std::unordered_map<std::wstring, std::size_t> index_;
};

}  // namespace startup
