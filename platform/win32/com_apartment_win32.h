// The calling thread's place in a single-threaded COM apartment for as long as its
// owner lives: the shell may hand a ShellExecute to extensions that need one.
#pragma once
#include <windows.h>
#include <objbase.h>

namespace platform::win32 {

class ComApartment {
 public:
  ComApartment()
      : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  // Only a successful call (S_OK, or S_FALSE when the thread was in one already)
  // is balanced; a thread already in the other kind of apartment stays as it was.
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT result_;
};

}  // namespace platform::win32
