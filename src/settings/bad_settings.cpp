#include "settings/bad_settings.h"

namespace settings {

namespace {

// Enough to recognise the value without flooding the message box.
constexpr std::size_t kShownLength = 40;

std::string shown(const std::string& text) {
    if (text.size() <= kShownLength) {
        return '"' + text + '"';
    }
    return '"' + text.substr(0, kShownLength) + "...\"";
}

}  // namespace

void BadSettings::add(std::string_view section, std::string_view key,
                      const std::optional<std::string>& found, std::string_view expected,
                      const forms::RuntimeError& error) {
    if (!firstNumber_) {
        firstNumber_ = error.number();
    }
    std::string line = std::string(section) + "\\" + std::string(key);
    if (found) {
        line += " holds " + shown(*found) + " (" + forms::describe(error.number()) + ")";
    } else {
        line += std::string(" could not be read (") + error.what() + ")";
    }
    lines_ += "\n" + line + "; expected " + std::string(expected) + ".";
}

forms::RuntimeError BadSettings::report() const {
    return forms::RuntimeError(
        firstNumber_.value_or(forms::ErrorNumber::InvalidPropertyValue),
        "Some saved settings could not be used; their defaults were applied instead:" + lines_);
}

}  // namespace settings
