#include "app/about_page.h"

AboutPage::AboutPage(TF1* owner) : Page(owner, "TS5") {}
