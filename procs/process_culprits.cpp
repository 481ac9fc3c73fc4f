// The fixed-size names and the partial selection of a tick's culprits.
#include "procs/process_culprits.h"

namespace procs {

void ShortName::Assign(std::wstring_view name) {
  std::size_t n = name.size() < kCulpritNameUnits ? name.size() : kCulpritNameUnits;
  // A cut never leaves half of a surrogate pair behind.
  if (n < name.size() && n > 0 && name[n - 1] >= 0xD800 && name[n - 1] <= 0xDBFF) --n;
  for (std::size_t i = 0; i < n; ++i) units_[i] = static_cast<char16_t>(name[i]);
  length_ = static_cast<std::uint8_t>(n);
}

void ShortName::AppendTo(std::wstring& out) const {
  for (const char16_t unit : Units()) out += static_cast<wchar_t>(unit);
}

void TopThree::Offer(std::uint32_t pid, std::uint32_t figure, std::wstring_view name) {
  const auto before = [&](const Culprit& kept) {
    return figure > kept.figure || (figure == kept.figure && pid < kept.pid);
  };
  if (count_ == kCulpritsKept && !before(kept_[count_ - 1])) return;
  // The newcomer takes the last place (or a new one) and moves up past every
  // culprit it beats.
  std::size_t at = count_ < kCulpritsKept ? count_++ : count_ - 1;
  while (at > 0 && before(kept_[at - 1])) {
    kept_[at] = kept_[at - 1];
    --at;
  }
  kept_[at].pid = pid;
  kept_[at].figure = figure;
  kept_[at].name.Assign(name);
}

}  // namespace procs
