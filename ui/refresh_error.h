// The error a collector raises when a tick cannot go on: the refresh cycle stops
// its timer and shows the text.
#pragma once
#include <stdexcept>
#include <string>

namespace ui {

class RefreshError : public std::runtime_error {
 public:
  explicit RefreshError(std::wstring text)
      : std::runtime_error("refresh error"), text_(std::move(text)) {}
  const std::wstring& Text() const { return text_; }

 private:
  std::wstring text_;
};

}  // namespace ui
