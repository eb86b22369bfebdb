// The Video page: eleven rows in one group box, each a label, a list and a control on the
// right, then the software renderer's settings button and Save and Cancel.
#include "core/form_layout.h"
#include "core/layout/captions.h"
#include "core/video_settings.h"

#include <string>

namespace tavrix {

Caption captionOf(VideoListItem item) {
    static constexpr Caption kCaptions[] = {{"아니요", "no"},  {"예", "yes"},         {"없음", "none"},
                                            {"검정", "black"}, {"밝게", "bright"},    {"레벨 1", "level 1"},
                                            {"레벨 2", "level 2"}};
    return kCaptions[static_cast<int>(item)];
}

namespace {

constexpr int rowTop(int row) { return 16 + row * 26; }
constexpr Rect labelAt(int row) { return {6, rowTop(row) + 3, 96, 16}; }
constexpr Rect listAt(int row) { return {102, rowTop(row), 86, 21}; }
constexpr Rect checkAt(int row) { return {190, rowTop(row) + 1, 140, 19}; }

// "320x240" ... "1280x960", the same in both languages.
std::vector<Caption> resolutionItems() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> made;
        for (const Resolution& size : kResolutions)
            made.push_back(std::to_string(size.width) + "x" + std::to_string(size.height));
        return made;
    }();
    std::vector<Caption> items;
    for (const std::string& text : texts) items.push_back({text.c_str()});
    return items;
}

}  // namespace

const FormLayout& videoPageLayout() {
    using namespace layout;
    const Caption no = captionOf(VideoListItem::No), yes = captionOf(VideoListItem::Yes);
    static const FormLayout table{{
        group("GB3", nullptr, {6, 2, 332, 308}, {" 비디오 ", " Video "}),
        label("L50", "GB3", labelAt(0), {"3D 인터페이스:", "3D interface:"}).names("CB18"),
        // The renderer kinds, in the order of RendererKind.
        combo("CB18", "GB3", listAt(0), {{"Software"}, {"Direct3D"}, {"OpenGL"}}, 2),
        check("CB2", "GB3", checkAt(0), {"화면 늘이기", "Stretching"}).on().off(),
        label("L51", "GB3", labelAt(1), {"해상도:", "Resolution:"}).names("CB3"),
        combo("CB3", "GB3", listAt(1), resolutionItems(), 5),
        check("CB4", "GB3", checkAt(1), {"전체 화면 모드", "Fullscreen mode"}),
        label("L52", "GB3", labelAt(2), {"색 깊이:", "Color depth:"}).names("CB5"),
        combo("CB5", "GB3", listAt(2), {{"16비트", "16 bit"}, {"32비트", "32 bit"}}, 1),
        check("CB9", "GB3", checkAt(2), {"디더링", "Dithering"}).off(),
        label("L53", "GB3", labelAt(3), {"스캔라인:", "Scanlines:"}).names("CB6"),
        // The renderer rule rebuilds the scan-line and blending lists for the chosen renderer.
        combo("CB6", "GB3", listAt(3), {no, yes}, 0).live(),
        label("L54", "GB3", labelAt(4), {"텍스처 필터링:", "Texture filtering:"}).names("CB7"),
        combo("CB7", "GB3", listAt(4),
              {captionOf(VideoListItem::None), captionOf(VideoListItem::Level1), captionOf(VideoListItem::Level2),
               {"레벨 3", "level 3"}}, 0),
        check("CB17", "GB3", checkAt(4), {"느린 지오메트리", "Slow geometry"}).on(),
        label("L56", "GB3", labelAt(5), {"블렌딩:", "Blending:"}).names("CB10"),
        combo("CB10", "GB3", listAt(5), {no, yes}, 0).live(),
        check("CB28", "GB3", checkAt(5), {"FPS 표시", "Show FPS"}),
        label("L57", "GB3", labelAt(6), {"프레임 제한:", "Frame limit:"}).names("CB11"),
        combo("CB11", "GB3", listAt(6), {no, yes}, 1),
        check("CB12", "GB3", checkAt(6), {"프레임 건너뛰기", "Frame skip"}),
        label("L58", "GB3", labelAt(7), {"자동 프레임 속도:", "Auto framerate:"}).names("CB13"),
        combo("CB13", "GB3", listAt(7), {no, yes}, 1),
        edit("E2", "GB3", {190, rowTop(7), 44, 21}, "100").off(),
        upDown("UD1", "GB3", {234, rowTop(7), 16, 21}, "E2", 0, 1000, 100, {"프레임 올리기", "Frames up"},
               {"프레임 내리기", "Frames down"}).off(),
        label("L14", "GB3", {256, rowTop(7) + 3, 72, 16}, {"프레임", "frames"}).off().names("E2"),
        label("L59", "GB3", labelAt(8), {"텍스처 형식:", "Texture type:"}).names("CB14"),
        combo("CB14", "GB3", listAt(8), {{"기본값", "default"}, {"4비트", "4 bit"}, {"5비트", "5 bit"}, {"8비트", "8 bit"}},
              3),
        check("CB16", "GB3", checkAt(8), {"렌더러 단축키", "Renderer keys"}).on(),
        label("L60", "GB3", labelAt(9), {"텍스처 캐싱:", "Texture caching:"}).names("CB15"),
        combo("CB15", "GB3", listAt(9), {{"0", "0"}, {"1", "1"}, {"2", "2"}, {"3 (위험)", "3 (risky)"}}, 2),
        check("CB29", "GB3", checkAt(9), {"콘솔 숨기기", "Hide console"}),
        label("L55", "GB3", labelAt(10), {"화면 회전:", "Rotate screen:"}).names("CB8"),
        combo("CB8", "GB3", listAt(10), {{"0°"}, {"90°"}, {"180°"}, {"270°"}}, 0),
        check("CB22", "GB3", checkAt(10), {"레지스트리 설정 사용", "Use registry settings"}),
        // Shown only while the software renderer is chosen.
        button("B14", nullptr, {6, 320, 166, 25}, {"고급 레지스트리 설정", "Advanced registry settings"}).hidden(),
        button("B09", nullptr, {180, 320, 75, 25}, {"저장", "Save"}),
        button("B06", nullptr, {262, 320, 75, 25}, {"취소", "Cancel"}),
    }};
    return table;
}

}  // namespace tavrix
