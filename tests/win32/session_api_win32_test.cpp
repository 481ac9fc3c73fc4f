// The real session calls under Wine, read-only: the enumeration and the user-name
// query. Nothing here logs off, locks or sends anything.
#include "platform/win32/win32_system.h"

#include <gtest/gtest.h>
#include <wtsapi32.h>

namespace platform::win32 {
namespace {

TEST(Win32SessionApiTest, EnumerationReplacesWhatTheVectorHeld) {
  Win32SessionApi api;
  std::vector<SessionEntry> sessions = {{7, L"stale", kSessionDown}};
  ASSERT_TRUE(api.EnumerateSessions(sessions));
  // Wine reports no sessions at all; Windows at least the console.
  for (const SessionEntry& entry : sessions) EXPECT_NE(entry.windowStation, L"stale");
}

TEST(Win32SessionApiTest, UserNameOfTheCurrentSession) {
  Win32SessionApi api;
  // Wine answers its one user ("root") for any session number.
  const std::wstring current = api.QueryUserName(WTS_CURRENT_SESSION);
  EXPECT_FALSE(current.empty());
  EXPECT_EQ(current.find(L'\0'), std::wstring::npos);
}

}  // namespace
}  // namespace platform::win32
