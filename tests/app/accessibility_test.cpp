// What a screen reader hears: every control it can reach has a name, in the interface language
// where the control has a caption, and each game's status is spoken, not only drawn.
#include "app/up_down.h"
#include "fixtures/app_fixture.h"
#include "fixtures/zip_builder.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace tavrix::test;

// Failures show the texts, not their bytes.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

QAccessibleInterface* accessible(QObject* object) {
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(interface, nullptr);
    return interface;
}

// The name a screen reader speaks. A list box's own name is its current item on this platform,
// so it is spoken by the label it is labelled by, or, where none stands beside it, by the name
// given to it.
QString spokenName(QWidget* widget) {
    QAccessibleInterface* interface = accessible(widget);
    if (qobject_cast<QComboBox*>(widget) == nullptr) return interface->text(QAccessible::Name);
    for (const auto& [label, relation] : interface->relations(QAccessible::Label))
        if (label->role() == QAccessible::StaticText) return label->text(QAccessible::Name);
    return widget->accessibleName();
}

// The visible controls under `root` that a user can reach and that have no spoken name.
QStringList unnamedControls(QWidget* root) {
    QStringList unnamed;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
                             qobject_cast<QLineEdit*>(widget);
        if (control && widget->isVisible() && spokenName(widget).trimmed().isEmpty())
            unnamed << widget->objectName() + "/" + widget->metaObject()->className() + " in " +
                           widget->parentWidget()->objectName();
    }
    return unnamed;
}

}  // namespace

TEST(Accessibility, EveryVisibleControlOfEveryPageIsNamedInTheInterfaceLanguage) {
    for (const bool english : {false, true}) {
        TempDir dir;
        writeSettings(english ? "english-version=1\r\n" : "english-version=0\r\n");
        ReportRecorder recorder;
        auto window = startWindow();
        auto* pages = control<QTabWidget>(*window, "PC1");
        for (int page = 0; page < pages->count(); ++page) {
            window->model().showPage(page);
            EXPECT_EQ(unnamedControls(pages->widget(page)), QStringList())
                << pages->widget(page)->objectName().toStdString() << " english " << english;
        }
        const auto arrows = [&](const char* name) { return control<UpDown>(*window, name); };
        const struct {
            QWidget* control;
            const char* korean;
            const char* english;
        } expected[] = {
            {arrows("UD2")->upButton(), "배율 올리기", "Multiplier up"},
            {arrows("UD2")->downButton(), "배율 내리기", "Multiplier down"},
            {control(*window, "E3"), "배율:", "Multiplier:"},
            {control(*window, "CB20"), "필터 차단 주파수", "Filter cutoff frequency"},
            {arrows("UD1")->upButton(), "프레임 올리기", "Frames up"},
            {control(*window, "E2"), "프레임", "frames"},
            {control(*window, "CB18"), "3D 인터페이스:", "3D interface:"},
            {control(*window, "E4"), "키 입력 받기", "Key capture"},
            {control(*window, "CB23"), "플레이어", "Player"},
            {control(*window, "B01"), "롬 경로 선택", "Select rom path"},
        };
        for (const auto& name : expected)
            EXPECT_EQ(spokenName(name.control), QString::fromUtf8(english ? name.english : name.korean));
        EXPECT_TRUE(recorder.reports.isEmpty());
    }

    // The first-start panel comes before any language is chosen: each flag speaks its own.
    TempDir dir;
    writeSettings("first-startup=1\r\n");
    ReportRecorder recorder;
    auto window = startWindow();
    auto* panel = control(*window, "P2");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(unnamedControls(panel), QStringList());
    EXPECT_EQ(spokenName(control(*window, "RB1")), QString::fromUtf8("한국어"));
    EXPECT_EQ(spokenName(control(*window, "RB2")), "English");
    EXPECT_EQ(accessible(control(*window, "I3"))->text(QAccessible::Name), "English");
    EXPECT_TRUE(accessible(control(*window, "I4"))->text(QAccessible::Name).endsWith("Select language"));
}

TEST(Accessibility, GameRowsSpeakTheirStatusBeforeAndAfterAScan) {
    // Status words by status number; 3 has no status picture and is not spoken.
    const char* const korean[] = {"롬셋 없음", "롬셋 불완전", "롬셋 완전", "", "검사 안 됨"};
    const char* const english[] = {"romset missing", "incomplete romset", "complete romset", "", "not checked"};
    // Each game's status before the scan (stored, or none) and after it (from the archives).
    const struct {
        const char* name;
        const char* archive;
        const char* roms;
        int before;
        int after;
    } games[] = {
        {"Full", "full", "Rom-1=a.bin:00000001\r\n", 4, 2},
        {"Half", "half", "Rom-1=a.bin:00000002\r\nRom-2=b.bin:00000003\r\n", 2, 1},
        {"Gone", "gone", "Rom-1=a.bin:00000004\r\n", 1, 0},
        {"Odd", "full", "Rom-1=a.bin:00000001\r\n", 3, 2},
    };
    for (const bool inEnglish : {false, true}) {
        TempDir dir;
        std::string ini = std::string("[Tavrix]\r\nenglish-version=") + (inEnglish ? "1" : "0") + "\r\n";
        QMap<QString, QString> before, after;
        for (int i = 0; i < 4; ++i) {
            const auto& game = games[i];
            ini += "[Game-" + std::to_string(i + 1) + "]\r\nGameName=" + game.name + "\r\nRomSetName=" +
                   game.archive + "\r\nParentRomSetName=none\r\nBiosName=none\r\n" + game.roms +
                   (game.before == 4 ? "" : "GameStatus=" + std::to_string(game.before) + "\r\n");
            const char* const* words = inEnglish ? english : korean;
            before[game.name] = QString::fromUtf8(words[game.before]);
            after[game.name] = QString::fromUtf8(words[game.after]);
        }
        writeFile("tavrix.ini", ini);
        writeFile("roms/full.zip", ZipBuilder().addFileWithCrc("a.bin", 1).build());
        writeFile("roms/half.zip", ZipBuilder().addFileWithCrc("a.bin", 2).build());
        ReportRecorder recorder;
        auto window = startWindow();

        // Each row's status as the list's accessible table gives it, by the row's spoken name.
        auto spokenStatuses = [&] {
            QAccessibleTableInterface* table = accessible(control(*window, "LV0"))->tableInterface();
            EXPECT_NE(table, nullptr);
            QMap<QString, QString> statuses;
            for (int row = 0; table != nullptr && row < table->rowCount(); ++row) {
                QAccessibleInterface* cell = table->cellAt(row, 0);
                statuses[cell->text(QAccessible::Name)] = cell->text(QAccessible::Description);
            }
            return statuses;
        };
        EXPECT_EQ(spokenStatuses(), before);
        window->model().scanRomsets();
        EXPECT_EQ(spokenStatuses(), after);
        EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
    }
}
