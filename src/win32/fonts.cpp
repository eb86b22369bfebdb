#include "win32/fonts.h"

#include "core/form_layout.h"

namespace tavrix::win32 {

namespace {

LOGFONTW messageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return metrics.lfMessageFont;
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

int CALLBACK noteFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<std::wstring*>(found) = font->lfFaceName;
    return 0;  // the first one will do
}

// The first installed face of that name with Hangul, or any face with Hangul for an empty name.
std::wstring hangulFace(const wchar_t* name) {
    LOGFONTW query{};
    query.lfCharSet = HANGUL_CHARSET;
    lstrcpynW(query.lfFaceName, name, LF_FACESIZE);
    std::wstring found;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    // Vertical variants ("@Gulim") are for vertical text only.
    return !found.empty() && found[0] == L'@' ? std::wstring() : found;
}

}  // namespace

FontSet::~FontSet() {
    for (const auto& entry : fonts_) DeleteObject(entry.second);
}

std::wstring FontSet::face(bool english) {
    if (english) return messageFont().lfFaceName;
    if (koreanFace_.empty()) {
        for (const wchar_t* name : {L"Malgun Gothic", L"Gulim", L""}) {
            koreanFace_ = hangulFace(name);
            if (!koreanFace_.empty()) break;
        }
        // No face with Hangul at all: the message font, for which the system may link one.
        if (koreanFace_.empty()) koreanFace_ = messageFont().lfFaceName;
    }
    return koreanFace_;
}

HFONT FontSet::font(bool english, unsigned style, int pixelSize) {
    const bool bold = (style & kBold) != 0;
    const auto key = std::make_tuple(english, bold, pixelSize);
    if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
    LOGFONTW font = messageFont();
    lstrcpynW(font.lfFaceName, face(english).c_str(), LF_FACESIZE);
    if (!english) font.lfCharSet = HANGUL_CHARSET;
    if (bold) font.lfWeight = FW_BOLD;
    if (pixelSize != 0) font.lfHeight = -pixelSize;
    HFONT made = CreateFontIndirectW(&font);
    fonts_.emplace(key, made);
    return made;
}

}  // namespace tavrix::win32
