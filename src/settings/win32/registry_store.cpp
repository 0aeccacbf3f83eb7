#include "settings/win32/registry_store.h"

#include <utility>

#include "settings/win32/registry_key.h"

namespace settings::win32 {

RegistryStore::RegistryStore(std::string applicationKey)
    : applicationKey_(std::move(applicationKey)) {}

std::string RegistryStore::sectionPath(std::string_view section) const {
    return applicationKey_ + "\\" + std::string(section);
}

// Nothing is cached and no key stays open: every read and write goes to the
// registry, so what another program or a later run sees is what we wrote.
std::optional<std::string> RegistryStore::GetSetting(std::string_view section,
                                                     std::string_view key) {
    const auto sectionKey =
        RegistryKey::open(HKEY_CURRENT_USER, sectionPath(section), KEY_QUERY_VALUE);
    if (!sectionKey) {
        return std::nullopt;
    }
    return sectionKey->readText(std::string(key));
}

void RegistryStore::SaveSetting(std::string_view section, std::string_view key,
                                std::string_view text) {
    RegistryKey::create(HKEY_CURRENT_USER, sectionPath(section), KEY_SET_VALUE)
        .writeText(std::string(key), std::string(text));
}

}  // namespace settings::win32
