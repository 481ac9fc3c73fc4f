// How process figures read on screen: priority words, CPU time, memory, the CPU
// share, and the clean-up of module paths.
#pragma once
#include <cstdint>
#include <string>

namespace procs {

// "实时", "高", "高于标准", "标准", "低于标准", "低", or "暂缺" for anything else.
std::wstring PriorityWord(std::uint32_t priorityClass);
// Menu tag of a priority class: 0 realtime, 1 high, 2 normal, 3 idle (and
// anything unknown), 4 above normal, 5 below normal.
int PriorityTagOf(std::uint32_t priorityClass);
// The class a menu tag sets; 0 for a tag outside 0..5.
std::uint32_t PriorityClassOfTag(int tag);

// The formatters write into `out`, reusing its storage: they run for every
// process at every tick.
// 100 ns units as "hh:mm:ss", hours modulo 24, seconds truncated.
void FormatCpuTime(std::int64_t units, std::wstring& out);
// Whole kilobytes followed by " K".
void FormatMemoryK(std::int64_t kilobytes, std::wstring& out);
// A plain decimal number, no separators.
void FormatCount(std::int64_t value, std::wstring& out);
// A share in tenths of a percent, rounded to nearest, and its text with one
// decimal ("12.5").
long long ShareTenths(double percent);
void FormatTenths(long long tenths, std::wstring& out);
// Bytes to whole kilobytes, rounded to nearest.
std::int64_t BytesToK(std::uint64_t bytes);

// From the character before the first colon on (drops a \??\ prefix); the whole
// text when there is no colon or it comes first; blanks and controls trimmed.
std::wstring CleanModulePath(const std::wstring& raw);
std::wstring TrimBlanks(const std::wstring& text);

}  // namespace procs
