#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace settings::win32 {

// Owns one open registry key and closes it once. Failures other than "not
// there" raise a run-time error whose message is the system's reason.
class RegistryKey {
  public:
    // Nothing when the key does not exist.
    static std::optional<RegistryKey> open(HKEY parent, const std::string& path, REGSAM access);
    // Opens the key, creating it and any missing parents first.
    static RegistryKey create(HKEY parent, const std::string& path, REGSAM access);

    ~RegistryKey();
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&&) = delete;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // The text of a REG_SZ value; nothing when there is no such value. A
    // value of another type raises a type mismatch naming that type.
    std::optional<std::string> readText(const std::string& name) const;
    void writeText(const std::string& name, const std::string& text) const;

  private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    HKEY key_;
};

}  // namespace settings::win32
