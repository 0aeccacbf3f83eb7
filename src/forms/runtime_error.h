#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace forms {

// The run-time errors the toolkit raises. The numbers are what the user sees
// in the error report, so they stay fixed.
enum class ErrorNumber : int {
    PropertyAccessFailed = 5,
    Overflow = 6,
    OutOfMemory = 7,
    InternalError = 51,
    TypeMismatch = 13,
    InvalidPropertyValue = 380,
};

class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(ErrorNumber number, const std::string& message);
    explicit RuntimeError(ErrorNumber number);

    ErrorNumber number() const noexcept { return number_; }

  private:
    ErrorNumber number_;
};

// The toolkit's standard wording for each error number.
const char* describe(ErrorNumber number) noexcept;

// Any exception as the run-time error the user is told of: a run-time error
// stays itself, running out of memory is error 7, anything else is an
// internal error (51) carrying its own text.
RuntimeError asRuntimeError(const std::exception_ptr& caught);

}  // namespace forms
