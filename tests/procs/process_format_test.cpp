// How process figures read in the list.
#include "procs/process_format.h"

#include <gtest/gtest.h>

#include "platform/process_api.h"

using namespace procs;

namespace {

// The formatters write into a string they are given; these hand it back.
std::wstring CpuTimeText(std::int64_t units) {
  std::wstring text;
  FormatCpuTime(units, text);
  return text;
}
std::wstring MemoryText(std::int64_t kilobytes) {
  std::wstring text;
  FormatMemoryK(kilobytes, text);
  return text;
}
std::wstring ShareText(double percent) {
  std::wstring text;
  FormatTenths(ShareTenths(percent), text);
  return text;
}

}  // namespace

TEST(ProcessFormat, PriorityWordsAndTags) {
  EXPECT_EQ(PriorityWord(platform::kRealtimePriority), L"实时");
  EXPECT_EQ(PriorityWord(platform::kHighPriority), L"高");
  EXPECT_EQ(PriorityWord(platform::kAboveNormalPriority), L"高于标准");
  EXPECT_EQ(PriorityWord(platform::kNormalPriority), L"标准");
  EXPECT_EQ(PriorityWord(platform::kBelowNormalPriority), L"低于标准");
  EXPECT_EQ(PriorityWord(platform::kIdlePriority), L"低");
  EXPECT_EQ(PriorityWord(0), L"暂缺");
  EXPECT_EQ(PriorityWord(0x1234), L"暂缺");
  for (int tag = 0; tag < 6; ++tag) EXPECT_EQ(PriorityTagOf(PriorityClassOfTag(tag)), tag);
  EXPECT_EQ(PriorityTagOf(0), 3);  // an unreadable class shows as idle
  EXPECT_EQ(PriorityClassOfTag(6), 0u);
}

TEST(ProcessFormat, CpuTimeWrapsHoursAndTruncatesSeconds) {
  const std::int64_t second = 10'000'000;
  EXPECT_EQ(CpuTimeText(0), L"00:00:00");
  EXPECT_EQ(CpuTimeText((25 * 3600 + 3 * 60 + 7) * second + 9 * second / 10), L"01:03:07");
  EXPECT_EQ(CpuTimeText(-5), L"00:00:00");
}

TEST(ProcessFormat, MemoryAndShare) {
  EXPECT_EQ(MemoryText(BytesToK(10 << 20)), L"10240 K");
  EXPECT_EQ(BytesToK(1535), 1);
  EXPECT_EQ(BytesToK(1536), 2);
  EXPECT_EQ(ShareText(12.34), L"12.3");
  EXPECT_EQ(ShareText(0.05), L"0.1");
  EXPECT_EQ(ShareText(0), L"0.0");
  EXPECT_EQ(ShareText(100), L"100.0");
}

TEST(ProcessFormat, ModulePathCleanUp) {
  EXPECT_EQ(CleanModulePath(L"\\??\\C:\\Windows\\system32\\smss.exe"),
            L"C:\\Windows\\system32\\smss.exe");
  EXPECT_EQ(CleanModulePath(L"\\SystemRoot\\System32\\smss.exe"),
            L"\\SystemRoot\\System32\\smss.exe");
  EXPECT_EQ(CleanModulePath(L":odd"), L":odd");
  EXPECT_EQ(CleanModulePath(L"  C:\\a.exe\r\n"), L"C:\\a.exe");
  EXPECT_EQ(CleanModulePath(std::wstring(L"C:\\a.exe\0junk", 13)), L"C:\\a.exe");
}
