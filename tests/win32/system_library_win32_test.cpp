// DLLs are loaded from the system folder only: a file planted beside the program
// or in the current folder is never the one a name brings in.
#include "platform/win32/system_library_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace platform::win32 {
namespace {

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder, length);
}

std::wstring FolderOf(HMODULE module) {
  wchar_t path[MAX_PATH];
  std::wstring text(path, GetModuleFileNameW(module, path, MAX_PATH));
  return text.substr(0, text.rfind(L'\\'));
}

// A harmless system DLL copied to `folder` under `name`, deleted again at the end.
struct PlantedDll {
  PlantedDll(const std::wstring& folder, const wchar_t* name) : path(folder + L"\\" + name) {
    copied = CopyFileW((SystemFolder() + L"\\version.dll").c_str(), path.c_str(), FALSE) != FALSE;
  }
  ~PlantedDll() { DeleteFileW(path.c_str()); }
  std::wstring path;
  bool copied = false;
};

TEST(SystemLibraryTest, ADllBesideTheProgramOrInTheCurrentFolderIsNeverLoadedByName) {
  const wchar_t* besideName = L"zentrik_beside.dll";
  const PlantedDll beside(FolderOf(nullptr), besideName);
  ASSERT_TRUE(beside.copied);
  wchar_t temp[MAX_PATH];
  ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
  const wchar_t* currentName = L"zentrik_current.dll";
  const PlantedDll current(std::wstring(temp).substr(0, wcslen(temp) - 1), currentName);
  ASSERT_TRUE(current.copied);
  // The copy is a loadable DLL where it lies, when asked for there.
  UniqueLibrary asked(LoadLibraryExW(besideName, nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR));
  ASSERT_NE(asked, nullptr);
  asked.reset();

  EXPECT_EQ(LoadSystemLibrary(besideName), nullptr);
  RestrictDllSearchToSystemFolder();
  EXPECT_EQ(UniqueLibrary(LoadLibraryW(besideName)), nullptr);
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(temp));
  EXPECT_EQ(UniqueLibrary(LoadLibraryW(currentName)), nullptr);
  EXPECT_EQ(LoadSystemLibrary(currentName), nullptr);
  SetCurrentDirectoryW(previous);

  // A DLL of the system still loads, from the system folder.
  const UniqueLibrary version = LoadSystemLibrary(L"version.dll");
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(CompareStringOrdinal(FolderOf(version.get()).c_str(), -1, SystemFolder().c_str(), -1,
                                 TRUE),
            CSTR_EQUAL);
  EXPECT_NE(BindFunction<FARPROC>(version.get(), "VerQueryValueW"), nullptr);
  EXPECT_EQ(BindFunction<FARPROC>(version.get(), "NoSuchFunction"), nullptr);
}

}  // namespace
}  // namespace platform::win32
