// The one way a fallible call reports failure: a value that either holds the result or the
// message for the failure. Platform calls carry the system's reason; core calls carry the text
// the program shows the user ("Unable to write to ..."). The caller decides whether and how to
// show it (through the UserInterface seam), never the function that failed.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace kw {

// What went wrong, in words fit for the user.
struct Error {
  std::string message;
};

inline Error Failure(std::string message) {
  return Error{std::move(message)};
}

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : data_(std::in_place_index<0>, std::move(value)) {}      // NOLINT: implicit
  Result(Error error) : data_(std::in_place_index<1>, std::move(error)) {}  // NOLINT: implicit

  bool Ok() const { return data_.index() == 0; }
  explicit operator bool() const { return Ok(); }

  T& Value() & { return std::get<0>(data_); }
  const T& Value() const& { return std::get<0>(data_); }
  T&& Value() && { return std::get<0>(std::move(data_)); }
  T& operator*() & { return Value(); }
  const T& operator*() const& { return Value(); }
  T* operator->() { return &Value(); }
  const T* operator->() const { return &Value(); }

  // Empty when the call succeeded.
  const std::string& Message() const {
    static const std::string kNone;
    return Ok() ? kNone : std::get<1>(data_).message;
  }

 private:
  std::variant<T, Error> data_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Error error) : failed_(true), message_(std::move(error.message)) {}  // NOLINT: implicit

  bool Ok() const { return !failed_; }
  explicit operator bool() const { return Ok(); }
  const std::string& Message() const { return message_; }

 private:
  bool failed_ = false;
  std::string message_;
};

// A call that gives nothing but success or a message.
using Status = Result<void>;

inline Status Success() {
  return {};
}

}  // namespace kw
