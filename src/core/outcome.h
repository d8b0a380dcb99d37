// What a step of the core achieved: done (with its value), or one line saying
// why not. The core never shows a message itself: the window or the command
// line decides how the user hears of it, and [[nodiscard]] keeps a caller
// from losing it.
#pragma once

#include <optional>
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
  // A failure of the system's: its error number kept beside the reason, for
  // a caller that treats some (a missing file) differently.
  static Outcome Error(int code, std::string reason) {
    Outcome o = Failed(std::move(reason));
    o.code_ = code;
    return o;
  }
  bool Ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  // Empty when done.
  const std::string& Reason() const { return reason_; }
  const std::string& Caption() const { return caption_; }
  // The system's error number, 0 when done or when none was known.
  int Code() const { return code_; }

 private:
  bool ok_ = true;
  int code_ = 0;
  std::string reason_;
  std::string caption_;
};

// A value, or the Outcome saying why there is none.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}
  // A failed outcome (one that is done still counts as a failure: no value).
  Result(Outcome failure)
      : failure_(failure.Ok() ? Outcome::Failed({}) : std::move(failure)) {}
  static Result Failed(std::string reason, std::string_view caption = {}) {
    return Result(Outcome::Failed(std::move(reason), caption));
  }
  static Result Error(int code, std::string reason) { return Result(Outcome::Error(code, std::move(reason))); }

  bool Ok() const { return value_.has_value(); }
  explicit operator bool() const { return value_.has_value(); }
  T& operator*() & { return *value_; }
  const T& operator*() const& { return *value_; }
  T&& operator*() && { return std::move(*value_); }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  T ValueOr(T fallback) const& { return value_ ? *value_ : std::move(fallback); }

  // Done, or why not.
  const Outcome& AsOutcome() const { return failure_; }
  const std::string& Reason() const { return failure_.Reason(); }
  const std::string& Caption() const { return failure_.Caption(); }
  int Code() const { return failure_.Code(); }

 private:
  std::optional<T> value_;
  Outcome failure_;
};

}  // namespace corvaline
