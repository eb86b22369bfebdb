#include "app/about_page.h"

#include "app/form_builder.h"
#include "app/main_window.h"
#include "core/about_page_model.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>

namespace {
AboutPage::UrlOpener urlOpener;
}  // namespace

const QUrl AboutPage::kEnglishWebPage(QString::fromLatin1(tavrix::kEnglishWebPage));
const QUrl AboutPage::kKoreanWebPage(QString::fromLatin1(tavrix::kKoreanWebPage));

void AboutPage::setUrlOpener(UrlOpener opener) {
    urlOpener = std::move(opener);
}

AboutPage::AboutPage(TF1* owner) : Page(owner, "TS5") {
    CreateWidgets();
    ConnectWidgets();
}

void AboutPage::CreateWidgets() {
    buildForm(this, tavrix::aboutPageLayout(), book);
    TAVRIX_BIND(L77), TAVRIX_BIND(L78), TAVRIX_BIND(B08), TAVRIX_BIND(B13);
}

void AboutPage::ConnectWidgets() {
    connect(B08, &QPushButton::clicked, this, [this] { B08Click(); });
    connect(B13, &QPushButton::clicked, this, [this] { B13Click(); });
}

void AboutPage::B08Click() {
    form->showPage(0);
}

void AboutPage::B13Click() {
    const QUrl page(QString::fromLatin1(tavrix::webPageAddress(Language::english())));
    // The result is not checked: a desktop without a browser is not an error of ours.
    if (urlOpener) urlOpener(page);
    else QDesktopServices::openUrl(page);
}
