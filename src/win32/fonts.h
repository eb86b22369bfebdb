#pragma once
// The fonts of the window at its display scale: "MS Sans Serif" of the tables' 11 pixels (8
// points at 96 dots per inch), which the system maps to its own face, or for Korean text a face
// that has Hangul at the same height, in the table's styles (bold, a larger pixel size). Each
// font is made once for each scale.
#include <windows.h>

#include <map>
#include <string>
#include <tuple>

namespace tavrix::win32 {

class FontSet {
public:
    FontSet() = default;
    ~FontSet();
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    // The dots per inch of the window's display: every font and every place is made for it.
    int dpi() const { return dpi_; }
    void setDpi(int dpi) { dpi_ = dpi; }
    // A length of the tables in pixels at this scale.
    int scaled(int pixels) const;

    // `style` holds FontStyle bits; only kBold changes the font. `pixelSize` is in the tables'
    // pixels; 0 is the window's own size.
    HFONT font(bool english, unsigned style = 0, int pixelSize = 0);
    // The face asked for in the language.
    std::wstring face(bool english);
    // Lets go of the fonts of every other scale, which no control may use any longer.
    void dropOtherScales();

private:
    std::map<std::tuple<bool, bool, int, int>, HFONT> fonts_;
    std::wstring koreanFace_;
    int dpi_ = 96;
};

// The dots per inch of the display a window is on (the system's, where the system cannot say).
int displayDpi(HWND window);
// The scale a window's controls are laid out at, kept with its top-level window (0 removes it),
// so that code holding only a control can scale a length of the tables.
void setLayoutDpi(HWND topLevel, int dpi);
int scaledFor(HWND control, int pixels);

}  // namespace tavrix::win32
