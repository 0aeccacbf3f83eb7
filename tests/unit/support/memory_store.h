#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "forms/runtime_error.h"
#include "settings/settings_store.h"

namespace testing_support {

// The per-user store kept in memory, with a key that can be made to fail.
class MemoryStore : public settings::SettingsStore {
public:
    using Key = std::pair<std::string, std::string>;

    std::optional<std::string> GetSetting(std::string_view section,
                                          std::string_view key) override {
        auto it = values.find({std::string(section), std::string(key)});
        if (it == values.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view text) override {
        Key k{std::string(section), std::string(key)};
        if (failingKey && *failingKey == k) {
            throw forms::RuntimeError(forms::ErrorNumber::PropertyAccessFailed,
                                      "cannot write " + k.first + "\\" + k.second);
        }
        writes.push_back(k);
        values[k] = std::string(text);
    }

    std::map<Key, std::string> values;
    std::vector<Key> writes;
    std::optional<Key> failingKey;
};

}  // namespace testing_support
