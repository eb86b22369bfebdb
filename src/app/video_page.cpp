#include "app/video_page.h"

#include <QComboBox>

using namespace tavrix;

VideoPage::VideoPage(PageHost& pageHost, VideoPageModel& pageModel, QWidget* parent)
    : Page(pageHost, kVideoPage, pageModel, videoPageLayout(), "TS3", parent), model(pageModel) {
    static_cast<QComboBox*>(control("CB3"))->setMaxVisibleItems(kResolutionCount);
}

void VideoPage::showModel() {
    if (shownLists != model.listsBuilt) {
        // The renderer rule rebuilt the lists: new items, in the language of the moment.
        shownLists = model.listsBuilt;
        for (auto [name, items] : {std::pair{"CB6", &model.scanLineItems}, std::pair{"CB10", &model.blendingItems}}) {
            auto* list = static_cast<QComboBox*>(control(name));
            list->clear();
            for (VideoListItem item : *items) list->addItem(tr2(captionOf(item)));
        }
    }
    control("B14")->setVisible(model.advancedVisible);
}
