#include "forms/checked_int16.h"

#include <limits>

#include "forms/runtime_error.h"

namespace forms {

std::int16_t toInt16(long long value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        throw RuntimeError(ErrorNumber::Overflow);
    }
    return static_cast<std::int16_t>(value);
}

std::int16_t checkedAdd(std::int16_t a, std::int16_t b) {
    return toInt16(static_cast<long long>(a) + b);
}

std::int16_t checkedMul(std::int16_t a, std::int16_t b) {
    return toInt16(static_cast<long long>(a) * b);
}

}  // namespace forms
