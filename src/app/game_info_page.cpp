#include "app/game_info_page.h"

GameInfoPage::GameInfoPage(TF1* owner) : Page(owner, "TS1") {}
