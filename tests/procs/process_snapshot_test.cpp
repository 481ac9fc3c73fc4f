// The snapshot walk must decode every entry the system wrote and never read past
// what the query filled, whatever the buffer holds.
#include "procs/process_snapshot.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/fake/fake_system.h"
#include "platform/layouts/command_line_information.h"
#include "platform/layouts/process_entry.h"

using platform::fake::FakeSystem;
using procs::ProcessSnapshotReader;
using procs::SnapshotEntry;
using procs::WalkProcessSnapshot;
namespace layout = platform::process_entry_layout;

namespace {

struct Crafted {
  std::vector<std::byte> bytes;
  std::uint32_t filled = 0;
};

Crafted Write(const FakeSystem& system) {
  Crafted c;
  c.bytes.resize(system.WriteSnapshot(nullptr, 0));
  c.filled = system.WriteSnapshot(c.bytes.data(), static_cast<std::uint32_t>(c.bytes.size()));
  return c;
}

std::uint32_t NextOffset(const Crafted& c, std::size_t at) {
  std::uint32_t next;
  std::memcpy(&next, c.bytes.data() + at + layout::kNextEntryOffset, 4);
  return next;
}

void SetNextOffset(Crafted& c, std::size_t at, std::uint32_t next) {
  std::memcpy(c.bytes.data() + at + layout::kNextEntryOffset, &next, 4);
}

}  // namespace

TEST(ProcessSnapshotWalk, DecodesEveryEntryUpToTheLastOne) {
  FakeSystem system;
  system.AddProcess(0, L"");
  system.AddProcess(4, L"System").threads = 90;
  auto& editor = system.AddProcess(1234, L"editor.exe");
  editor.kernelTime = 30'000'000;
  editor.userTime = 20'000'000;
  editor.workingSet = 10 << 20;
  editor.parentPid = 4;
  const Crafted c = Write(system);

  std::vector<SnapshotEntry> entries;
  ASSERT_TRUE(WalkProcessSnapshot(c.bytes.data(), c.filled, entries));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_FALSE(entries[0].HasName());
  EXPECT_EQ(entries[1].threadCount, 90u);
  EXPECT_EQ(entries[2].processId, 1234u);
  EXPECT_EQ(entries[2].parentProcessId, 4u);
  EXPECT_EQ(procs::ImageNameOf(c.bytes.data(), entries[2]), L"editor.exe");
  EXPECT_EQ(entries[2].kernelTime + entries[2].userTime, 50'000'000);
  EXPECT_EQ(entries[2].workingSet, 10u << 20);
}

TEST(ProcessSnapshotWalk, RefusesLinksAndEntriesOutsideTheFilledPart) {
  FakeSystem system;
  system.AddProcess(8, L"a.exe");
  system.AddProcess(12, L"b.exe");
  std::vector<SnapshotEntry> entries;

  Crafted pastEnd = Write(system);
  SetNextOffset(pastEnd, 0, pastEnd.filled + 4096);
  EXPECT_FALSE(WalkProcessSnapshot(pastEnd.bytes.data(), pastEnd.filled, entries));

  Crafted truncated = Write(system);  // the second entry is cut in half
  const std::uint32_t second = NextOffset(truncated, 0);
  EXPECT_FALSE(WalkProcessSnapshot(truncated.bytes.data(), second + 100, entries));

  Crafted looping = Write(system);  // a link back onto itself would never end
  SetNextOffset(looping, 0, 8);
  EXPECT_FALSE(WalkProcessSnapshot(looping.bytes.data(), looping.filled, entries));

  EXPECT_FALSE(WalkProcessSnapshot(looping.bytes.data(), 100, entries));
  EXPECT_TRUE(entries.empty());
}

TEST(ProcessSnapshotWalk, CutsANameThatRunsPastTheBuffer) {
  FakeSystem system;
  system.AddProcess(8, L"a-rather-long-name.exe");
  Crafted c = Write(system);
  const std::uint16_t tooLong = 60000;
  std::memcpy(c.bytes.data() + layout::kImageNameLength, &tooLong, 2);
  std::vector<SnapshotEntry> entries;
  ASSERT_TRUE(WalkProcessSnapshot(c.bytes.data(), c.filled, entries));
  const std::wstring name = procs::ImageNameOf(c.bytes.data(), entries[0]);
  EXPECT_EQ(name.rfind(L"a-rather-long-name.exe", 0), 0u);
  EXPECT_LE(name.size() * 2, c.filled - layout::kEntrySize);

  const std::uint64_t elsewhere = 0x10;  // an address that is not inside the buffer
  std::memcpy(c.bytes.data() + layout::kImageNameBuffer, &elsewhere, 8);
  ASSERT_TRUE(WalkProcessSnapshot(c.bytes.data(), c.filled, entries));
  EXPECT_FALSE(entries[0].HasName());
}

