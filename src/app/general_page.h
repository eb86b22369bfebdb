#pragma once
#include "app/page.h"

class GeneralPage : public Page {
    Q_OBJECT
public:
    explicit GeneralPage(TF1* form);
};
