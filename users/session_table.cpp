// Look-up of a session row by the user and identifier that a list item shows.
#include "users/session_table.h"

namespace users {

TUserInfo* SessionTable::FindSessionRow(const std::wstring& userName, std::int64_t sessionId) {
  for (TUserInfo& row : rows_)
    if (row.SessionId == sessionId && row.UserName == userName) return &row;
  return nullptr;
}

}  // namespace users
