#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace settings {

// One save's way into the store. Every section is opened before the first
// value goes out, so a section that cannot be written stops the save while
// the stored settings are still whole; the sections close with the writer.
class SettingsWriter {
  public:
    virtual ~SettingsWriter() = default;
    // Opens the section for writing, creating it when it is not there yet. A
    // failure raises a run-time error giving the reason; the caller names the
    // section.
    virtual void openSection(std::string_view section) = 0;
    // Replaces any earlier text, in a section opened before. A failing write
    // raises a run-time error giving the reason; the caller names the key.
    virtual void SaveSetting(std::string_view section, std::string_view key,
                             std::string_view text) = 0;
};

// No setting's text is longer than a few characters; a stored text longer
// than this is unusable, whatever it holds, and need not be read whole.
inline constexpr std::size_t kLongestSettingText = 64;

// The per-user store of the program's settings: one text per section and
// key. It never invents a value: a missing key (or section) is reported as
// missing and the caller applies its own default.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // A value that is there but cannot be read as text, or is longer than
    // kLongestSettingText (which the store may tell without reading it all),
    // raises a run-time error giving the reason; the caller names the key.
    virtual std::optional<std::string> GetSetting(std::string_view section,
                                                  std::string_view key) = 0;
    virtual std::unique_ptr<SettingsWriter> beginSave() = 0;
};

}  // namespace settings
