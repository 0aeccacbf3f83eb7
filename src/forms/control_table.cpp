#include "forms/control_table.h"

#include <optional>
#include <string>

namespace forms {

namespace {

template <ControlKind Kind>
std::unique_ptr<Control> owned(Form& form, const ControlRow& row) {
    using Class = ClassOf<Kind>;
    return std::unique_ptr<Control>(new Class(made<Class>(form, row)));
}

}  // namespace

ControlDesign designOf(const ControlRow& row) {
    return {std::string(row.name), std::string(row.caption), row.at,
            row.tab == kNoTab ? std::nullopt : std::optional<int>(row.tab), row.enabled};
}

std::unique_ptr<Control> madeFromRow(Form& form, const ControlRow& row) {
    switch (row.kind) {
        case ControlKind::CheckBox:
            return owned<ControlKind::CheckBox>(form, row);
        case ControlKind::OptionButton:
            return owned<ControlKind::OptionButton>(form, row);
        case ControlKind::Frame:
            return owned<ControlKind::Frame>(form, row);
        case ControlKind::CommandButton:
            return owned<ControlKind::CommandButton>(form, row);
        case ControlKind::Label:
            return owned<ControlKind::Label>(form, row);
        case ControlKind::Shape:
            return owned<ControlKind::Shape>(form, row);
        case ControlKind::PictureBox:
            return owned<ControlKind::PictureBox>(form, row);
    }
    throw std::logic_error("no such kind of control");
}

}  // namespace forms
