// Display forms of process figures.
#include "procs/process_format.h"

#include <cmath>
#include <cwchar>

#include "platform/process_api.h"

namespace procs {

std::wstring PriorityWord(std::uint32_t priorityClass) {
  switch (priorityClass) {
    case platform::kRealtimePriority: return L"实时";
    case platform::kHighPriority: return L"高";
    case platform::kAboveNormalPriority: return L"高于标准";
    case platform::kNormalPriority: return L"标准";
    case platform::kBelowNormalPriority: return L"低于标准";
    case platform::kIdlePriority: return L"低";
    default: return L"暂缺";
  }
}

int PriorityTagOf(std::uint32_t priorityClass) {
  switch (priorityClass) {
    case platform::kRealtimePriority: return 0;
    case platform::kHighPriority: return 1;
    case platform::kNormalPriority: return 2;
    case platform::kAboveNormalPriority: return 4;
    case platform::kBelowNormalPriority: return 5;
    default: return 3;  // idle, and a class that could not be read
  }
}

std::uint32_t PriorityClassOfTag(int tag) {
  static constexpr std::uint32_t kClasses[] = {
      platform::kRealtimePriority, platform::kHighPriority,
      platform::kNormalPriority,   platform::kIdlePriority,
      platform::kAboveNormalPriority, platform::kBelowNormalPriority};
  return tag >= 0 && tag < 6 ? kClasses[tag] : 0;
}

std::wstring FormatCpuTime(std::int64_t units) {
  if (units < 0) units = 0;
  const std::int64_t seconds = units / 10'000'000;
  wchar_t text[16];
  std::swprintf(text, 16, L"%02d:%02d:%02d", static_cast<int>(seconds / 3600 % 24),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return text;
}

std::int64_t BytesToK(std::uint64_t bytes) {
  return static_cast<std::int64_t>((bytes + 512) / 1024);
}

std::wstring FormatMemoryK(std::int64_t kilobytes) {
  return std::to_wstring(kilobytes) + L" K";
}

std::wstring FormatShare(double percent) {
  // Rounded half away from zero at the first decimal, without a locale.
  const long long tenths = std::llround(percent * 10.0);
  const long long whole = std::llabs(tenths) / 10;
  std::wstring text = tenths < 0 ? L"-" : L"";
  return text + std::to_wstring(whole) + L"." + std::to_wstring(std::llabs(tenths) % 10);
}

static bool IsBlank(wchar_t c) { return c <= L' '; }

std::wstring TrimBlanks(const std::wstring& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::wstring CleanModulePath(const std::wstring& raw) {
  const std::wstring text = raw.substr(0, raw.find(L'\0'));
  const std::size_t colon = text.find(L':');
  if (colon == std::wstring::npos || colon == 0) return TrimBlanks(text);
  return TrimBlanks(text.substr(colon - 1));
}

}  // namespace procs
