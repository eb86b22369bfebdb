// The system services behind the General and About pages: the folder dialog of B01 and the
// web page of B13, each in the interface language.
#include "fixtures/app_fixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace tavrix::test;

namespace {

// Restores the real folder dialog and URL handler after a test replaced them.
struct ReplacedServices {
    ~ReplacedServices() {
        TF1::setFolderChooser({});
        TF1::setUrlOpener({});
        Language::setEnglish(false);
    }
};

}  // namespace

TEST(GeneralPage, TheFolderDialogStartsAtHomeAndAChoiceReplacesThePathUnsaved) {
    TempDir dir;
    writeSettings();
    ReportRecorder recorder;
    ReplacedServices services;
    auto window = startWindow();
    const std::string afterStart = readFile("tavrix.ini");
    auto* path = control<QLineEdit>(*window, "E1");
    QString prompt;
    QString startFolder;
    TF1::setFolderChooser([&](const QString& p, const QString& start) {
        prompt = p;
        startFolder = start;
        return QString();
    });
    QTest::mouseClick(control<QPushButton>(*window, "B01"), Qt::LeftButton);
    EXPECT_EQ(prompt, QString::fromUtf8("롬 경로 선택:"));
    EXPECT_EQ(startFolder, QDir::homePath());
    EXPECT_NE(startFolder, QDir::currentPath());
    EXPECT_EQ(path->text(), ".\\roms") << "cancelled";
    TF1::setFolderChooser([](const QString&, const QString&) { return QStringLiteral("/data/romsets"); });
    QTest::mouseClick(control<QPushButton>(*window, "B01"), Qt::LeftButton);
    EXPECT_EQ(path->text(), "/data/romsets");
    EXPECT_EQ(window->model().general.romsDirectory(), "/data/romsets");
    EXPECT_EQ(readFile("tavrix.ini"), afterStart);
    EXPECT_TRUE(recorder.reports.isEmpty());
}

TEST(AboutPage, TheWebPageInTheInterfaceLanguage) {
    for (const bool english : {true, false}) {
        TempDir dir;
        writeSettings(english ? "english-version=1\r\n" : "");
        ReportRecorder recorder;
        ReplacedServices services;
        auto window = startWindow();
        QList<QUrl> opened;
        TF1::setUrlOpener([&](const QUrl& url) { opened << url; });
        window->model().showPage(tavrix::kAboutPage);
        QTest::mouseClick(control<QPushButton>(*window, "B13"), Qt::LeftButton);
        EXPECT_EQ(opened, QList<QUrl>{QUrl(QString::fromLatin1(english ? "https://tavrix.example.org/en/"
                                                                        : "https://tavrix.example.org/ko/"))});
        EXPECT_EQ(window->model().currentPage(), tavrix::kAboutPage);
    }
}
