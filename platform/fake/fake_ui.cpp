// The fake user side's answers: boxes answered from the script, shell starts
// accepted or refused (a start as administrator also by the consent prompt), and
// every call recorded.
#include "platform/fake/fake_ui.h"

namespace platform::fake {

bool FakeUi::Execute(const std::wstring& verb, const std::wstring& file,
                     const std::wstring& parameters) {
  shellCalls.push_back({verb, file, parameters});
  return shellAccepts;
}

ActionResult FakeUi::Open(const std::wstring& file) {
  shellCalls.push_back({L"open", file, L""});
  return shellAccepts ? ActionResult::Done() : ActionResult::Refused(shellRefusal);
}

bool FakeUi::ExecuteConfirmed(const std::wstring& verb, const std::wstring& file) {
  shellCalls.push_back({verb, file, L""});
  return shellAccepts && (verb != L"runas" || consentGiven);
}

BoxAnswer FakeUi::AskYesNo(const std::wstring& caption, const std::wstring& text, BoxIcon icon) {
  if (boxesFail) return BoxAnswer::kNotShown;
  boxes.push_back({caption, text, icon, true});
  return answerYes ? BoxAnswer::kYes : BoxAnswer::kNo;
}

void FakeUi::ShowMessage(const std::wstring& caption, const std::wstring& text,
                         BoxIcon icon) {
  boxes.push_back({caption, text, icon, false});
}

std::optional<std::wstring> FakeUi::RegisteredDebugger() {
  if (debugger.empty()) return std::nullopt;
  return debugger;
}

bool FakeUi::StartCommand(const std::wstring& program, const std::wstring& parameters) {
  startedCommands.push_back({L"", program, parameters});
  return true;
}

bool FakeUi::AddIcon(IconRef icon, const std::wstring& tip) {
  trayCalls.push_back({FakeTrayCall::kAdd, icon, tip});
  return !notifyAreaRefuses;
}

bool FakeUi::ModifyIcon(IconRef icon, const std::wstring& tip) {
  trayCalls.push_back({FakeTrayCall::kModify, icon, tip});
  return !notifyAreaRefuses;
}

bool FakeUi::RemoveIcon() {
  trayCalls.push_back({FakeTrayCall::kRemove, nullptr, L""});
  return !notifyAreaRefuses;
}

void FakeUi::PumpThenSleep(int milliseconds) {
  waits.push_back(milliseconds);
  if (onWait) onWait();
}

}  // namespace platform::fake
