#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_store.h"

namespace settings::win32 {

// The settings in the current user's registry: one key per section under
// HKEY_CURRENT_USER\Software\Quenda, one REG_SZ value per setting holding
// exactly the text saved. A missing section or value is missing; a value of
// another type, or one the system will not let us read, raises a run-time
// error so that the read reports it instead of quietly using the default.
class RegistryStore final : public SettingsStore {
  public:
    std::optional<std::string> GetSetting(std::string_view section, std::string_view key) override;
    std::unique_ptr<SettingsWriter> beginSave() override;
};

}  // namespace settings::win32
