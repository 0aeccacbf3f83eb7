#pragma once

#include <cstdint>

namespace forms {

// 16-bit arithmetic as the form variables see it: a result outside
// -32768..32767 raises the Overflow run-time error instead of wrapping.
std::int16_t checkedAdd(std::int16_t a, std::int16_t b);
std::int16_t checkedMul(std::int16_t a, std::int16_t b);
std::int16_t toInt16(long long value);

}  // namespace forms
