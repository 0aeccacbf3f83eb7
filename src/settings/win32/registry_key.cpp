#include "settings/win32/registry_key.h"

#include <algorithm>
#include <utility>

#include "forms/runtime_error.h"

namespace settings::win32 {

namespace {

std::string systemReason(LSTATUS status) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string reason = length != 0 ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.')) {
        reason.pop_back();
    }
    return reason.empty() ? "system error " + std::to_string(status) : reason;
}

void check(LSTATUS status) {
    if (status != ERROR_SUCCESS) {
        throw forms::RuntimeError(forms::ErrorNumber::PropertyAccessFailed, systemReason(status));
    }
}

std::string typeName(DWORD type) {
    switch (type) {
        case REG_NONE:
            return "REG_NONE";
        case REG_EXPAND_SZ:
            return "REG_EXPAND_SZ";
        case REG_BINARY:
            return "REG_BINARY";
        case REG_DWORD:
            return "REG_DWORD";
        case REG_MULTI_SZ:
            return "REG_MULTI_SZ";
        case REG_QWORD:
            return "REG_QWORD";
        default:
            return "registry type " + std::to_string(type);
    }
}

// Only the plain string type holds text as the program saves it; anything
// else was put there by someone else and is not guessed at.
void requireText(DWORD type) {
    if (type != REG_SZ) {
        throw forms::RuntimeError(forms::ErrorNumber::TypeMismatch,
                                  "it holds a " + typeName(type) + " value, not text");
    }
}

}  // namespace

std::optional<RegistryKey> RegistryKey::open(HKEY parent, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExA(parent, path.c_str(), 0, access, &key);
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND) {
        return std::nullopt;
    }
    check(status);
    return RegistryKey(key);
}

RegistryKey RegistryKey::create(HKEY parent, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    check(RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                          nullptr, &key, nullptr));
    return RegistryKey(key);
}

RegistryKey::~RegistryKey() {
    if (key_ != nullptr) {
        RegCloseKey(key_);
    }
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

std::optional<std::string> RegistryKey::readText(const std::string& name) const {
    // The value may grow between asking its size and reading it; then ask again.
    for (;;) {
        DWORD type = 0;
        DWORD size = 0;
        LSTATUS status = RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size);
        if (status == ERROR_FILE_NOT_FOUND) {
            return std::nullopt;
        }
        check(status);
        requireText(type);
        std::string text(size, '\0');
        status = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                                  reinterpret_cast<LPBYTE>(text.data()), &size);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status == ERROR_FILE_NOT_FOUND) {
            return std::nullopt;
        }
        check(status);
        requireText(type);
        // Stored strings normally carry their terminator, but need not.
        text.resize(std::min<std::size_t>(size, text.find('\0')));
        return text;
    }
}

void RegistryKey::writeText(const std::string& name, const std::string& text) const {
    check(RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>(text.size() + 1)));
}

}  // namespace settings::win32
