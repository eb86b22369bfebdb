#pragma once
// The texts the window shows at run time besides its controls' own captions, in both
// languages. They are defined beside the layout tables of the pages that show them.
#include "core/form_layout.h"

namespace tavrix {

// The window's caption, and the same while a romset scan runs.
inline constexpr Caption kProgramCaption{"Tavrix", nullptr};
inline constexpr Caption kScanningCaption{"Tavrix - 읽는 중...", "Tavrix - Scanning..."};

// The folder dialog's prompt of the General page.
Caption folderPrompt();

// GB6's caption for player 0 or 1.
Caption playerGroupCaption(int player);
// The window caption: the request for a key while a capture waits, else the program's title.
Caption windowCaption(bool capturing);

// The run-time items of the Video page's scan-line and blending lists.
enum class VideoListItem { No, Yes, None, Black, Bright, Level1, Level2 };
Caption captionOf(VideoListItem item);

}  // namespace tavrix
