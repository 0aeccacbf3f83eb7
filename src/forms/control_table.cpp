#include "forms/control_table.h"

#include <optional>
#include <string>

namespace forms {

namespace {

ControlDesign designOf(const ControlRow& row) {
    return {std::string(row.name), std::string(row.caption), row.at,
            row.tab == kNoTab ? std::nullopt : std::optional<int>(row.tab), row.enabled};
}

}  // namespace

CheckBox makeCheckBox(Form& form, const ControlRow& row) {
    return {form, designOf(row), row.value};
}

OptionButton makeOptionButton(Form& form, const ControlRow& row, Frame& frame) {
    return {form, designOf(row), row.value == True, &frame};
}

Frame makeFrame(Form& form, const ControlRow& row) {
    return {form, designOf(row)};
}

CommandButton makeCommandButton(Form& form, const ControlRow& row) {
    return {form, designOf(row)};
}

Label makeLabel(Form& form, const ControlRow& row) {
    return {form, designOf(row)};
}

PictureBox makePictureBox(Form& form, const ControlRow& row) {
    return {form, designOf(row)};
}

Shape makeShape(Form& form, const ControlRow& row) {
    return {form, designOf(row), row.fill};
}

}  // namespace forms
