#include "settings/setting_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

#include "forms/checked_int16.h"
#include "forms/runtime_error.h"

namespace settings {

namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

std::string integerText(std::int16_t value) {
    return std::to_string(value);
}

std::string truthText(bool value) {
    return value ? "True" : "False";
}

// Any run of digits is a number, however long; only its size can then fail.
std::int16_t integerFromText(std::string_view text) {
    text = trimmed(text);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    if (text.empty() || !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; })) {
        throw forms::RuntimeError(forms::ErrorNumber::TypeMismatch);
    }
    long long magnitude = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), magnitude).ec != std::errc()) {
        magnitude = std::numeric_limits<long long>::max();
    }
    return forms::toInt16(negative ? -magnitude : magnitude);
}

bool truthFromText(std::string_view text) {
    const std::string_view word = trimmed(text);
    const auto is = [&](std::string_view truth) {
        return std::ranges::equal(word, truth, {}, lower, lower);
    };
    if (is("True") || is("False")) {
        return is("True");
    }
    return integerFromText(word) != 0;
}

}  // namespace settings
