#pragma once
#include "app/page.h"

class GameInfoPage : public Page {
    Q_OBJECT
public:
    explicit GameInfoPage(TF1* form);
};
