#pragma once
// The fonts of the window: the system's message font, or for Korean text a face that has
// Hangul, in the table's styles (bold, a larger pixel size). Each font is made once.
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

    // `style` holds FontStyle bits; only kBold changes the font.
    HFONT font(bool english, unsigned style = 0, int pixelSize = 0);
    // The face used for the language.
    std::wstring face(bool english);

private:
    std::map<std::tuple<bool, bool, int>, HFONT> fonts_;
    std::wstring koreanFace_;
};

}  // namespace tavrix::win32
