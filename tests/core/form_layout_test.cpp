// The layout tables every front end builds its controls from: each table must be buildable in
// its order and hold together, whatever toolkit reads it.
#include "core/form_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace tavrix;

namespace {

struct Table {
    const char* name;
    const FormLayout& (*layout)();
};

const Table kTables[] = {
    {"main window", mainWindowLayout},
    {"general", generalPageLayout},
    {"video", videoPageLayout},
    {"sound", soundPageLayout},
    {"game info", gameInfoPageLayout},
    {"controls", controlsPageLayout},
    {"about", aboutPageLayout},
    {"language panel", languagePanelLayout},
};

}  // namespace

TEST(FormLayout, EveryTableIsBuildableInOrderAndHoldsTogether) {
    for (const Table& table : kTables) {
        SCOPED_TRACE(table.name);
        std::map<std::string, const ControlRow*> made;
        for (const ControlRow& control : table.layout().controls) {
            SCOPED_TRACE(control.name);
            EXPECT_TRUE(made.emplace(control.name, &control).second) << "names are unique";
            if (control.parent != nullptr) {
                // A parent is a group box made before its children, and holds them whole.
                ASSERT_TRUE(made.count(control.parent)) << "parent made first";
                const ControlRow& parent = *made[control.parent];
                EXPECT_EQ(parent.kind, ControlKind::Group);
                EXPECT_LE(control.place.x + control.place.width, parent.place.width);
                EXPECT_LE(control.place.y + control.place.height, parent.place.height);
            }
            if (control.kind == ControlKind::RadioButton) {
                EXPECT_NE(control.parent, nullptr);
            }
            if (control.kind == ControlKind::ComboBox) {
                EXPECT_GE(control.selected, 0);
                EXPECT_LT(control.selected, static_cast<int>(control.items.size()));
            }
            if (control.kind == ControlKind::UpDown) {
                ASSERT_TRUE(made.count(control.buddy)) << "the edit box comes first";
                EXPECT_EQ(made[control.buddy]->kind, ControlKind::Edit);
                EXPECT_LE(control.minimum, control.position);
                EXPECT_LE(control.position, control.maximum);
            }
        }
        // A label names a control of the same table.
        for (const ControlRow& control : table.layout().controls)
            if (control.buddy != nullptr) {
                EXPECT_TRUE(made.count(control.buddy)) << control.name << " names " << control.buddy;
            }
        EXPECT_THROW(table.layout()["no such control"], std::out_of_range);
    }
}

TEST(FormLayout, CaptionsFallBackToTheBuiltInTextOnlyWithoutAnEnglishOne) {
    EXPECT_STREQ((Caption{"저장", "Save"}.in(true)), "Save");
    EXPECT_STREQ((Caption{"저장", "Save"}.in(false)), "저장");
    EXPECT_STREQ((Caption{"OK"}.in(true)), "OK");
    EXPECT_STREQ((Caption{"그림", ""}.in(true)), "") << "an empty English text blanks the control";
}
