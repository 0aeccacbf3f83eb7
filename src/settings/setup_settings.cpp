#include "settings/setup_settings.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

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
// the handler runs inside its own event boundary.
void assign(const CheckBoxSetting& setting, const SetupSettings& setup, forms::CheckValue value) {
    (setup.controls.*setting.box).setValue(value);
}
void assign(const OptionSetting& setting, const SetupSettings& setup, bool value) {
    (setup.controls.*setting.button).setValue(value);
}

// What the store held for one key: its text, and the value when it was usable.
template <class Value>
struct Stored {
    std::optional<std::string> text;
    std::optional<Value> value;
    bool bad = false;
};

// A value that cannot be used costs only its own key: it is noted for the
// report and the caller applies the default, and the read goes on, so the next
// save does not overwrite the keys after it with whatever the window showed.
template <class Setting>
auto readStored(const SettingStep& step, const Setting& setting, SettingsStore& store,
                BadSettings& bad) {
    Stored<decltype(fromText(setting, std::string_view{}))> stored;
    try {
        stored.text = store.GetSetting(step.section, step.key);
        if (stored.text) {
            stored.value = fromText(setting, *stored.text);
        }
    } catch (const forms::RuntimeError& error) {
        bad.add(step.section, step.key, stored.text, expected(setting), error);
        stored.bad = true;
    }
    return stored;
}

template <class Setting>
void restore(const SettingStep& step, const Setting& setting, const SetupSettings& setup,
             SettingsStore& store, BadSettings& bad) {
    assign(setting, setup, readStored(step, setting, store, bad).value.value_or(setting.fallback));
}

const OptionSetting& optionOf(const SettingStep& step) {
    return std::get<OptionSetting>(step.target);
}

// The option buttons of one frame: the run of option keys in one section.
std::size_t groupEnd(std::size_t first) {
    std::size_t end = first + 1;
    while (end < kSettingSteps.size() &&
           std::holds_alternative<OptionSetting>(kSettingSteps.at(end).target) &&
           kSettingSteps.at(end).section == kSettingSteps.at(first).section) {
        ++end;
    }
    return end;
}

std::string groupState(std::span<const SettingStep> group,
                       const std::vector<Stored<bool>>& stored) {
    std::string state;
    for (std::size_t index = 0; index < group.size(); ++index) {
        const Stored<bool>& option = stored[index];
        const std::string held = option.text  ? " \"" + *option.text + '"'
                                 : option.bad ? " unreadable"
                                              : " missing";
        state += (index == 0 ? "" : ", ") + std::string(group[index].key) + held;
    }
    return state;
}

// A frame always ends with exactly one option: the one the store names, or,
// when it names none or several, the window's design choice. A frame whose
// keys are all missing (a first start) takes the design choice silently; one
// with a bad key is already reported by that key.
std::size_t chosenOption(std::span<const SettingStep> group,
                         const std::vector<Stored<bool>>& stored, BadSettings& bad) {
    const auto isTrue = [](const Stored<bool>& option) { return option.value == true; };
    const auto named = std::find_if(stored.begin(), stored.end(), isTrue);
    const auto trueCount = std::count_if(stored.begin(), stored.end(), isTrue);
    if (trueCount == 1) {
        return static_cast<std::size_t>(named - stored.begin());
    }
    const bool anyFound = std::any_of(stored.begin(), stored.end(),
                                      [](const Stored<bool>& option) { return option.text; });
    const bool anyBad = std::any_of(stored.begin(), stored.end(),
                                    [](const Stored<bool>& option) { return option.bad; });
    if (trueCount > 1 || (anyFound && !anyBad)) {
        bad.addGroup(group.front().section, groupState(group, stored));
    }
    const auto design = std::find_if(group.begin(), group.end(), [](const SettingStep& step) {
        return optionOf(step).fallback;
    });
    return static_cast<std::size_t>(design - group.begin());
}

// Every key of the frame is read first; the options are then assigned in
// their read order, so only the chosen one raises its handler, as it would
// for a frame saved whole.
void restoreGroup(std::span<const SettingStep> group, const SetupSettings& setup,
                  SettingsStore& store, BadSettings& bad) {
    std::vector<Stored<bool>> stored;
    for (const SettingStep& step : group) {
        stored.push_back(readStored(step, optionOf(step), store, bad));
    }
    const std::size_t chosen = chosenOption(group, stored, bad);
    for (std::size_t index = 0; index < group.size(); ++index) {
        assign(optionOf(group[index]), setup, index == chosen);
    }
}

