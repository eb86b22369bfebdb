// The Game Info page: the selected game's title, maker and year, and hardware; below them
// either the romset lines with the list of the game's files, or the panel with its snapshot in
// front of them. Every text and picture control toggles between the two views when clicked.
#include "core/form_layout.h"

namespace tavrix {

const FormLayout& gameInfoPageLayout() {
    using namespace layout;
    static const FormLayout table{{
        // The title also switches the views from the keyboard.
        clickLabel("L1", nullptr, {4, 6, 336, 22}).style(kCentred | kBold | kNavy, 15).keys(),
        clickLabel("L2", nullptr, {4, 30, 336, 16}).style(kCentred | kBold),
        clickLabel("L6", nullptr, {4, 48, 336, 16}).style(kCentred),
        group("GB1", nullptr, {8, 68, 328, 76}, {" 롬셋 ", " Romsets "}),
        // Main, BIOS, parent, top to bottom; each caption beside its archive's name.
        clickLabel("L12", "GB1", {10, 18, 100, 16}, {"메인 롬셋:", "main romset:"}),
        clickLabel("L3", "GB1", {112, 18, 206, 16}),
        clickLabel("L10", "GB1", {10, 36, 100, 16}, {"바이오스 롬셋:", "bios romset:"}),
        clickLabel("L4", "GB1", {112, 36, 206, 16}),
        clickLabel("L11", "GB1", {10, 54, 100, 16}, {"부모 롬셋:", "parent romset:"}),
        clickLabel("L5", "GB1", {112, 54, 206, 16}),
        listView("LV1", nullptr, {8, 148, 328, 198}, {{"파일 이름", "File Name"}, {"시그니처", "Signature"}},
                 {230, 74})
            .atLeast({100})
            .spoken({"롬셋 파일", "Romset files"}),
        // The members of the archive listed last; never shown, its headers in English only.
        listView("LV2", nullptr, {0, 0, 100, 30}, {{"File Name"}, {"Signature"}}, {}).hidden(),
        // The snapshot panel covers the romset lines and the file list while it is shown.
        panel("P1", nullptr, {8, 68, 328, 278}).hidden().spoken({"스냅샷", "Snapshot"}),
        picture("I1", "P1", {4, 19, 320, 240}).spoken({"게임 스냅샷", "Game snapshot"}),
    }};
    return table;
}

}  // namespace tavrix
