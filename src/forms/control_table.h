#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

#include "forms/controls.h"

namespace forms {

inline constexpr int kNoTab = -1;

// One control of a form as it is designed: everything a load builds it from,
// and where its value is saved. A form's table lists its controls in
// stacking order, front-most first, so a row's place is its stacking position.
struct ControlRow {
    std::string_view name;
    ControlKind kind = ControlKind::Label;
    std::string_view caption;
    std::string_view container;  // the frame it sits in; empty for the form itself
    Geometry at;                 // twips, from the form's or the frame's top-left corner
    int tab = kNoTab;            // place in the tab order
    std::int16_t value = 0;      // design value: a check value, or an option's Flag
    bool enabled = true;
    std::string_view section;  // where the value is saved; empty when it is not
    std::string_view key;
    Rgb fill;  // shapes only
};

// A row of the kinds every form has; the helpers below fill in the rest.
constexpr ControlRow row(std::string_view name, ControlKind kind, std::string_view caption,
                         Geometry at, int tab) {
    ControlRow made;
    made.name = name;
    made.kind = kind;
    made.caption = caption;
    made.at = at;
    made.tab = tab;
    return made;
}
constexpr ControlRow saved(ControlRow row, std::int16_t value, std::string_view section,
                           std::string_view key) {
    row.value = value;
    row.section = section;
    row.key = key;
    return row;
}

constexpr ControlRow commandButton(std::string_view name, std::string_view caption, Geometry at,
                                   int tab) {
    return row(name, ControlKind::CommandButton, caption, at, tab);
}
constexpr ControlRow checkBox(std::string_view name, std::string_view caption, Geometry at, int tab,
                              CheckValue value, std::string_view section, std::string_view key) {
    return saved(row(name, ControlKind::CheckBox, caption, at, tab), value, section, key);
}
constexpr ControlRow frame(std::string_view name, std::string_view caption, Geometry at, int tab) {
    return row(name, ControlKind::Frame, caption, at, tab);
}
constexpr ControlRow optionButton(std::string_view name, std::string_view caption,
                                  std::string_view container, Geometry at, int tab, Flag value,
                                  std::string_view section, std::string_view key) {
    ControlRow option =
        saved(row(name, ControlKind::OptionButton, caption, at, tab), value, section, key);
    option.container = container;
    return option;
}
constexpr ControlRow label(std::string_view name, std::string_view caption, Geometry at, int tab) {
    return row(name, ControlKind::Label, caption, at, tab);
}
constexpr ControlRow pictureBox(std::string_view name, Geometry at, int tab) {
    return row(name, ControlKind::PictureBox, {}, at, tab);
}
constexpr ControlRow shape(std::string_view name, Geometry at, Rgb fill) {
    ControlRow shape = row(name, ControlKind::Shape, {}, at, kNoTab);
    shape.fill = fill;
    return shape;
}
constexpr ControlRow disabled(ControlRow row) {
    row.enabled = false;
    return row;
}

// The place of `name` in the table; a name the table lacks stops a constant
// evaluation, so a misspelt control does not compile.
constexpr std::size_t stackingPosition(std::span<const ControlRow> table, std::string_view name) {
    for (std::size_t index = 0; index < table.size(); ++index) {
        if (table[index].name == name) {
            return index;
        }
    }
    throw std::out_of_range("no such control");
}

// The controls a load builds from their rows. An option button's frame must
// be the one its row names.
CheckBox makeCheckBox(Form& form, const ControlRow& row);
OptionButton makeOptionButton(Form& form, const ControlRow& row, Frame& frame);
Frame makeFrame(Form& form, const ControlRow& row);
CommandButton makeCommandButton(Form& form, const ControlRow& row);
Label makeLabel(Form& form, const ControlRow& row);
PictureBox makePictureBox(Form& form, const ControlRow& row);
Shape makeShape(Form& form, const ControlRow& row);

}  // namespace forms
