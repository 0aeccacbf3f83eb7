#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace settings {

// The per-user store of the program's settings: one text per section and
// key. It never invents a value: a missing key (or section) is reported as
// missing and the caller applies its own default.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // A value that is there but cannot be read as text raises a run-time error
    // giving the reason; the caller names the key.
    virtual std::optional<std::string> GetSetting(std::string_view section,
                                                  std::string_view key) = 0;
    // Replaces any earlier text. A failing write raises a run-time error giving
    // the reason; the caller names the key.
    virtual void SaveSetting(std::string_view section, std::string_view key,
                             std::string_view text) = 0;
};

}  // namespace settings
