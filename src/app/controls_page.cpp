#include "app/controls_page.h"

ControlsPage::ControlsPage(TF1* owner) : Page(owner, "TS4") {}
