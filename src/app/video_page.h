#pragma once
// TS3, Video: the renderer plug-in, resolution and picture options, rotation, the emulator's
// console and the software renderer's own registry settings. The rules are the model's (see
// core/video_page_model.h); this view draws it, with the two lists whose items the renderer
// decides.
#include "app/page.h"

class VideoPage : public Page {
    Q_OBJECT
public:
    VideoPage(tavrix::PageHost& host, tavrix::VideoPageModel& model, QWidget* parent);

protected:
    void showModel() override;

private:
    tavrix::VideoPageModel& model;
    int shownLists = 0;
};
