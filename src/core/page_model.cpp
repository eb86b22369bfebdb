#include "core/page_model.h"

namespace tavrix {

void takeControlState(PageModel& model, const ControlRow& row, const ControlStateReader& controls) {
    if (row.kind != ControlKind::CheckBox && row.kind != ControlKind::RadioButton &&
        row.kind != ControlKind::ComboBox && row.kind != ControlKind::Edit)
        return;
    const std::string_view owner = row.kind == ControlKind::RadioButton ? row.parent : row.name;
    for (const ControlField& field : model.fields()) {
        if (owner != field.control) continue;
        if (field.checked != nullptr) *field.checked = controls.checked(row.name);
        if (field.selection != nullptr && row.kind == ControlKind::RadioButton)
            *field.selection = controls.radioIndex(owner);
        else if (field.selection != nullptr)
            *field.selection = controls.selection(row.name);
        if (field.text != nullptr) *field.text = controls.text(row.name);
    }
}

}  // namespace tavrix
