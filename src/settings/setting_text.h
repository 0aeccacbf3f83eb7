#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "forms/checked_int16.h"
#include "forms/runtime_error.h"

namespace settings {

// The two text forms a setting is kept in. Check values and the position
// variables are decimal integers ("0", "1", "-8", "64"); option buttons are
// the truth words "True" and "False".
inline std::string integerText(std::int16_t value) {
    return std::to_string(value);
}
inline std::string truthText(bool value) {
    return value ? "True" : "False";
}

// Blanks around a stored value are tolerated.
inline std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// Reads what integerText writes, and also a leading "+". Text that is not a
// whole number is a type mismatch; a number outside -32768..32767 is an
// overflow.
inline std::int16_t integerFromText(std::string_view text) {
    text = trimmed(text);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        throw forms::RuntimeError(forms::ErrorNumber::TypeMismatch);
    }
    // Any run of digits is a number, however long; only its size can then
    // fail, and past 16 bits the digits that follow change nothing.
    long long magnitude = 0;
    for (const char digit : text) {
        magnitude = std::min(magnitude * 10 + (digit - '0'), 1LL << 16);
    }
    return forms::toInt16(negative ? -magnitude : magnitude);
}

// Reads what truthText writes, in any letter case; a number also counts,
// non-zero being True. Anything else is a type mismatch; a number too big
// for 16 bits is an overflow.
inline bool truthFromText(std::string_view text) {
    std::string word(trimmed(text));
    std::ranges::transform(word, word.begin(), [](unsigned char c) { return std::tolower(c); });
    if (word == "true" || word == "false") {
        return word == "true";
    }
    return integerFromText(word) != 0;
}

}  // namespace settings
