// The small modal dialog of "发送消息(&S)...": a title, the message text, "确定" and
// "取消". Written whole as a template in dialog units, owned by the main window.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "ui/modal_form_win32.h"
#include "users/users_page.h"

namespace users {

class SendMessageDialog final : public MessagePrompt, private ui::ModalForm {
 public:
  // Control identifiers, for the dialog procedure and for tests that fill it in.
  enum : int { kTitleEdit = 101, kTextEdit = 102 };
  static constexpr wchar_t kCaption[] = L"发送消息";

  explicit SendMessageDialog(HWND owner) : owner_(owner) {}

  // Shows the dialog; the title and text when the user chose "确定" with some text.
  std::optional<OutgoingMessage> AskMessage(const std::wstring& userName) override;

 private:
  void FormCreate() override;
  void Clicked(UINT id) override;
  bool TakeMessage();

  HWND owner_;
  std::wstring userName_;
  OutgoingMessage result_;
};

}  // namespace users
