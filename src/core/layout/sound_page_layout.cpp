// The Sound page: sound on or off, the filter and its cutoff, one additional effect with the
// lite surround's multiplier, and a hint about the Game Info page.
#include "core/form_layout.h"

namespace tavrix {

const FormLayout& soundPageLayout() {
    using namespace layout;
    static const FormLayout table{{
        group("GB4", nullptr, {6, 4, 332, 196}, {" 사운드 ", " Sound "}),
        check("CB1", "GB4", {12, 20, 300, 19}, {" 사운드 에뮬레이션 사용", " Enable sound emulation"}),
        check("CB19", "GB4", {12, 44, 140, 19}, {" 사운드 필터", " Sound filter"}),
        label("L15", "GB4", {160, 44, 160, 19}, {"필터 차단 주파수", "Filter cutoff frequency"}).off().names("CB20"),
        // The frequencies read the same in both languages.
        combo("CB20", "GB4", {160, 66, 100, 21}, {{"8000 Hz"}, {"11025 Hz"}, {"22050 Hz"}, {"44100 Hz"}}, 2).off(),
        group("RG1", "GB4", {12, 94, 200, 92}, {" 추가 음향 효과 ", " Additional Sound Effects "}),
        radio("RG1Item0", "RG1", {10, 18, 180, 19}, {" 없음", " None"}).on(),
        radio("RG1Item1", "RG1", {10, 41, 180, 19}, {" 스테레오 익사이터", " Stereo Exciter"}),
        radio("RG1Item2", "RG1", {10, 64, 180, 19}, {" 라이트 서라운드 \u2122", " Lite-Surround \u2122"}),
        label("ST1", "GB4", {222, 132, 100, 16}, {"배율:", "Multiplier:"}).names("E3"),
        edit("E3", "GB4", {222, 152, 44, 21}, "40").off(),
        upDown("UD2", "GB4", {266, 152, 16, 21}, "E3", 0, 99, 40, {"배율 올리기", "Multiplier up"},
               {"배율 내리기", "Multiplier down"}).off(),
        group("GB8", nullptr, {2, 206, 342, 106}, {" 도움말 ", " Hint "}),
        // The built-in hint needs four lines; the English one fits in three and leaves the last
        // line empty (the front end clears it when it shows English).
        label("L89", "GB8", {3, 20, 338, 16}, {"게임 스냅샷과 롬셋 무결성 정보 사이를", "In order to switch between the game snapshot to romset"}),
        label("L90", "GB8", {3, 40, 338, 16}, {"전환하려면 '게임 정보' 탭에서", "integrity information you should click on the name of game"}),
        label("L91", "GB8", {3, 60, 338, 16}, {"게임 이름을 클릭하거나", "on 'Game Info' tab or click directly on picture."}),
        label("L92", "GB8", {3, 80, 338, 16}, {"그림을 직접 클릭하십시오.", ""}),
        button("B11", nullptr, {180, 322, 75, 25}, {"저장", "Save"}),
        button("B12", nullptr, {262, 322, 75, 25}, {"취소", "Cancel"}),
    }};
    return table;
}

}  // namespace tavrix
