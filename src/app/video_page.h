#pragma once
#include "app/page.h"

class VideoPage : public Page {
    Q_OBJECT
public:
    explicit VideoPage(TF1* form);
};
