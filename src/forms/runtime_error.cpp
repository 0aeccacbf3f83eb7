#include "forms/runtime_error.h"

#include <new>

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
        case ErrorNumber::OutOfMemory:
            return "Out of memory";
        case ErrorNumber::InternalError:
            return "Internal error";
        case ErrorNumber::TypeMismatch:
            return "Type mismatch";
        case ErrorNumber::InvalidPropertyValue:
            return "Invalid property value";
    }
    return "Run-time error";
}

RuntimeError asRuntimeError(const std::exception_ptr& caught) {
    try {
        std::rethrow_exception(caught);
    } catch (const RuntimeError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return RuntimeError(ErrorNumber::OutOfMemory);
    } catch (const std::exception& error) {
        return {ErrorNumber::InternalError, error.what()};
    } catch (...) {
        return RuntimeError(ErrorNumber::InternalError);
    }
}

}  // namespace forms
