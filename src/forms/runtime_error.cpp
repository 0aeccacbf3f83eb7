#include "forms/runtime_error.h"

namespace forms {

RuntimeError::RuntimeError(ErrorNumber number, const std::string& message)
    : std::runtime_error(message), number_(number) {}

RuntimeError::RuntimeError(ErrorNumber number) : RuntimeError(number, describe(number)) {}

const char* describe(ErrorNumber number) noexcept {
    switch (number) {
        case ErrorNumber::PropertyAccessFailed:
            return "Property access failed";
        case ErrorNumber::Overflow:
            return "Overflow";
        case ErrorNumber::TypeMismatch:
            return "Type mismatch";
        case ErrorNumber::InvalidPropertyValue:
            return "Invalid property value";
    }
    return "Run-time error";
}

}  // namespace forms
