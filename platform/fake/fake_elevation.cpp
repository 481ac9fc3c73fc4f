// The fake's answer to the restart as administrator: a consent prompt that the
// test decides, and a record of what was started.
#include "platform/fake/fake_system.h"

namespace platform::fake {

bool FakeSystem::ExecuteConfirmed(const std::wstring& verb, const std::wstring& file) {
  shellCalls.push_back({verb, file, L""});
  return shellAccepts && (verb != L"runas" || consentGiven);
}

}  // namespace platform::fake
