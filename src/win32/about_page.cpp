#include "win32/about_page.h"

#include "core/about_page_model.h"
#include "win32/page_index.h"

#include <shellapi.h>

#include <string_view>

namespace tavrix::win32 {

AboutPage::AboutPage(PageHost& host) : Page(host, &aboutPageLayout()) {}

void AboutPage::command(const char* name, int code) {
    if (code != BN_CLICKED) return;
    if (std::string_view(name) == "B08") host.showPage(kGameInfoPage);
    // The result is not checked: a system without a browser is not an error of ours.
    if (std::string_view(name) == "B13")
        ShellExecuteW(window(), L"open", wide(webPageAddress(english())).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tavrix::win32
