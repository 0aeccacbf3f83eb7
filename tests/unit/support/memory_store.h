#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "forms/runtime_error.h"
#include "settings/settings_store.h"

namespace testing_support {

// The per-user store kept in memory. It records every read and write in
// order, can make one key fail to read or write and one section refuse to
// open for writing, and can run a probe at each
// read to look at the window half-way through a restore.
class MemoryStore : public settings::SettingsStore {
  public:
    using Key = std::pair<std::string, std::string>;

    std::optional<std::string> GetSetting(std::string_view section, std::string_view key) override {
        Key k{std::string(section), std::string(key)};
        reads.push_back(k);
        if (onRead) {
            onRead(k);
        }
        if (unreadableKey && *unreadableKey == k) {
            throw forms::RuntimeError(forms::ErrorNumber::PropertyAccessFailed, "access denied");
        }
        auto it = values.find(k);
        if (it == values.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    std::unique_ptr<settings::SettingsWriter> beginSave() override {
        return std::make_unique<Writer>(*this);
    }

    std::map<Key, std::string> values;
    std::vector<Key> reads;
    std::vector<Key> writes;
    std::optional<Key> failingKey;
    std::optional<Key> unreadableKey;
    std::optional<std::string> unwritableSection;
    std::function<void(const Key&)> onRead;

  private:
    class Writer : public settings::SettingsWriter {
      public:
        explicit Writer(MemoryStore& store) : store_(store) {}
        void openSection(std::string_view section) override {
            if (store_.unwritableSection == section) {
                throw forms::RuntimeError(forms::ErrorNumber::PropertyAccessFailed,
                                          "access denied");
            }
        }
        void SaveSetting(std::string_view section, std::string_view key,
                         std::string_view text) override {
            Key k{std::string(section), std::string(key)};
            if (store_.failingKey && *store_.failingKey == k) {
                throw forms::RuntimeError(forms::ErrorNumber::PropertyAccessFailed, "disk full");
            }
            store_.writes.push_back(k);
            store_.values[k] = std::string(text);
        }

      private:
        MemoryStore& store_;
    };
};

}  // namespace testing_support
