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
    std::string line = std::string(section) + "\\" + std::string(key);
    if (found) {
        line += " holds " + shown(*found) + " (" + forms::describe(error.number()) + ")";
    } else {
        line += std::string(" could not be read (") + error.what() + ")";
    }
    addLine(section, key, error.number(), line + "; expected " + std::string(expected) + ".");
}

void BadSettings::addGroup(std::string_view section, std::string_view state) {
    addLine(section, "", forms::ErrorNumber::InvalidPropertyValue,
            std::string(section) + " holds " + std::string(state) +
                "; expected exactly one of them True.");
}

void BadSettings::addLine(std::string_view section, std::string_view key, forms::ErrorNumber number,
                          const std::string& line) {
    if (!reported_.firstTime(section, key, line)) {
        return;
    }
    if (!firstNumber_) {
        firstNumber_ = number;
    }
    lines_ += "\n" + line;
}

bool ReportedSettings::firstTime(std::string_view section, std::string_view key,
                                 const std::string& line) {
    return lines_.emplace(std::string(section), std::string(key), line).second;
}

void ReportedSettings::replaced(std::string_view section, std::string_view key) {
    std::erase_if(lines_, [&](const auto& reported) {
        const auto& [reportedSection, reportedKey, line] = reported;
        return reportedSection == section && (reportedKey == key || reportedKey.empty());
    });
}

forms::RuntimeError BadSettings::report() const {
    return forms::RuntimeError(
        firstNumber_.value_or(forms::ErrorNumber::InvalidPropertyValue),
        "Some saved settings could not be used; their defaults were applied instead:" + lines_);
}

}  // namespace settings
