#pragma once
// TS1, Game Info: the selected game's titles, its romsets, and either its snapshot or the list
// of its files with a check mark on each file found. The rules are the model's (see
// core/game_info_page_model.h); this view draws it, loads the picture file it names and
// reports the clicks on the texts, the romset group and the picture.
#include "app/page.h"

class GameInfoPage : public Page {
    Q_OBJECT
public:
    GameInfoPage(tavrix::PageHost& host, tavrix::GameInfoPageModel& model, QWidget* parent);

    // Loads a picture file into I1; false when it is no picture the toolkit reads.
    bool loadPicture(const std::string& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showModel() override;

private:
    tavrix::GameInfoPageModel& model;
    unsigned filesShown_ = 0;    // the model's filesFilled that LV1 shows
    unsigned membersShown_ = 0;  // the model's membersFilled that LV2 shows
};
