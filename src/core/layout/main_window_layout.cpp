// The main window at its narrow width: the game list on the left, the page tabs on the right.
// With every list column shown the window grows; the list widens and the tabs move right by
// the same amount.
#include "core/form_layout.h"

namespace tavrix {

const FormLayout& mainWindowLayout() {
    using namespace layout;
    static const FormLayout table{{
        // The list shows the title column; the hardware and year columns join it when every
        // column is shown.
        listView("LV0", nullptr, {8, 10, 277, 381}, {{"게임", "Game"}, {"플랫폼", "Hardware"}, {"년도", "Year"}},
                 {256, 110, 40})
            .atLeast({250})
            .spoken({"게임 목록", "Game list"}),
        tabs("PC1", nullptr, {292, 10, 352, 382},
             {{"게임 정보", "Game Info"}, {"일반 설정", "General Settings"}, {"비디오", "Video"}, {"사운드", "Sound"},
              {"조작", "Controls"}, {"정보", "About"}})
            .spoken({"페이지", "Pages"}),
    }};
    return table;
}

}  // namespace tavrix
