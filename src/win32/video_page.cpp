#include "win32/video_page.h"

namespace tavrix::win32 {

VideoPage::VideoPage(PageHost& host, VideoPageModel& pageModel)
    : Page(host, kVideoPage, pageModel, videoPageLayout()), model(pageModel) {}

void VideoPage::showModel() {
    if (shownLists != model.listsBuilt) {
        // The renderer rule rebuilt the lists: new items, in the language of the moment.
        shownLists = model.listsBuilt;
        for (auto [list, items] : {std::pair{"CB6", &model.scanLineItems}, std::pair{"CB10", &model.blendingItems}}) {
            std::vector<std::string> captions;
            for (VideoListItem item : *items) captions.emplace_back(captionOf(item).in(host.english()));
            form_.setItems(list, captions);
        }
    }
    form_.setVisible("B14", model.advancedVisible);
}

}  // namespace tavrix::win32
