#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "forms/runtime_error.h"

namespace settings {

// The stored values one read could not use. The read goes on with their
// defaults and reports them all together at its end, so a start-up with
// several bad values shows one message, and none of them passes unnoticed.
class BadSettings {
  public:
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
    void addLine(forms::ErrorNumber number, const std::string& line);
    std::optional<forms::ErrorNumber> firstNumber_;
    std::string lines_;
};

}  // namespace settings
