#include "settings/setup_settings.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "settings/setting_table.h"
#include "settings/setting_text.h"

namespace settings {

namespace {

constexpr const char* kHeading =
    "Some saved settings could not be used; their defaults were applied instead:";

// What the user is told each kind of key should hold.
constexpr std::array<const char*, 4> kExpected{"0 or 1", "True or False",
                                               "a multiple of 8 from -64 to 64", "8 or -8"};

// A check box would take 2 (greyed), but every handler reads anything but 1
// as clear, so a stored 2 would show a set box over a card doing the opposite.
// An offset off the stepping grid never meets an end of travel and runs away
// press after press. No setting is longer than a few characters, whatever
// blanks or zeros lead it.
std::int16_t fromText(Kind kind, std::string_view text) {
    if (text.size() > kLongestSettingText) {
        throw forms::RuntimeError(forms::ErrorNumber::InvalidPropertyValue);
    }
    if (kind == Kind::Truth) {
        return truthFromText(text) ? forms::True : forms::False;
    }
    const std::int16_t value = integerFromText(text);
    const bool usable = kind == Kind::CheckValue ? value == 0 || value == 1
                        : kind == Kind::Offset   ? card::isOnStepGrid(value)
                                                 : card::isStepDirection(value);
    if (!usable) {
        throw forms::RuntimeError(forms::ErrorNumber::InvalidPropertyValue);
    }
    return value;
}

std::string nameOf(const SettingStep& step) {
    return std::string(step.section) + "\\" + std::string(step.key);
}

template <class Control>
Control& controlOf(const SetupSettings& setup, const SettingStep& step) {
    return dynamic_cast<Control&>(*setup.window.controls().at(step.control));
}

std::string savedText(const SettingStep& step, const SetupSettings& setup) {
    if (step.variable != nullptr) {
        return integerText(setup.vars.*step.variable);
    }
    return step.kind == Kind::Truth
               ? truthText(controlOf<forms::OptionButton>(setup, step).selected())
               : integerText(controlOf<forms::CheckBox>(setup, step).value());
}

// Enough of a stored text to recognise it, on one line of the message box:
// a line break or tab would make the report longer than it says.
std::string quoted(std::string_view text) {
    constexpr std::size_t kShownLength = 40;
    std::string shown(text.substr(0, kShownLength));
    std::ranges::replace_if(
        shown, [](unsigned char c) { return c < ' ' || c == 0x7F; }, '?');
    return " \"" + shown + (text.size() > kShownLength ? "...\"" : "\"");
}

std::string problem(const std::optional<std::string>& text, const forms::RuntimeError& error) {
    if (!text) {
        return std::string(" could not be read (") + error.what() + ")";
    }
    return " holds" + quoted(*text) + " (" + forms::describe(error.number()) + ")";
}

// The report fits the smallest screen the program meets (800 x 600, less the
// task bar), its button on screen. The narrowest message box wraps a line at
// about kRowLength characters; the report names values while their rows fit,
// and counts the rest.
constexpr std::size_t kRowLength = 40;
constexpr std::size_t kReportRows = 26;

std::size_t rowsOf(std::string_view line) {
    return (line.size() + kRowLength - 1) / kRowLength;
}

// While more lines follow, a row is kept for the count of those left out.
std::string reportText(const std::vector<std::string>& lines) {
    std::string text = kHeading;
    std::size_t rows = rowsOf(kHeading);
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        const auto left = static_cast<std::size_t>(lines.end() - line);
        if (rows + rowsOf(*line) + (left > 1 ? 1 : 0) > kReportRows) {
            return text + "\n...and " + std::to_string(left) + " more.";
        }
        text += "\n" + *line;
        rows += rowsOf(*line);
    }
    return text;
}

// What the store held for one key: its value when it was usable, and what it
// held as an option frame's report line shows it.
struct Stored {
    std::optional<std::int16_t> value;
    std::string held = " missing";
    bool bad = false;
};

// One read's way into the store. A value that cannot be used costs only its
// own key: the caller applies the default and the read goes on, so the next
// save does not overwrite the keys after it with whatever the window showed.
// All such values are reported together at the end, in one error numbered
// after the first of them, so a start-up with several shows one message; one
// already reported in this run, and not replaced since, applies its default
// without a word.
struct Reader {
    SettingsStore& store;
    ReportedSettings& reported;
    std::optional<forms::ErrorNumber> firstError;
    std::vector<std::string> lines;

    Stored read(const SettingStep& step) {
        Stored stored;
        std::optional<std::string> text;
        try {
            text = store.GetSetting(step.section, step.key);
            if (text) {
                stored.held = quoted(*text);
                stored.value = fromText(step.kind, *text);
            }
        } catch (const forms::RuntimeError& error) {
            stored.bad = true;
            stored.held = text ? stored.held : " unreadable";
            note(step.section, step.key, error.number(),
                 nameOf(step) + problem(text, error) + "; expected " +
                     kExpected.at(static_cast<std::size_t>(step.kind)) + ".");
        }
        return stored;
    }

