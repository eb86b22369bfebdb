#pragma once
// The pages in the order of their tabs.
namespace tavrix::win32 {
constexpr int kGameInfoPage = 0;
constexpr int kGeneralPage = 1;
constexpr int kVideoPage = 2;
constexpr int kSoundPage = 3;
constexpr int kControlsPage = 4;
constexpr int kAboutPage = 5;
constexpr int kPageCount = 6;
}  // namespace tavrix::win32
