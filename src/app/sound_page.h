#pragma once
#include "app/page.h"

class SoundPage : public Page {
    Q_OBJECT
public:
    explicit SoundPage(TF1* form);
};
