// What a step of the core achieved: done, or one line saying why not. The
// core never shows a message itself: the window or the command line decides
// how the user hears of it, and [[nodiscard]] keeps a caller from losing it.
#pragma once

#include <string>
#include <utility>

namespace corvaline {

class [[nodiscard]] Outcome {
 public:
  Outcome() = default;  // done
  static Outcome Failed(std::string reason) {
    Outcome o;
    o.ok_ = false;
    o.reason_ = reason.empty() ? std::string("failed") : std::move(reason);
    return o;
  }
  bool Ok() const { return ok_; }
  // Empty when done.
  const std::string& Reason() const { return reason_; }

 private:
  bool ok_ = true;
  std::string reason_;
};

}  // namespace corvaline