    void note(std::string_view section, std::string_view key, forms::ErrorNumber number,
              const std::string& line) {
        if (reported.emplace(section, key, line).second) {
            firstError = firstError.value_or(number);
            lines.push_back(line);
        }
    }
};

// The option buttons of one frame are read together when the read comes to
// the first of them, and the frame ends with exactly one option: the one the
// store names or, when it names none or several, the window's design choice.
// The options are then assigned in their read order, so only the chosen one
// raises its handler, as it would for a frame saved whole. A frame whose keys
// are all missing (a first start) takes the design choice silently; one with
// a bad key is already reported by that key.
void restoreFrame(std::string_view frame, const SetupSettings& setup, Reader& reader) {
    std::vector<const SettingStep*> options;
    std::vector<Stored> stored;
    std::string held;
    for (const SettingStep& step : kSettingSteps) {
        if (step.frame == frame) {
            options.push_back(&step);
            stored.push_back(reader.read(step));
            held += (held.empty() ? "" : ", ") + std::string(step.key) + stored.back().held;
        }
    }
    const auto named = std::ranges::count(stored, forms::True, &Stored::value);
    const auto usable =
        std::ranges::count_if(stored, [](const Stored& s) { return s.value.has_value(); });
    if (named > 1 || (named == 0 && usable > 0 && std::ranges::none_of(stored, &Stored::bad))) {
        const std::string_view section = options.front()->section;
        reader.note(
            section, "", forms::ErrorNumber::InvalidPropertyValue,
            std::string(section) + " holds " + held + "; expected exactly one of them True.");
    }
    for (std::size_t index = 0; index < options.size(); ++index) {
        const bool chosen = named == 1 ? stored[index].value == forms::True
                                       : options[index]->fallback == forms::True;
        controlOf<forms::OptionButton>(setup, *options[index]).setValue(chosen);
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
    for (const SettingStep& step : kSettingSteps) {
        if (step.variable != nullptr) {
            setup.vars.*step.variable = stored.*step.variable;
        }
    }
}

// The window has already sent every change to the card, so a failed save
// must say plainly that the next start will not bring these settings back;
// past the first value the store holds a mix of old and new settings, and
// the user is told which of the new ones are missing from it.
forms::RuntimeError notSaved(std::size_t written, const std::string& what,
                             const forms::RuntimeError& cause) {
    const std::string failed = "could not write " + what + " (" + cause.what() + ")";
    if (written == 0) {
        return {cause.number(), "Settings were not saved: " + failed};
    }
    std::string missing;
    for (auto step = kSaveOrder.begin() + written; step != kSaveOrder.end(); ++step) {
        missing += (missing.empty() ? "" : ", ") + nameOf(**step);
    }
    return {cause.number(), "Settings were saved only in part: " + failed + ". " +
                                std::to_string(written) + " of " + std::to_string(kSavedSettings) +
                                " values were written; not written: " + missing + "."};
}

}  // namespace

void SaveSettingsToFile(const SetupSettings& setup, SettingsStore& store) {
    const std::unique_ptr<SettingsWriter> writer = store.beginSave();
    std::size_t written = 0;
    std::string writing;
    try {
        for (const SettingStep* step : kSaveOrder) {
            writing = step->section;
            writer->openSection(step->section);
        }
        for (const SettingStep* step : kSaveOrder) {
            writing = nameOf(*step);
            writer->SaveSetting(step->section, step->key, savedText(*step, setup));
            ++written;
            // Whatever the key held before is gone, and with it its report.
            std::erase_if(setup.reported, [&](const auto& reported) {
                const auto& [section, key, line] = reported;
                return section == step->section && (key == step->key || key.empty());
            });
        }
    } catch (const forms::RuntimeError& error) {
        throw notSaved(written, writing, error);
    }
}

void ReadSettingsFromFile(const SetupSettings& setup, SettingsStore& store,
                          forms::Toolkit& toolkit) {
    Reader reader{store, setup.reported, std::nullopt, {}};
    card::SetupVariables stored = setup.vars;
    for (const SettingStep& step : kSettingSteps) {
        if (step.variable != nullptr) {
            stored.*step.variable = reader.read(step).value.value_or(step.fallback);
        } else if (step.kind == Kind::Preview) {
            settlePosition(setup, stored);
            setup.stepping.PlacePreviewImage(setup.vars.curHorizValue, setup.vars.curVertValue);
        } else if (step.kind == Kind::CheckValue) {
            controlOf<forms::CheckBox>(setup, step)
                .setValue(reader.read(step).value.value_or(step.fallback));
        } else if (&step == &*std::ranges::find(kSettingSteps, step.frame, &SettingStep::frame)) {
            restoreFrame(step.frame, setup, reader);
        }
    }
    if (reader.firstError) {
        toolkit.errors().report({*reader.firstError, reportText(reader.lines)});
    }
}

}  // namespace settings
