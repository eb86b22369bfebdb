#include "app/sound_page.h"

SoundPage::SoundPage(TF1* owner) : Page(owner, "TS6") {}
