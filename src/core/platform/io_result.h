// The outcome of an input or output, as data: success (with what it gave)
// or the reason it failed. Nothing in the core throws for a failed read or
// write; the caller decides how the reason reaches the user.
#pragma once

#include <cerrno>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <variant>

namespace quilmark::platform {

// Why an input or output failed: an error the system reported, or a
// reason of the program's own ("the file ended early").
class IoError {
 public:
  // The system's error number (errno on this platform).
  static IoError FromSystem(int error) {
    return IoError(std::error_code(error != 0 ? error : EIO, std::system_category()), {});
  }
  static IoError Because(std::string reason) { return IoError({}, std::move(reason)); }

  // The system's error; an empty code for a reason of the program's own.
  const std::error_code& Code() const { return code_; }
  bool Is(std::errc error) const { return code_ == error; }
  // The reason in words: the system's message, or the program's own text.
  std::string Reason() const { return code_ ? code_.message() : reason_; }

 private:
  IoError(std::error_code code, std::string reason) : code_(code), reason_(std::move(reason)) {}

  std::error_code code_;
  std::string reason_;
};

// Success, or the reason for the failure.
class [[nodiscard]] IoStatus {
 public:
  IoStatus() = default;
  IoStatus(IoError error) : error_(std::move(error)) {}  // NOLINT: a failure converts

  bool Ok() const { return !error_; }
  explicit operator bool() const { return Ok(); }
  // Only for a failure.
  const IoError& Error() const { return *error_; }

 private:
  std::optional<IoError> error_;
};

// A value, or the reason there is none.
template <typename T>
class [[nodiscard]] IoResult {
 public:
  IoResult(T value) : state_(std::in_place_index<0>, std::move(value)) {}        // NOLINT
  IoResult(IoError error) : state_(std::in_place_index<1>, std::move(error)) {}  // NOLINT

  bool Ok() const { return state_.index() == 0; }
  explicit operator bool() const { return Ok(); }

  // Only for a success.
  T& operator*() & { return std::get<0>(state_); }
  const T& operator*() const& { return std::get<0>(state_); }
  T&& operator*() && { return std::get<0>(std::move(state_)); }
  T* operator->() { return &std::get<0>(state_); }
  const T* operator->() const { return &std::get<0>(state_); }
  // Only for a failure.
  const IoError& Error() const { return std::get<1>(state_); }

  // The failure without the value's type, for passing it on.
  IoStatus Status() const { return Ok() ? IoStatus() : IoStatus(Error()); }

  // Equal when it holds that value (a failure equals no value).
  friend bool operator==(const IoResult& result, const T& value) {
    return result.Ok() && *result == value;
  }

 private:
  std::variant<T, IoError> state_;
};

}  // namespace quilmark::platform
