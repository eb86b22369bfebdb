#pragma once
// The Video page drawn with the system's controls, over the Video page model, with the two
// lists whose items the renderer decides.
#include "win32/page.h"

namespace tavrix::win32 {

class VideoPage : public Page {
public:
    VideoPage(PageHost& host, VideoPageModel& model);

protected:
    void showModel() override;

private:
    VideoPageModel& model;
    int shownLists = 0;
};

}  // namespace tavrix::win32
