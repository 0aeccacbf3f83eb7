#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string_view>
#include <tuple>
#include <type_traits>

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
    // The program answers its click: every check box, option button and
    // command button unless its row says otherwise.
    bool clickHandled = false;
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
    made.clickHandled = kind == ControlKind::CheckBox || kind == ControlKind::OptionButton ||
                        kind == ControlKind::CommandButton;
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
constexpr ControlRow withoutClickHandler(ControlRow row) {
    row.clickHandled = false;
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

// Every name once, and every option in a frame of the same table.
constexpr bool isConsistent(std::span<const ControlRow> table) {
    for (const ControlRow& row : table) {
        const std::size_t position = stackingPosition(table, row.name);
        if (&table[position] != &row) {
            return false;
        }
        if (row.kind == ControlKind::OptionButton &&
            table[stackingPosition(table, row.container)].kind != ControlKind::Frame) {
            return false;
        }
    }
    return true;
}

// A control's name as a template argument, written as a plain "name", so
// that it is looked up in its table while compiling.
template <std::size_t Size>
struct ControlName {
    consteval ControlName(const char (&text)[Size]) { std::copy_n(text, Size, chars); }
    constexpr std::string_view view() const { return {chars, Size - 1}; }
    char chars[Size]{};
};

// The class each kind of control is made as, in the order of ControlKind.
template <ControlKind Kind>
using ClassOf = std::tuple_element_t<
    static_cast<std::size_t>(Kind),
    std::tuple<CheckBox, OptionButton, Frame, CommandButton, Label, Shape, PictureBox>>;

ControlDesign designOf(const ControlRow& row);

// A control with its row's design values. Its frame is set when the load has
// made the form's whole table.
template <class Class>
Class made(Form& form, const ControlRow& row) {
    if constexpr (std::is_same_v<Class, CheckBox>) {
        return Class(form, designOf(row), row.value);
    } else if constexpr (std::is_same_v<Class, OptionButton>) {
        return Class(form, designOf(row), row.value == True);
    } else if constexpr (std::is_same_v<Class, Shape>) {
        return Class(form, designOf(row), row.fill);
    } else {
        return Class(form, designOf(row));
    }
}

// The control of the row named `Name` in `Table`, of the class its row's kind
// says: a name the table lacks, or a member of another class, does not compile.
template <const auto& Table, ControlName Name,
          std::size_t Position = stackingPosition(Table, Name.view())>
ClassOf<Table[Position].kind> made(Form& form) {
    return made<ClassOf<Table[Position].kind>>(form, Table[Position]);
}

// A row no member of the form's code made, owned by the form while it is loaded.
std::unique_ptr<Control> madeFromRow(Form& form, const ControlRow& row);

// frmPopUp builds its controls by hand from its rows.
inline Label makeLabel(Form& form, const ControlRow& row) {
    return made<Label>(form, row);
}
inline PictureBox makePictureBox(Form& form, const ControlRow& row) {
    return made<PictureBox>(form, row);
}

}  // namespace forms
