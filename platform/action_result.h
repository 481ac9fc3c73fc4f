// The answer to a request that the system may refuse: done, or the system's own
// words for why not, ready to be shown to the user as they stand.
#pragma once
#include <string>
#include <utility>

namespace platform {

struct ActionResult {
  bool done = true;
  std::wstring errorText;  // empty when done

  static ActionResult Done() { return {}; }
  static ActionResult Refused(std::wstring text) { return {false, std::move(text)}; }
};

}  // namespace platform
