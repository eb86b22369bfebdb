#include "app/general_page.h"

GeneralPage::GeneralPage(TF1* owner) : Page(owner, "TS2") {}
