#include "settings/win32/registry_store.h"

#include <map>
#include <utility>

#include "settings/win32/registry_key.h"

namespace settings::win32 {

namespace {

std::string sectionPath(const std::string& applicationKey, std::string_view section) {
    return applicationKey + "\\" + std::string(section);
}

// Holds every section key of one save open for writing until the save ends.
class RegistryWriter final : public SettingsWriter {
  public:
    explicit RegistryWriter(std::string applicationKey)
        : applicationKey_(std::move(applicationKey)) {}

    void openSection(std::string_view section) override {
        if (!sections_.contains(section)) {
            sections_.emplace(
                std::string(section),
                RegistryKey::create(HKEY_CURRENT_USER, sectionPath(applicationKey_, section),
                                    KEY_SET_VALUE));
        }
    }

    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view text) override {
        openSection(section);
        sections_.find(section)->second.writeText(std::string(key), std::string(text));
    }

  private:
    std::string applicationKey_;
    std::map<std::string, RegistryKey, std::less<>> sections_;
};

}  // namespace

RegistryStore::RegistryStore(std::string applicationKey)
    : applicationKey_(std::move(applicationKey)) {}

// Nothing is cached and no key stays open between reads and saves: every read
// and save goes to the registry, so what another program or a later run sees
// is what we wrote.
std::optional<std::string> RegistryStore::GetSetting(std::string_view section,
                                                     std::string_view key) {
    const auto sectionKey = RegistryKey::open(
        HKEY_CURRENT_USER, sectionPath(applicationKey_, section), KEY_QUERY_VALUE);
    if (!sectionKey) {
        return std::nullopt;
    }
    return sectionKey->readText(std::string(key));
}

std::unique_ptr<SettingsWriter> RegistryStore::beginSave() {
    return std::make_unique<RegistryWriter>(applicationKey_);
}

}  // namespace settings::win32
