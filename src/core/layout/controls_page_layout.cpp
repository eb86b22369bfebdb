// The Controls page: Test and Services with the two fixed keys, the player list, one player's
// inputs in two columns, the joystick interface box, Save and Cancel, and the invisible key
// receiver of a capture. The assignable inputs are bold labels that report double clicks.
#include "core/layout/captions.h"
#include "core/form_layout.h"

namespace tavrix {

Caption playerGroupCaption(int player) {
    return player == 0 ? Caption{" 플레이어 1 ", " Player 1 "} : Caption{" 플레이어 2 ", " Player 2 "};
}

Caption windowCaption(bool capturing) {
    return capturing ? Caption{"Tavrix - 키 또는 버튼을 누르세요...", "Tavrix - Press key or button..."}
                     : Caption{"Tavrix"};
}

namespace {

// An input is pressed (double-clicked, or Enter or Space while it has the focus) to capture a
// new one.
ControlRow input(const char* name, const char* parent, Rect place) {
    return layout::clickLabel(name, parent, place).style(kBold).likeButton().keys();
}

// One row of GB6: coin, start or a direction on the left, a button on the right.
constexpr int rowTop(int row) { return 22 + row * 21; }

}  // namespace

const FormLayout& controlsPageLayout() {
    using namespace layout;
    static const FormLayout table = [] {
        const Caption fixed{" 변경할 수 없음 ", " not changeable "};
        FormLayout made{{
            group("GB5", nullptr, {8, 6, 330, 64}, {" 일반 ", " General "}),
            label("L61", "GB5", {10, 20, 64, 16}, {"테스트:", "Test:"}),
            input("L33", "GB5", {76, 20, 92, 16}),
            label("L62", "GB5", {10, 40, 64, 16}, {"서비스:", "Services:"}),
            input("L34", "GB5", {76, 40, 92, 16}),
            label("L63", "GB5", {176, 20, 64, 16}, {"스냅샷:", "Snapshot:"}),
            label("L35", "GB5", {242, 20, 80, 16}, {"F5"}).tipped(fixed),
            label("L64", "GB5", {176, 40, 64, 16}, {"FPS:"}),
            label("L36", "GB5", {242, 40, 80, 16}, {"insert"}).tipped(fixed),
            // No label stands beside the player list.
            combo("CB23", nullptr, {8, 76, 120, 21}, {{"플레이어 1", "Player 1"}, {"플레이어 2", "Player 2"}}, 0)
                .spoken({"플레이어", "Player"}),
            group("GB6", nullptr, {8, 102, 330, 156}, playerGroupCaption(0)),
        }};
        const struct {
            const char *caption, *input;
            Caption text;
            const char *buttonCaption, *button;
            Caption buttonText;
        } rows[] = {
            {"L65", "L31", {"코인:", "Coin:"}, "L71", "L21", {"버튼 1:", "Button 1:"}},
            {"L66", "L32", {"시작:", "Start:"}, "L72", "L22", {"버튼 2:", "Button 2:"}},
            {"L67", "L27", {"위:", "Up:"}, "L73", "L23", {"버튼 3:", "Button 3:"}},
            {"L68", "L28", {"아래:", "Down:"}, "L74", "L24", {"버튼 4:", "Button 4:"}},
            {"L69", "L29", {"왼쪽:", "Left:"}, "L75", "L25", {"버튼 5:", "Button 5:"}},
            {"L70", "L30", {"오른쪽:", "Right:"}, "L76", "L26", {"버튼 6:", "Button 6:"}},
        };
        for (int row = 0; row < 6; ++row) {
            const int top = rowTop(row);
            made.controls.push_back(label(rows[row].caption, "GB6", {10, top, 56, 16}, rows[row].text));
            made.controls.push_back(input(rows[row].input, "GB6", {68, top, 96, 16}));
            made.controls.push_back(label(rows[row].buttonCaption, "GB6", {172, top, 60, 16}, rows[row].buttonText));
            made.controls.push_back(input(rows[row].button, "GB6", {234, top, 92, 16}));
        }
        made.controls.insert(made.controls.end(), {
            check("CB25", nullptr, {8, 264, 330, 20},
                  {" DirectInput 대신 WinMM 조이스틱 인터페이스 사용", " Use WinMM joystick interface instead of DirectInput"}),
            button("B04", nullptr, {168, 322, 80, 25}, {"저장", "Save"}),
            button("B03", nullptr, {256, 322, 80, 25}, {"취소", "Cancel"}),
            // Takes the key presses of a capture, focused while it waits; a screen reader says
            // what the focus is waiting for.
            edit("E4", nullptr, {8, 322, 0, 21}).off().spoken({"키 입력 받기", "Key capture"}),
            // Never shown: the selected game's controller plug-in flag, set by the Game Info page.
            check("CB21", nullptr, {0, 0, 100, 30}, {}).on().hidden(),
        });
        return made;
    }();
    return table;
}

}  // namespace tavrix
