// The General Settings page: the romset directory with its folder button and the scan, the
// game list's options with the sort choice, then Save and Cancel.
#include "core/form_layout.h"
#include "core/layout/captions.h"

namespace tavrix {

Caption folderPrompt() {
    return {"롬 경로 선택:", "Select rom path:"};
}

const FormLayout& generalPageLayout() {
    using namespace layout;
    static const FormLayout table{{
        // The rom path group and its label say both languages in one caption.
        group("GB2", nullptr, {8, 6, 328, 104}, {" 롬 경로 / Rom Path "}),
        label("L13", "GB2", {10, 18, 300, 16}, {"롬셋 디렉토리 / Romset directory:"}).names("E1"),
        // Named for a screen reader in the language in force, unlike its label.
        edit("E1", "GB2", {10, 34, 276, 21}).spoken({"롬셋 디렉토리", "Romset directory"}),
        // Its caption is only dots, so a screen reader gets a name.
        button("B01", "GB2", {290, 34, 28, 21}, {"..."}).style(kBold).spoken({"롬 경로 선택", "Select rom path"}),
        check("CB24", "GB2", {10, 60, 188, 18}, {" 시작할 때 롬 경로 다시 검색", " Rescan rom path on startup"}),
        button("B02", "GB2", {200, 58, 118, 23}, {"롬 경로 다시 검색", "Rescan rom path"}),
        label("L16", "GB2", {10, 84, 308, 16}),  // the game count, written by the scan
        group("GB7", nullptr, {8, 114, 328, 196}, {" 게임 목록 ", " Game List "}),
        check("CB26", "GB7", {10, 18, 310, 18},
              {" 실행 가능한 게임만 표시 (롬셋 완비)", " Show only playable games (with full romset)"}),
        check("CB27", "GB7", {10, 38, 310, 18}, {" 게임 목록에 모든 열 표시", " Show all columns in the games list"}),
        group("RG2", "GB7", {10, 62, 308, 124}, {" 게임 목록 정렬 ", " Game List Sorting "}),
        radio("RG2Item0", "RG2", {10, 20, 290, 20}, {" 정렬 안 함 (에뮬레이터 순서)", " None (emulator order)"}),
        radio("RG2Item1", "RG2", {10, 44, 290, 20}, {" 게임 이름순", " Sort by Game Name"}),
        radio("RG2Item2", "RG2", {10, 68, 290, 20}, {" 제조사 / 플랫폼순", " Sort by Manufacturer / Hardware"}),
        radio("RG2Item3", "RG2", {10, 92, 290, 20}, {" 연도순", " Sort by Year"}),
        button("B07", nullptr, {176, 320, 76, 25}, {"저장", "Save"}),
        button("B05", nullptr, {258, 320, 76, 25}, {"취소", "Cancel"}),
    }};
    return table;
}

}  // namespace tavrix
