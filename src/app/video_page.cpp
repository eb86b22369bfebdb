#include "app/video_page.h"

VideoPage::VideoPage(TF1* owner) : Page(owner, "TS3") {}
