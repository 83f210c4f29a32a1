#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// Errors that stop the running command. Input errors are not among them: those
// are values written into the pending message text.
namespace quorvex {

// A digit run that does not fit a 32-bit signed integer.
class ConvertError : public std::runtime_error {
 public:
  explicit ConvertError(std::string_view digits) : std::runtime_error(Message(digits)) {}

 private:
  static std::string Message(std::string_view digits) {
    std::string text = "'";
    text.append(digits);
    text.append("' is not a valid integer value");
    return text;
  }
};

// An internal consistency check failed.
class AssertionFailure : public std::runtime_error {
 public:
  explicit AssertionFailure(std::string_view what)
      : std::runtime_error(std::string("Assertion failure: ").append(what)) {}
};

}  // namespace quorvex
