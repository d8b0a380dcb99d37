// What a step of the core achieved: done, or one line saying why not. The
// core never shows a message itself: the window or the command line decides
// how the user hears of it, and [[nodiscard]] keeps a caller from losing it.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace corvaline {

class [[nodiscard]] Outcome {
 public:
  Outcome() = default;  // done
  // caption: the heading the window shows the reason under; empty for the
  // program's title.
  static Outcome Failed(std::string reason, std::string_view caption = {}) {
    Outcome o;
    o.ok_ = false;
    o.reason_ = reason.empty() ? std::string("failed") : std::move(reason);
    o.caption_ = caption;
    return o;
  }
  bool Ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  // Empty when done.
  const std::string& Reason() const { return reason_; }
  const std::string& Caption() const { return caption_; }

 private:
  bool ok_ = true;
  std::string reason_;
  std::string caption_;
};

}  // namespace corvaline