TEST(ProcessSnapshotReader, GrowsTheBufferUntilTheListFits) {
  FakeSystem system;
  for (std::uint32_t pid = 4; pid < 4 * 2000; pid += 4)
    system.AddProcess(pid, L"a-process-with-a-long-image-name-" + std::to_wstring(pid) + L".exe");
  ProcessSnapshotReader reader(system);
  std::vector<SnapshotEntry> entries;
  ASSERT_TRUE(reader.Take(entries));
  EXPECT_EQ(entries.size(), 1999u);
  EXPECT_GT(reader.BufferSize(), 300000u);
  EXPECT_GE(system.snapshotQueries, 2);
}

TEST(ProcessSnapshotReader, AFailedOrEmptyAnswerIsNoSnapshot) {
  FakeSystem system;
  system.AddProcess(8, L"a.exe");
  ProcessSnapshotReader reader(system);
  std::vector<SnapshotEntry> entries;
  system.processQueryOverride = [](void*, std::uint32_t, std::uint32_t*) {
    return platform::NtStatus{0xC0000022};  // access denied
  };
  EXPECT_FALSE(reader.Take(entries));
  system.processQueryOverride = [](void*, std::uint32_t, std::uint32_t* returned) {
    *returned = 0;  // success, but nothing filled
    return platform::kStatusSuccess;
  };
  EXPECT_FALSE(reader.Take(entries));
  system.processQueryOverride = [](void*, std::uint32_t, std::uint32_t* returned) {
    *returned = 0xFFFFFFF0u;  // asks for an absurd buffer again and again
    return platform::kStatusInfoLengthMismatch;
  };
  EXPECT_FALSE(reader.Take(entries));
}

TEST(ProcessSnapshotWalk, ThreadStatesAreReadOnlyWhenTheirRecordsFit) {
  FakeSystem system;
  system.AddProcess(8, L"frozen.exe").threads = 2;
  system.Find(8)->suspendedThreads = 2;
  auto& reader = system.AddProcess(9, L"reader.exe");  // one suspended, one in a read, one running
  reader.threads = 3;
  reader.suspendedThreads = 1;
  reader.blockedThreads = 1;
  system.AddProcess(10, L"wine.exe").blankThreadStates = true;
  Crafted c = Write(system);
  std::vector<SnapshotEntry> entries;
  ASSERT_TRUE(WalkProcessSnapshot(c.bytes.data(), c.filled, entries));
  const auto states = [&](std::size_t i) {
    return std::vector<bool>{entries[i].allThreadsSuspended, entries[i].someThreadSuspended,
                             entries[i].someThreadRunning};
  };
  EXPECT_EQ(states(0), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(states(1), (std::vector<bool>{false, true, true}));
  EXPECT_EQ(states(2), (std::vector<bool>{false, false, false}));
  // A thread count beyond the filled part is not believed.
  const std::uint32_t many = 1000;
  std::memcpy(c.bytes.data() + layout::kNumberOfThreads, &many, 4);
  ASSERT_TRUE(WalkProcessSnapshot(c.bytes.data(), c.filled, entries));
  EXPECT_EQ(states(0), (std::vector<bool>{false, false, false}));
}

TEST(CommandLineAnswer, DecodesTheStringThatFollowsItsHeaderAndRejectsOneOutside) {
  namespace cl = platform::command_line_layout;
  const std::wstring text = L"notepad.exe C:\\a.txt";
  std::vector<std::byte> buffer(cl::kHeaderSize + text.size() * 2);
  const auto length = static_cast<std::uint16_t>(text.size() * 2);
  std::uint64_t address = reinterpret_cast<std::uintptr_t>(buffer.data()) + cl::kHeaderSize;
  std::memcpy(buffer.data() + cl::kLength, &length, 2);
  std::memcpy(buffer.data() + cl::kBuffer, &address, 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<std::uint16_t>(text[i]);
    std::memcpy(buffer.data() + cl::kHeaderSize + 2 * i, &c, 2);
  }
  EXPECT_EQ(cl::DecodeCommandLine(buffer.data(), buffer.size()), text);
  EXPECT_EQ(cl::DecodeCommandLine(buffer.data(), buffer.size() - 2), std::nullopt);
  EXPECT_EQ(cl::DecodeCommandLine(buffer.data(), 8), std::nullopt);
  address += 4096;  // characters elsewhere than the answer
  std::memcpy(buffer.data() + cl::kBuffer, &address, 8);
  EXPECT_EQ(cl::DecodeCommandLine(buffer.data(), buffer.size()), std::nullopt);
}
