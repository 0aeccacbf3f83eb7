#include "settings/setup_settings.h"

#include <optional>
#include <string>

#include "settings/bad_settings.h"
#include "settings/setting_table.h"
#include "settings/setting_text.h"

namespace settings {

namespace {

template <class... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
template <class... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

bool onGrid(Grid grid, std::int16_t value) {
    return grid == Grid::Direction ? card::isStepDirection(value) : card::isOnStepGrid(value);
}

// What the user is told a key should hold.
const char* expected(const CheckBoxSetting& /*setting*/) {
    return "0 or 1";
}
const char* expected(const OptionSetting& /*setting*/) {
    return "True or False";
}
const char* expected(const PositionSetting& setting) {
    return setting.grid == Grid::Offset ? "a multiple of 8 from -64 to 64" : "8 or -8";
}

std::string savedText(const CheckBoxSetting& setting, const SetupSettings& setup) {
    return integerText((setup.controls.*setting.box).value());
}
std::string savedText(const OptionSetting& setting, const SetupSettings& setup) {
    return truthText((setup.controls.*setting.button).selected());
}
std::string savedText(const PositionSetting& setting, const SetupSettings& setup) {
    return integerText(setup.vars.*setting.variable);
}
std::string savedText(const PreviewPlacement& /*step*/, const SetupSettings& /*setup*/) {
    return {};  // the preview follows the offsets and is never saved itself
}

// The box would take 2 (greyed), but every handler reads anything but 1 as
// clear, so a stored 2 would show a set box over a card doing the opposite.
forms::CheckValue fromText(const CheckBoxSetting& /*setting*/, std::string_view text) {
    const std::int16_t value = integerFromText(text);
    if (value != 0 && value != 1) {
        throw forms::RuntimeError(forms::ErrorNumber::InvalidPropertyValue);
    }
    return value;
}
bool fromText(const OptionSetting& /*setting*/, std::string_view text) {
    return truthFromText(text);
}
std::int16_t fromText(const PositionSetting& setting, std::string_view text) {
    const std::int16_t value = integerFromText(text);
    if (!onGrid(setting.grid, value)) {
        throw forms::RuntimeError(forms::ErrorNumber::InvalidPropertyValue);
    }
    return value;
}

// A control assignment raises the control's handler when the value changes;
// the handler runs inside its own event boundary, so an error that escapes
// the assignment is the control refusing the value.
void assign(const CheckBoxSetting& setting, const SetupSettings& setup, forms::CheckValue value) {
    (setup.controls.*setting.box).setValue(value);
}
void assign(const OptionSetting& setting, const SetupSettings& setup, bool value) {
    (setup.controls.*setting.button).setValue(value);
}
void assign(const PositionSetting& setting, const SetupSettings& setup, std::int16_t value) {
    setup.vars.*setting.variable = value;
}

// A value that cannot be used costs only its own key: it is noted for the
// report and its default applies, and the read goes on, so the next save does
// not overwrite the keys after it with whatever the window happened to show.
template <class Setting>
void restore(const SettingStep& step, const Setting& setting, const SetupSettings& setup,
             SettingsStore& store, BadSettings& bad) {
    std::optional<std::string> text;
    try {
        text = store.GetSetting(step.section, step.key);
        if (text) {
            assign(setting, setup, fromText(setting, *text));
            return;
        }
    } catch (const forms::RuntimeError& error) {
        bad.add(step.section, step.key, text, expected(setting), error);
    }
    assign(setting, setup, setting.fallback);
}

// The window has already sent every change to the card, so a failed save
// must say plainly that the next start will not bring these settings back.
forms::RuntimeError notSaved(const SettingStep& step, const forms::RuntimeError& cause) {
    return forms::RuntimeError(
        cause.number(), "Settings were not saved: could not write " + std::string(step.section) +
                            "\\" + std::string(step.key) + " (" + cause.what() + ")");
}

constexpr auto kSaveOrder = saveOrder();

}  // namespace

void SaveSettingsToFile(const SetupSettings& setup, SettingsStore& store) {
    for (std::size_t index : kSaveOrder) {
        const SettingStep& step = kSettingSteps.at(index);
        const std::string text =
            std::visit([&](const auto& setting) { return savedText(setting, setup); }, step.target);
        try {
            store.SaveSetting(step.section, step.key, text);
        } catch (const forms::RuntimeError& error) {
            throw notSaved(step, error);
        }
    }
}

void ReadSettingsFromFile(const SetupSettings& setup, SettingsStore& store,
                          forms::Toolkit& toolkit) {
    BadSettings bad;
    for (const SettingStep& step : kSettingSteps) {
        std::visit(Overloaded{
                       [&](const PreviewPlacement& /*placement*/) {
                           setup.stepping.PlacePreviewImage(setup.vars.curHorizValue,
                                                            setup.vars.curVertValue);
                       },
                       [&](const auto& setting) { restore(step, setting, setup, store, bad); },
                   },
                   step.target);
    }
    if (!bad.empty()) {
        toolkit.reportError(bad.report());
    }
}

}  // namespace settings
