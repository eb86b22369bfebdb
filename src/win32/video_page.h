#pragma once
// The Video page drawn with the system's controls, over the Video page model.
#include "core/video_page_model.h"
#include "platform/win32/renderer_plugin.h"
#include "win32/page.h"

#include <memory>

namespace tavrix::win32 {

class VideoPage : public Page {
public:
    explicit VideoPage(PageHost& host);
    ~VideoPage() override;

    void ReadVideoSettings();
    void B09Click();  // Save, then the Game Info page
    void B06Click();  // Cancel: this page, reloaded from the files
    void B14Click();  // the software renderer plug-in's own dialog
    void addLaunchInputs(LaunchInputs& inputs) const override;

    VideoPageModel model;

protected:
    void command(const char* name, int code) override;
    void showModel() override;

private:
    int shownLists = 0;
    std::unique_ptr<SoftwareRendererDialog> rendererDialog;
};

}  // namespace tavrix::win32
