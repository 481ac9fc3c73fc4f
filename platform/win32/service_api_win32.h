// The real service control manager behind ServiceApi (advapi32, a KnownDLL): one
// handle to the manager, opened with connect and enumerate rights at the first
// call and opened again after a call found it gone; each service opened with
// only the right its call needs and closed right after.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/service_api.h"

namespace platform::win32 {

class Win32ServiceApi : public ServiceApi {
 public:
  Win32ServiceApi();
  ~Win32ServiceApi() override;
  Win32ServiceApi(const Win32ServiceApi&) = delete;
  Win32ServiceApi& operator=(const Win32ServiceApi&) = delete;

  ServiceListPart EnumerateServices(std::byte* buffer, std::uint32_t size,
                                    std::uint32_t& resume) override;
  std::optional<ServiceConfig> QueryConfig(const std::wstring& name) override;
  std::uint32_t QueryStatus(const std::wstring& name, ServiceStatus& status) override;
  std::uint32_t RequestStart(const std::wstring& name) override;
  std::uint32_t RequestStop(const std::wstring& name) override;
  std::uint32_t ActiveDependents(const std::wstring& name,
                                 std::vector<DependentService>& out) override;
  std::wstring ErrorText(std::uint32_t code) override;

 private:
  class ServiceHandle;
  // The manager, opened if need be; null (and `error` set) when it cannot be.
  SC_HANDLE Manager(DWORD& error);
  // The service opened for `access`, with one new try when the manager was gone.
  ServiceHandle Open(const std::wstring& name, DWORD access, DWORD& error);
  void ForgetManager();

  SC_HANDLE manager_ = nullptr;
  std::vector<std::byte> scratch_;  // configuration and dependents answers
};

}  // namespace platform::win32
