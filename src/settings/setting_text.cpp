#include "settings/setting_text.h"

#include <algorithm>
#include <cctype>

#include "forms/checked_int16.h"
#include "forms/runtime_error.h"

namespace settings {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

[[noreturn]] void typeMismatch() {
    throw forms::RuntimeError(forms::ErrorNumber::TypeMismatch);
}

// Any run of digits is a number, however long; only its size can then fail.
// The magnitude saturates just past the 16-bit range so that the overflow,
// not the parse, decides.
long long parseWholeNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !std::all_of(text.begin(), text.end(), isDigit)) {
        typeMismatch();
    }
    constexpr long long kBeyond16Bits = 1 << 16;
    long long magnitude = 0;
    for (char digit : text) {
        magnitude = std::min(magnitude * 10 + (digit - '0'), kBeyond16Bits);
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace

std::string integerText(std::int16_t value) {
    return std::to_string(value);
}

std::string truthText(bool value) {
    return value ? "True" : "False";
}

std::int16_t integerFromText(std::string_view text) {
    return forms::toInt16(parseWholeNumber(trimmed(text)));
}

bool truthFromText(std::string_view text) {
    const std::string_view word = trimmed(text);
    if (equalsIgnoringCase(word, "True")) {
        return true;
    }
    if (equalsIgnoringCase(word, "False")) {
        return false;
    }
    return integerFromText(word) != 0;
}

}  // namespace settings
