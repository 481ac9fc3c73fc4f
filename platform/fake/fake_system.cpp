// The answers that cross the fake system's areas: the one native query door,
// and privileges recorded with the system actions.
#include "platform/fake/fake_system.h"

#include "platform/layouts/system_information.h"

namespace platform::fake {

NtStatus FakeSystem::QuerySystemInformation(std::uint32_t infoClass, void* buffer,
                                            std::uint32_t length, std::uint32_t* returnLength) {
  switch (infoClass) {
    case kSystemProcessInformation: return AnswerProcessList(buffer, length, returnLength);
    case kSystemProcessIdInformation: return AnswerImageNameQuery(buffer, length);
    default: return AnswerCounterQuery(infoClass, buffer, length, returnLength);
  }
}

bool FakeSystem::EnablePrivilege(const std::wstring& name) {
  systemActions.push_back(L"privilege " + name);
  return FakeProcesses::EnablePrivilege(name);
}

}  // namespace platform::fake
