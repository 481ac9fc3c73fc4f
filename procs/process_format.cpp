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

// Decimal digits without printf, whose integer conversions differ between C runtimes.
static void AppendNumber(std::wstring& out, long long value) {
  wchar_t digits[24];
  int n = 0;
  unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                           : static_cast<unsigned long long>(value);
  do {
    digits[n++] = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) out += L'-';
  while (n > 0) out += digits[--n];
}

static void AppendTwoDigits(std::wstring& out, long long value) {
  out += static_cast<wchar_t>(L'0' + value / 10 % 10);
  out += static_cast<wchar_t>(L'0' + value % 10);
}

void FormatCpuTime(std::int64_t units, std::wstring& out) {
  const long long seconds = units < 0 ? 0 : units / 10'000'000;
  out.clear();
  AppendTwoDigits(out, seconds / 3600 % 24);
  out += L':';
  AppendTwoDigits(out, seconds / 60 % 60);
  out += L':';
  AppendTwoDigits(out, seconds % 60);
}

void FormatMemoryK(std::int64_t kilobytes, std::wstring& out) {
  out.clear();
  AppendNumber(out, kilobytes);
  out += L" K";
}

void FormatCount(std::int64_t value, std::wstring& out) {
  out.clear();
  AppendNumber(out, value);
}

long long ShareTenths(double percent) {
  return std::llround(percent * 10.0);  // halves away from zero
}

void FormatTenths(long long tenths, std::wstring& out) {
  out.clear();
  if (tenths < 0) out += L'-';
  AppendNumber(out, std::llabs(tenths) / 10);
  out += L'.';
  out += static_cast<wchar_t>(L'0' + std::llabs(tenths) % 10);
}

std::int64_t BytesToK(std::uint64_t bytes) {
  return static_cast<std::int64_t>((bytes + 512) / 1024);
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
