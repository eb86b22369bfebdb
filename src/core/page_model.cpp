#include "core/page_model.h"

namespace tavrix {

void takeControlState(PageModel& model, const ControlRow& row, const PageControls& controls) {
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

void drawFields(PageModel& model, const FormLayout& layout, PageControls& controls, bool english) {
    for (const ControlField& field : model.fields()) {
        if (field.checked != nullptr) controls.setChecked(field.control, *field.checked);
        if (field.selection != nullptr && layout[field.control].kind == ControlKind::Group)
            controls.setRadioIndex(field.control, *field.selection);
        else if (field.selection != nullptr)
            controls.setSelection(field.control, *field.selection);
        if (field.text != nullptr) controls.setText(field.control, *field.text);
        if (field.caption != nullptr) controls.setText(field.control, field.caption->in(english));
    }
    for (const auto& [name, enabled] : model.enabledControls()) controls.setEnabled(name, enabled);
}

}  // namespace tavrix
