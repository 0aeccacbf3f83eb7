#include "settings/win32/registry_store.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <utility>

#include "forms/runtime_error.h"
#include "forms/win32/handles.h"

namespace settings::win32 {

namespace {

using OpenKey = forms::win32::Owned<HKEY, forms::win32::ReleasedBy<RegCloseKey>>;

// Failures other than "not there" raise a run-time error whose message is the
// system's reason.
void check(LSTATUS status) {
    if (status == ERROR_SUCCESS) {
        return;
    }
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string reason = length != 0 ? std::string(text, length) : std::string();
    LocalFree(text);
    reason.erase(reason.find_last_not_of("\r\n .") + 1);
    throw forms::RuntimeError(forms::ErrorNumber::PropertyAccessFailed,
                              reason.empty() ? "system error " + std::to_string(status) : reason);
}

std::string typeName(DWORD type) {
    static constexpr std::pair<DWORD, const char*> kTypeNames[] = {
        {REG_NONE, "REG_NONE"},   {REG_EXPAND_SZ, "REG_EXPAND_SZ"}, {REG_BINARY, "REG_BINARY"},
        {REG_DWORD, "REG_DWORD"}, {REG_MULTI_SZ, "REG_MULTI_SZ"},   {REG_QWORD, "REG_QWORD"}};
    const auto* named = std::ranges::find(kTypeNames, type, &std::pair<DWORD, const char*>::first);
    return named != std::end(kTypeNames) ? named->second : "registry type " + std::to_string(type);
}

// The text of a REG_SZ value; nothing when there is no such value. Only the
// plain string type holds text as the program saves it; anything else was put
// there by someone else and is not guessed at. A value longer than any
// setting is judged by its size alone: reading a megabyte to refuse it would
// hold up the start.
std::optional<std::string> readText(HKEY key, const std::string& name) {
    std::string text(kLongestSettingText + 1, '\0');
    DWORD type = 0;
    auto size = static_cast<DWORD>(text.size());
    const LSTATUS status = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                            reinterpret_cast<LPBYTE>(text.data()), &size);
    if (status == ERROR_FILE_NOT_FOUND) {
        return std::nullopt;
    }
    if (status != ERROR_MORE_DATA) {
        check(status);
    }
    if (type != REG_SZ) {
        throw forms::RuntimeError(forms::ErrorNumber::TypeMismatch,
                                  "it holds a " + typeName(type) + " value, not text");
    }
    if (status == ERROR_MORE_DATA) {
        throw forms::RuntimeError(
            forms::ErrorNumber::InvalidPropertyValue,
            "it is " + std::to_string(size) + " bytes long, longer than any setting");
    }
    // Stored strings normally carry their terminator, but need not.
    text.resize(std::min<std::size_t>(size, text.find('\0')));
    return text;
}

std::string sectionPath(std::string_view section) {
    return "Software\\Quenda\\" + std::string(section);
}

// Holds every section key of one save open for writing until the save ends.
class RegistryWriter final : public SettingsWriter {
  public:
    void openSection(std::string_view section) override { keyOf(section); }

    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view text) override {
        const std::string value(text);
        check(RegSetValueExA(keyOf(section), std::string(key).c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1)));
    }

  private:
    HKEY keyOf(std::string_view section) {
        OpenKey& key = sections_[std::string(section)];
        if (!key) {
            HKEY created = nullptr;
            check(RegCreateKeyExA(HKEY_CURRENT_USER, sectionPath(section).c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created,
                                  nullptr));
            key.reset(created);
        }
        return key.get();
    }

    std::map<std::string, OpenKey> sections_;
};

}  // namespace

// Nothing is cached and no key stays open between reads and saves: every read
// and save goes to the registry, so what another program or a later run sees
// is what we wrote.
std::optional<std::string> RegistryStore::GetSetting(std::string_view section,
                                                     std::string_view key) {
    HKEY opened = nullptr;
    const LSTATUS status =
        RegOpenKeyExA(HKEY_CURRENT_USER, sectionPath(section).c_str(), 0, KEY_QUERY_VALUE, &opened);
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) {
        return std::nullopt;
    }
    check(status);
    const OpenKey sectionKey(opened);
    return readText(sectionKey.get(), std::string(key));
}

std::unique_ptr<SettingsWriter> RegistryStore::beginSave() {
    return std::make_unique<RegistryWriter>();
}

}  // namespace settings::win32
