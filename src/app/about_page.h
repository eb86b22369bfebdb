#pragma once
#include "app/page.h"

class AboutPage : public Page {
    Q_OBJECT
public:
    explicit AboutPage(TF1* form);
};
