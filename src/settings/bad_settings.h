#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "forms/runtime_error.h"

namespace settings {

// The bad stored values already reported in this run. A Cancel reads the same
// store again; telling the user again about a value they have already been
// told of, and that nothing has replaced, would only be noise.
class ReportedSettings {
  public:
    // True the first time this report line comes up for this section and key
    // (an empty key stands for the section's option frame).
    bool firstTime(std::string_view section, std::string_view key, const std::string& line);
    // A save has written the key, so whatever it held before is gone.
    void replaced(std::string_view section, std::string_view key);

  private:
    std::set<std::tuple<std::string, std::string, std::string>, std::less<>> lines_;
};

// The stored values one read could not use. The read goes on with their
// defaults and reports them all together at its end, so a start-up with
// several bad values shows one message, and none of them passes unnoticed;
// one already reported in this run applies its default without a word.
class BadSettings {
  public:
    explicit BadSettings(ReportedSettings& reported) : reported_(reported) {}

    // `found` is the stored text, or nothing when the store could not read it.
    void add(std::string_view section, std::string_view key,
             const std::optional<std::string>& found, std::string_view expected,
             const forms::RuntimeError& error);
    // A frame whose stored options name none or several as chosen; `state`
    // lists what each of its keys held.
    void addGroup(std::string_view section, std::string_view state);
    bool empty() const noexcept { return !firstNumber_.has_value(); }
    // One error carrying every bad value, numbered after the first of them.
    forms::RuntimeError report() const;

  private:
    void addLine(std::string_view section, std::string_view key, forms::ErrorNumber number,
                 const std::string& line);

    ReportedSettings& reported_;
    std::optional<forms::ErrorNumber> firstNumber_;
    std::string lines_;
};

}  // namespace settings
