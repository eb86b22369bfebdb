#include "win32/fonts.h"

#include "core/form_layout.h"
#include "core/layout_rules.h"

namespace tavrix::win32 {

namespace {

// The window's text: 11 pixels at 96 dots per inch (8 points).
constexpr int kWindowTextPixels = 11;
constexpr const wchar_t* kWindowFace = L"MS Sans Serif";

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

int FontSet::scaled(int pixels) const {
    return tavrix::scaled(pixels, dpi_);
}

std::wstring FontSet::face(bool english) {
    if (english) return kWindowFace;
    if (koreanFace_.empty()) {
        for (const wchar_t* name : {L"Malgun Gothic", L"Gulim", L""}) {
            koreanFace_ = hangulFace(name);
            if (!koreanFace_.empty()) break;
        }
        // No face with Hangul at all: the window's face, for which the system may link one.
        if (koreanFace_.empty()) koreanFace_ = kWindowFace;
    }
    return koreanFace_;
}

HFONT FontSet::font(bool english, unsigned style, int pixelSize) {
    const bool bold = (style & kBold) != 0;
    const int pixels = pixelSize != 0 ? pixelSize : kWindowTextPixels;
    const auto key = std::make_tuple(english, bold, pixels, dpi_);
    if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
    LOGFONTW font{};
    font.lfHeight = -scaledTextHeight(pixels, dpi_);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = english ? DEFAULT_CHARSET : HANGUL_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, face(english).c_str(), LF_FACESIZE);
    HFONT made = CreateFontIndirectW(&font);
    fonts_.emplace(key, made);
    return made;
}

void FontSet::dropOtherScales() {
    for (auto entry = fonts_.begin(); entry != fonts_.end();) {
        if (std::get<3>(entry->first) == dpi_) {
            ++entry;
            continue;
        }
        DeleteObject(entry->second);
        entry = fonts_.erase(entry);
    }
}

int displayDpi(HWND window) {
    // Per window where the system knows it (Windows 10 and later), else the system's.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = dpiForWindow(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kTableDpi;
}

namespace {
constexpr const wchar_t* kLayoutDpiProperty = L"Tavrix.LayoutDpi";
}

void setLayoutDpi(HWND topLevel, int dpi) {
    if (dpi == 0)
        RemovePropW(topLevel, kLayoutDpiProperty);
    else
        SetPropW(topLevel, kLayoutDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
}

int scaledFor(HWND control, int pixels) {
    const auto dpi = reinterpret_cast<INT_PTR>(GetPropW(GetAncestor(control, GA_ROOT), kLayoutDpiProperty));
    return tavrix::scaled(pixels, dpi != 0 ? static_cast<int>(dpi) : kTableDpi);
}

}  // namespace tavrix::win32
