// The StartupApproved value read and written on crafted bytes, and the program
// found in startup commands of every shape the Run keys hold.
#include "startup/startup_approved.h"

#include <gtest/gtest.h>

#include "startup/startup_command.h"

namespace startup {
namespace {

using Bytes = std::vector<std::uint8_t>;

platform::ApprovedValue Value(Bytes data, std::uint32_t type = kRegBinary) {
  return {L"entry", type, std::move(data)};
}

Bytes Flags(std::uint8_t first, std::uint64_t time) {
  Bytes bytes = {first, 0, 0, 0};
  for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(time >> (8 * i)));
  return bytes;
}

TEST(StartupApproved, BitZeroOfTheFirstByteDisablesAndAnythingUnreadableEnables) {
  constexpr std::uint64_t kTime = 0x01D9A1B2C3D4E5F6;
  EXPECT_FALSE(ApprovedSaysDisabled(nullptr));
  for (const std::uint8_t first : {0x02, 0x06}) {
    const auto value = Value(Flags(first, 0));
    EXPECT_FALSE(ApprovedSaysDisabled(&value)) << int{first};
  }
  for (const std::uint8_t first : {0x03, 0x07}) {
    const auto value = Value(Flags(first, kTime));
    EXPECT_TRUE(ApprovedSaysDisabled(&value)) << int{first};
  }
  const auto flagsOnly = Value({0x03, 0, 0, 0});
  EXPECT_TRUE(ApprovedSaysDisabled(&flagsOnly));
  Bytes longer = Flags(0x03, kTime);
  longer.resize(20, 0xEE);
  const auto longValue = Value(longer);
  EXPECT_TRUE(ApprovedSaysDisabled(&longValue));

  const auto shorter = Value({0x03, 0, 0});
  const auto dword = Value({0x03, 0, 0, 0}, 4);
  const auto empty = Value({});
  EXPECT_FALSE(ApprovedSaysDisabled(&shorter));
  EXPECT_FALSE(ApprovedSaysDisabled(&dword));
  EXPECT_FALSE(ApprovedSaysDisabled(&empty));
}

TEST(StartupApproved, DisableAndEnableKeepTheirFamilyAndOnlyDisablingStampsTheTime) {
  constexpr std::uint64_t kNow = 0x01DA0102030405A6;
  const auto two = Value(Flags(0x02, 0));
  EXPECT_EQ(ApprovedBytes(&two, true, kNow), Flags(0x03, kNow));
  const auto three = Value(Flags(0x03, 0x1234));
  EXPECT_EQ(ApprovedBytes(&three, false, kNow), Flags(0x02, 0));

  const auto six = Value(Flags(0x06, 0));
  const Bytes seven = ApprovedBytes(&six, true, kNow);
  EXPECT_EQ(seven, Flags(0x07, kNow));
  const auto sevenValue = Value(seven);
  EXPECT_EQ(ApprovedBytes(&sevenValue, false, kNow), Flags(0x06, 0));

  // No value, or none that can be read: the 02 family.
  EXPECT_EQ(ApprovedBytes(nullptr, true, kNow), Flags(0x03, kNow));
  EXPECT_EQ(ApprovedBytes(nullptr, false, kNow), Flags(0x02, 0));
  const auto dword = Value({0x07, 0, 0, 0}, 4);
  EXPECT_EQ(ApprovedBytes(&dword, true, kNow), Flags(0x03, kNow));

  // The other bits of the flags word survive; the bytes are always 12.
  auto wide = Value({0x02, 0x01, 0x00, 0x80, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
  const Bytes disabled = ApprovedBytes(&wide, true, kNow);
  ASSERT_EQ(disabled.size(), kApprovedSize);
  EXPECT_EQ(Bytes(disabled.begin(), disabled.begin() + 4), (Bytes{0x03, 0x01, 0x00, 0x80}));
}

TEST(StartupCommand, TheProgramOfQuotedUnquotedAndRundllCommands) {
  EXPECT_EQ(ProgramPathOf(L"\"C:\\Program Files\\Sync\\sync.exe\" /background"),
            L"C:\\Program Files\\Sync\\sync.exe");
  EXPECT_EQ(ProgramPathOf(L"  C:\\Program Files\\Sync App\\sync.EXE -min -x.exe"),
            L"C:\\Program Files\\Sync App\\sync.EXE");
  EXPECT_EQ(ProgramPathOf(L"C:\\tools\\start.cmd now"), L"C:\\tools\\start.cmd");
  EXPECT_EQ(ProgramPathOf(L"\\\\server\\share\\agent.exe"), L"\\\\server\\share\\agent.exe");
  EXPECT_EQ(ProgramPathOf(L"\"C:\\Odd Place\\tool.exe"), L"C:\\Odd Place\\tool.exe");

  EXPECT_EQ(ProgramPathOf(
                L"C:\\Windows\\System32\\rundll32.exe C:\\Program Files\\Ink\\ink.dll,Start"),
            L"C:\\Program Files\\Ink\\ink.dll");
  EXPECT_EQ(ProgramPathOf(L"\"C:\\Windows\\System32\\RUNDLL32.EXE\" \"C:\\Ink Pad\\ink.dll\",Go"),
            L"C:\\Ink Pad\\ink.dll");
  // A DLL named without its folder: rundll32 itself is what a user can find.
  EXPECT_EQ(ProgramPathOf(L"C:\\Windows\\System32\\rundll32.exe shell32.dll,Control_RunDLL"),
            L"C:\\Windows\\System32\\rundll32.exe");

  // Bare names and relative paths are looked for by the system: no path here.
  EXPECT_EQ(ProgramPathOf(L"ctfmon.exe"), L"");
  EXPECT_EQ(ProgramPathOf(L"rundll32.exe shell32.dll,Control_RunDLL"), L"");
  EXPECT_EQ(ProgramPathOf(L"%ProgramFiles%\\a.exe"), L"");
  EXPECT_EQ(ProgramPathOf(L""), L"");
  EXPECT_EQ(ProgramPathOf(L"\"\""), L"");
}

}  // namespace
}  // namespace startup
