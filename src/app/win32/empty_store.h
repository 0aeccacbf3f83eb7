#pragma once

#include "settings/settings_store.h"

namespace app::win32 {

// Stands in for the registry until the program has its real store: every
// key is missing, so the window keeps its design values, and saving keeps
// nothing.
class EmptyStore final : public settings::SettingsStore {
  public:
    std::optional<std::string> GetSetting(std::string_view /*section*/,
                                          std::string_view /*key*/) override {
        return std::nullopt;
    }
    void SaveSetting(std::string_view /*section*/, std::string_view /*key*/,
                     std::string_view /*text*/) override {}
};

}  // namespace app::win32