// Once the mirror holds the card's position (after a TV-on reset, or on any
// read but the first) the card is stepped to the stored offsets and the mirror
// follows it, the directions it turns to included. Before that nothing has
// moved the card since the last run left it where the store says, so the
// mirror just takes the stored position.
void settlePosition(const SetupSettings& setup, const card::SetupVariables& stored) {
    if (setup.stepping.mirrorIsOnGrid()) {
        setup.stepping.travelTo(stored.curHorizValue, stored.curVertValue);
        return;
    }
    setup.vars.curHorizValue = stored.curHorizValue;
    setup.vars.curHorizDirection = stored.curHorizDirection;
    setup.vars.curVertValue = stored.curVertValue;
    setup.vars.curVertDirection = stored.curVertDirection;
}

std::string nameOf(const SettingStep& step) {
    return std::string(step.section) + "\\" + std::string(step.key);
}

constexpr auto kSaveOrder = saveOrder();

// The sections in the order the save first writes to them.
std::vector<std::string_view> savedSections() {
    std::vector<std::string_view> sections;
    for (std::size_t index : kSaveOrder) {
        const std::string_view section = kSettingSteps.at(index).section;
        if (std::find(sections.begin(), sections.end(), section) == sections.end()) {
            sections.push_back(section);
        }
    }
    return sections;
}

// The window has already sent every change to the card, so a failed save
// must say plainly that the next start will not bring these settings back.
forms::RuntimeError notSaved(const std::string& what, const forms::RuntimeError& cause) {
    return forms::RuntimeError(cause.number(), "Settings were not saved: could not write " + what +
                                                   " (" + cause.what() + ")");
}

// Past the first value the store holds a mix of old and new settings; the
// user is told which of the new ones are missing from it.
forms::RuntimeError partlySaved(std::size_t failed, const forms::RuntimeError& cause) {
    if (failed == 0) {
        return notSaved(nameOf(kSettingSteps.at(kSaveOrder.at(0))), cause);
    }
    std::string notWritten;
    for (std::size_t position = failed; position < kSaveOrder.size(); ++position) {
        notWritten +=
            (position == failed ? "" : ", ") + nameOf(kSettingSteps.at(kSaveOrder.at(position)));
    }
    return forms::RuntimeError(
        cause.number(), "Settings were saved only in part: could not write " +
                            nameOf(kSettingSteps.at(kSaveOrder.at(failed))) + " (" + cause.what() +
                            "). " + std::to_string(failed) + " of " +
                            std::to_string(kSaveOrder.size()) +
                            " values were written; not written: " + notWritten + ".");
}

}  // namespace

void SaveSettingsToFile(const SetupSettings& setup, SettingsStore& store) {
    const std::unique_ptr<SettingsWriter> writer = store.beginSave();
    for (std::string_view section : savedSections()) {
        try {
            writer->openSection(section);
        } catch (const forms::RuntimeError& error) {
            throw notSaved(std::string(section), error);
        }
    }
    for (std::size_t position = 0; position < kSaveOrder.size(); ++position) {
        const SettingStep& step = kSettingSteps.at(kSaveOrder.at(position));
        const std::string text =
            std::visit([&](const auto& setting) { return savedText(setting, setup); }, step.target);
        try {
            writer->SaveSetting(step.section, step.key, text);
        } catch (const forms::RuntimeError& error) {
            throw partlySaved(position, error);
        }
        setup.reported.replaced(step.section, step.key);
    }
}

void ReadSettingsFromFile(const SetupSettings& setup, SettingsStore& store,
                          forms::Toolkit& toolkit) {
    BadSettings bad(setup.reported);
    card::SetupVariables stored = setup.vars;
    for (std::size_t index = 0; index < kSettingSteps.size();) {
        const SettingStep& step = kSettingSteps.at(index);
        if (std::holds_alternative<OptionSetting>(step.target)) {
            const std::size_t end = groupEnd(index);
            restoreGroup(std::span(kSettingSteps).subspan(index, end - index), setup, store, bad);
            index = end;
            continue;
        }
        std::visit(
            Overloaded{
                [&](const PositionSetting& setting) {
                    stored.*setting.variable =
                        readStored(step, setting, store, bad).value.value_or(setting.fallback);
                },
                [&](const PreviewPlacement& /*placement*/) {
                    settlePosition(setup, stored);
                    setup.stepping.PlacePreviewImage(setup.vars.curHorizValue,
                                                     setup.vars.curVertValue);
                },
                [&](const auto& setting) { restore(step, setting, setup, store, bad); },
            },
            step.target);
        ++index;
    }
    if (!bad.empty()) {
        toolkit.reportError(bad.report());
    }
}

}  // namespace settings
