// The first-start panel over the whole window: the prompt, and one radio button with its flag
// for each language. It comes before any language is chosen, so its texts and the names a
// screen reader speaks are the same in both languages; the prompt and the flags are pictures
// the front end paints in these places. The first row is the panel itself: the two radio
// buttons form its one radio group.
#include "core/form_layout.h"

namespace tavrix {

const FormLayout& languagePanelLayout() {
    using namespace layout;
    static const FormLayout table{{
        group("P2", nullptr, {0, 0, kClientWidth, kClientHeight}, {}).hidden().spoken({"언어 / Language"}),
        picture("I4", "P2", {243, 154, 182, 11}).spoken({"언어를 선택하세요 / Select language"}),
        radio("RB1", "P2", {257, 178, 17, 17}, {}).spoken({"한국어"}),
        picture("I2", "P2", {278, 176, 30, 20}).spoken({"한국어"}),
        radio("RB2", "P2", {355, 178, 17, 17}, {}).spoken({"English"}),
        picture("I3", "P2", {376, 176, 30, 20}).spoken({"English"}),
        button("B10", "P2", {288, 216, 89, 25}, {"OK"}).off(),
    }};
    return table;
}

}  // namespace tavrix
