#pragma once
// The About page without its widgets: the project's web pages, of which B13 opens the one in
// the interface language. B08 only shows the Game Info page.

namespace tavrix {

inline constexpr const char* kEnglishWebPage = "https://tavrix.example.org/en/";
inline constexpr const char* kKoreanWebPage = "https://tavrix.example.org/ko/";

inline const char* webPageAddress(bool english) {
    return english ? kEnglishWebPage : kKoreanWebPage;
}

}  // namespace tavrix
