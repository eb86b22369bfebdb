#pragma once
// TS5, About: the program's name and version, the credit lines, and the project's web page.
#include "app/page.h"

#include <QUrl>

#include <functional>

class QLabel;
class QPushButton;

class AboutPage : public Page {
    Q_OBJECT
public:
    explicit AboutPage(TF1* form);

    static const QUrl kEnglishWebPage;
    static const QUrl kKoreanWebPage;

    // Replaces the desktop's URL handler (tests).
    using UrlOpener = std::function<void(const QUrl&)>;
    static void setUrlOpener(UrlOpener opener);

    // The controls the tests reach; the page's layout table names every control.
    QLabel* L77;  // "Tavrix"
    QLabel* L78;  // the version
    QPushButton* B08;  // OK: back to Game Info
    QPushButton* B13;  // the web page

    void B08Click();
    void B13Click();

private:
    void CreateWidgets();
    void ConnectWidgets();
};
