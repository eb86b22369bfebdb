#pragma once
// The About page: the program's name and version, a button back to the Game Info page and one
// that opens the project's web page in the user's browser.
#include "win32/page.h"

namespace tavrix::win32 {

class AboutPage : public Page {
public:
    explicit AboutPage(PageHost& host);

protected:
    void command(const char* name, int code) override;
};

}  // namespace tavrix::win32
