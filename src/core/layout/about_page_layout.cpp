// The About page: the program's name and version, eleven centred credit lines (the front end,
// then the emulator and its plug-ins, then information and support), OK and the web page.
#include "core/form_layout.h"

namespace tavrix {

namespace {

// Credit lines follow one another from the top down; L88 has room for three lines.
Rect creditAt(int line, int lines = 1) {
    return {8, 66 + line * 18, 328, lines == 1 ? 16 : 48};
}

}  // namespace

const FormLayout& aboutPageLayout() {
    using namespace layout;
    static const FormLayout table{{
        label("L77", nullptr, {8, 6, 328, 33}, {"Tavrix"}).style(kCentred | kBold | kNavy, 22),
        label("L78", nullptr, {8, 40, 328, 16}, {"버전 1.0.1.0", "version 1.0.1.0"}).style(kCentred),
        label("L79", nullptr, creditAt(0), {"프런트엔드: Tavrix 개발팀", "Front end: the Tavrix team"}).style(kCentred),
        label("L80", nullptr, creditAt(1), {"한국어 번역: Tavrix 개발팀", "Korean translation: the Tavrix team"})
            .style(kCentred),
        label("L81", nullptr, creditAt(2), {"에뮬레이터: Orvo 프로젝트", "Emulator: the Orvo project"}).style(kCentred),
        label("L82", nullptr, creditAt(3), {"소프트웨어 렌더러: Orvo 프로젝트", "Software renderer: the Orvo project"})
            .style(kCentred),
        label("L83", nullptr, creditAt(4),
              {"Direct3D / OpenGL 렌더러: Orvo 프로젝트", "Direct3D / OpenGL renderers: the Orvo project"})
            .style(kCentred),
        label("L84", nullptr, creditAt(5), {"사운드 플러그인: Orvo 프로젝트", "Sound plug-in: the Orvo project"})
            .style(kCentred),
        label("L85", nullptr, creditAt(6), {"Vantrel 컨트롤러 플러그인: Vantrel", "Vantrel controller plug-in: Vantrel"})
            .style(kCentred),
        label("L86", nullptr, creditAt(7),
              {"JAMMA 키보드 플러그인: Tavrix 개발팀", "JAMMA keyboard plug-in: the Tavrix team"})
            .style(kCentred),
        label("L87", nullptr, creditAt(8),
              {"게임 정보: 아케이드 보존 커뮤니티", "Game information: the arcade preservation community"})
            .style(kCentred),
        label("L88", nullptr, creditAt(9, 3),
              {"테스트와 지원: 이 프로그램을 사용해 주시고\n버그를 알려 주시고 아이디어를 나눠 주신\n모든 분께 감사드립니다",
               "Testing and support: thanks to everyone\nwho used this program, reported bugs\nand shared ideas"})
            .style(kCentred),
        // Below the three lines of L88.
        label("L93", nullptr, {8, 278, 328, 16},
              {"이 프로그램은 무료이며 어떠한 보증도 없습니다", "This program is free and comes with no warranty"})
            .style(kCentred),
        button("B08", nullptr, {40, 320, 100, 25}, {"OK"}),  // the same in both languages
        button("B13", nullptr, {150, 320, 150, 25}, {"Tavrix 웹 사이트", "Tavrix Web Site"}),
    }};
    return table;
}

}  // namespace tavrix
