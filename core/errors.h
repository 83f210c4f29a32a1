// SPDX-License-Identifier: GPL-3.0-or-later
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
  explicit ConvertError(std::string_view digits) : std::runtime_error(describe(digits)) {}

 private:
  static std::string describe(std::string_view digits) {
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

// A text that is not a decimal number, or one too large for a double.
class FloatConvertError : public std::runtime_error {
 public:
  explicit FloatConvertError(std::string_view text) : std::runtime_error(describe(text)) {}

 private:
  static std::string describe(std::string_view text) {
    std::string message = "'";
    message.append(text);
    message.append("' is not a valid floating point value");
    return message;
  }
};

// A non-zero value divided by zero.
class DivisionByZero : public std::runtime_error {
 public:
  DivisionByZero() : std::runtime_error("Floating point division by zero") {}
};

// Zero divided by zero, and other operations without a numeric result.
class InvalidOperation : public std::runtime_error {
 public:
  InvalidOperation() : std::runtime_error("Invalid floating point operation") {}
};

// A result too large for a double.
class FloatOverflow : public std::runtime_error {
 public:
  FloatOverflow() : std::runtime_error("Floating point overflow") {}
};

}  // namespace quorvex
