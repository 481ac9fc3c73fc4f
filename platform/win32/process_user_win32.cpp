// Who runs a process: account names from SIDs, read either from the process
// token or from the session SID that winsta.dll hands out without opening it.
#include "platform/win32/process_user_win32.h"

#include <vector>

#include "platform/win32/handle_win32.h"
#include "platform/win32/win32_system.h"

namespace platform::win32 {

namespace {

// LookupAccountSidW with both lengths learned first; the domain is dropped.
std::optional<std::wstring> LookUpAccount(PSID sid) {
  DWORD nameLength = 0;
  DWORD domainLength = 0;
  SID_NAME_USE use;
  LookupAccountSidW(nullptr, sid, nullptr, &nameLength, nullptr, &domainLength, &use);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || nameLength == 0) return std::nullopt;
  std::wstring name(nameLength, L'\0');
  std::wstring domain(domainLength + 1, L'\0');
  if (!LookupAccountSidW(nullptr, sid, name.data(), &nameLength, domain.data(), &domainLength,
                         &use)) {
    return std::nullopt;
  }
  name.resize(nameLength);  // on success the length no longer counts the terminator
  if (name.empty()) return std::nullopt;
  return name;
}

}  // namespace

std::optional<std::wstring> AccountNames::NameOf(PSID sid) {
  if (sid == nullptr || !IsValidSid(sid)) return std::nullopt;
  std::string key(static_cast<const char*>(sid), GetLengthSid(sid));
  {
    std::lock_guard lock(mutex_);
    if (auto found = names_.find(key); found != names_.end()) return found->second;
  }
  // Looked up outside the lock: a slow domain answer must not hold up other callers.
  // Failures are not remembered, so a SID that was briefly unresolvable gets another try.
  std::optional<std::wstring> name = LookUpAccount(sid);
  if (name) {
    std::lock_guard lock(mutex_);
    names_.emplace(std::move(key), *name);
  }
  return name;
}

std::optional<std::wstring> TokenUserName(HANDLE process, AccountNames& names) {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &rawToken)) return std::nullopt;
  UniqueHandle token(rawToken);

  // The needed size can change between calls; a few rounds are plenty.
  std::vector<BYTE> buffer(64);
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD needed = 0;
    if (GetTokenInformation(token.Get(), TokenUser, buffer.data(),
                            static_cast<DWORD>(buffer.size()), &needed)) {
      return names.NameOf(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) break;
    buffer.resize(needed);
  }
  return std::nullopt;
}

std::optional<std::wstring> SessionSidUserName(Win32ProcessApi::GetSidFn getProcessSid,
                                               DWORD pid, std::int64_t createTime,
                                               AccountNames& names) {
  if (getProcessSid == nullptr) return std::nullopt;
  // The creation time tells this process apart from an older one with the same id.
  const auto time = static_cast<std::uint64_t>(createTime);
  const FILETIME created{static_cast<DWORD>(time & 0xFFFFFFFFu), static_cast<DWORD>(time >> 32)};

  DWORD size = 0;
  getProcessSid(nullptr, pid, created, nullptr, &size);
  if (size == 0 || size > 4096) return std::nullopt;
  std::vector<BYTE> sid(size);
  if (!getProcessSid(nullptr, pid, created, sid.data(), &size)) return std::nullopt;
  return names.NameOf(sid.data());
}

std::optional<std::wstring> Win32ProcessApi::UserNameBySessionSid(std::uint32_t pid,
                                                                  std::int64_t createTime) {
  return SessionSidUserName(getProcessSid_, pid, createTime, *accountNames_);
}

}  // namespace platform::win32
