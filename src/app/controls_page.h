#pragma once
#include "app/page.h"

class ControlsPage : public Page {
    Q_OBJECT
public:
    explicit ControlsPage(TF1* form);
};
