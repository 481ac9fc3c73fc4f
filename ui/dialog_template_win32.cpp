// The template's layout: DLGTEMPLATE and DLGITEMTEMPLATE, each followed by its
// variable-length arrays (menu, class, title, font; class, title, creation data).
#include "ui/dialog_template_win32.h"

namespace ui {

namespace {
constexpr std::size_t kItemCountWord = 4;  // after the style and the extended style
}  // namespace

DialogTemplate::DialogTemplate(DWORD style, short cx, short cy, const wchar_t* caption,
                               WORD pointSize, const wchar_t* font) {
  Dword(font != nullptr ? style | DS_SETFONT : style & ~static_cast<DWORD>(DS_SETFONT));
  Dword(0);
  words_.push_back(0);  // no controls yet
  Rect(0, 0, cx, cy);
  words_.push_back(0);  // no menu
  words_.push_back(0);  // the standard dialog class
  Text(caption);
  if (font != nullptr) {
    words_.push_back(pointSize);
    Text(font);
  }
}

void DialogTemplate::Item(WORD classAtom, const wchar_t* text, DWORD style, short x, short y,
                          short cx, short cy, WORD id) {
  ++words_[kItemCountWord];
  if (words_.size() % 2 != 0) words_.push_back(0);
  Dword(WS_CHILD | WS_VISIBLE | style);
  Dword(0);
  Rect(x, y, cx, cy);
  words_.push_back(id);
  words_.push_back(0xFFFF);
  words_.push_back(classAtom);
  Text(text);
  words_.push_back(0);  // no creation data
}

void DialogTemplate::Dword(DWORD value) {
  words_.push_back(LOWORD(value));
  words_.push_back(HIWORD(value));
}

void DialogTemplate::Rect(short x, short y, short cx, short cy) {
  for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
}

void DialogTemplate::Text(const wchar_t* text) {
  for (; *text != L'\0'; ++text) words_.push_back(static_cast<WORD>(*text));
  words_.push_back(0);
}

}  // namespace ui
