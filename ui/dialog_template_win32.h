// A dialog template written in memory, word by word, for the dialog manager to
// make a modal form from: the header, and the controls laid out in dialog units
// when the form brings them with it. No resource script is needed.
#pragma once
#include <windows.h>

#include <vector>

namespace ui {

class DialogTemplate {
 public:
  static constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;

  // A form of `cx` x `cy` dialog units. With a font face the template carries
  // DS_SETFONT, that face and size, and dialog units follow that font.
  DialogTemplate(DWORD style, short cx, short cy, const wchar_t* caption, WORD pointSize = 0,
                 const wchar_t* font = nullptr);
  // One control of one of the classes above; each starts on a DWORD bound.
  void Item(WORD classAtom, const wchar_t* text, DWORD style, short x, short y, short cx,
            short cy, WORD id);
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Dword(DWORD value);
  void Rect(short x, short y, short cx, short cy);
  void Text(const wchar_t* text);

  std::vector<WORD> words_;  // the vector's storage is suitably aligned for the template
};

}  // namespace ui
