#pragma once
// The language panel's pictures, painted with GDI: the prompt in both languages and the flags
// of the two languages. Each is a bitmap of its control's size; the caller owns it.
#include <windows.h>

#include <string_view>

namespace tavrix::win32 {

// `text` (UTF-8) centred in black, in `font`, on the face colour of dialogs.
HBITMAP paintPromptPicture(HFONT font, std::string_view text, int width, int height);
// The flag of Korea, `width` x `height` (30 x 20 at 96 dots per inch).
HBITMAP paintKoreanFlag(int width, int height);
// The United States on the left half, the United Kingdom on the right, `width` x `height`.
HBITMAP paintEnglishFlag(int width, int height);

}  // namespace tavrix::win32
