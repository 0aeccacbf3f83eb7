#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace settings {

// The per-user store of the program's settings: one text per section and
// key. It never invents a value: a missing key is reported as missing and
// the caller applies its own default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> GetSetting(std::string_view section,
                                                  std::string_view key) = 0;
    // Replaces any earlier text. A failing write raises a run-time error that
    // names the section and key.
    virtual void SaveSetting(std::string_view section, std::string_view key,
                             std::string_view text) = 0;
};

}  // namespace settings
