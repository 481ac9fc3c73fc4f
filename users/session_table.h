// The session table: one row per terminal session of the last enumeration, written
// by the session collector and read by the Users page. Holds every session; the
// rows past the current count are dropped at each pass.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace users {

struct TUserInfo {
  std::wstring UserName;           // empty when the session has no user
  std::int64_t SessionId = -1;     // -1: nothing to add to the list
  std::wstring StateText;          // the word for the connection state
  std::wstring SessionName;        // "Console" for the console session, else the window station
  bool Listed = false;             // matched to, or added as, an item of the list
};

class SessionTable {
 public:
  static constexpr std::int64_t kNothingToAdd = -1;

  std::size_t Count() const { return rows_.size(); }
  TUserInfo& Row(std::size_t index) { return rows_[index]; }
  const TUserInfo& Row(std::size_t index) const { return rows_[index]; }
  // Keeps rows 0 .. count - 1 (their strings keep their space) and drops the rest.
  void Resize(std::size_t count) { rows_.resize(count); }

  // The first row with exactly this user name and session identifier, or null.
  TUserInfo* FindSessionRow(const std::wstring& userName, std::int64_t sessionId);

 private:
  std::vector<TUserInfo> rows_;
};

}  // namespace users
