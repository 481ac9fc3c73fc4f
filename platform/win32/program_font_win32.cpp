// Whether a face is installed is what the system reports after selecting it:
// asked for a face it does not have, GDI quietly substitutes another one.
#include "platform/win32/program_font_win32.h"

#include <cwchar>

namespace platform::win32 {

namespace {

LOGFONTW FaceAtProgramHeight(const wchar_t* face) {
  LOGFONTW font{};
  font.lfHeight = -kProgramFontPixels;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

bool FaceInstalled(const LOGFONTW& wished) {
  UniqueFont font(CreateFontIndirectW(&wished));
  HDC screen = GetDC(nullptr);
  if (font == nullptr || screen == nullptr) {
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return true;  // nothing to compare with: keep the wished face
  }
  HGDIOBJ previous = SelectObject(screen, font.get());
  wchar_t drawn[LF_FACESIZE] = {};
  const int length = GetTextFaceW(screen, LF_FACESIZE, drawn);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  if (length == 0) return true;
  // The face may answer to its English name as well as to the one asked for.
  // Face names compare by character, ignoring case, as GDI compares them.
  const auto same = [](const wchar_t* a, const wchar_t* b) {
    return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
  };
  return same(drawn, wished.lfFaceName) ||
         (same(wished.lfFaceName, kProgramFace) && same(drawn, L"SimSun"));
}

}  // namespace

LOGFONTW ProgramLogFont(const wchar_t* face) {
  const LOGFONTW wished = FaceAtProgramHeight(face);
  if (FaceInstalled(wished)) return wished;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    return wished;  // GDI's own substitute is all there is
  LOGFONTW message = metrics.lfMessageFont;
  message.lfHeight = -kProgramFontPixels;
  message.lfWidth = 0;
  return message;
}

UniqueFont CreateProgramFont(int pixels) {
  LOGFONTW font = ProgramLogFont();
  if (pixels > 0) font.lfHeight = -pixels;
  return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace platform::win32
