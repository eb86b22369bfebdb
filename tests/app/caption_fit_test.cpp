// Every caption of the window shows whole in both languages, at the display scale the test
// program runs at (CTest runs it at the scale factors 1, 1.25 and 1.5), and no control lies over
// another unless its table puts it there.
#include "app/language_panel.h"
#include "core/layout_rules.h"
#include "fixtures/app_fixture.h"

#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace tavrix;
using namespace tavrix::test;

namespace {

const FormLayout* const kTables[] = {&mainWindowLayout(), &gameInfoPageLayout(), &generalPageLayout(),
                                     &videoPageLayout(),  &soundPageLayout(),    &controlsPageLayout(),
                                     &aboutPageLayout(),  &languagePanelLayout()};

// A line as a label draws it, with the fallback faces that its characters need.
TextExtent textExtent(const QWidget* control, const std::string& text) {
    QWidget* shown = const_cast<QWidget*>(control);
    if (auto* tabs = qobject_cast<QTabWidget*>(shown)) shown = tabs->tabBar();
    QTextLayout layout(QString::fromStdString(text), shown->font());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return {static_cast<int>(std::ceil(line.naturalTextWidth())), static_cast<int>(std::ceil(line.height()))};
}

// What the style draws beside the captions of the window's controls.
CaptionFurniture furnitureOf(const TF1& window) {
    const QStyle* style = window.style();
    CaptionFurniture furniture;
    furniture.box = std::max(style->pixelMetric(QStyle::PM_IndicatorWidth) + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing),
                             style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                 style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
    furniture.buttonWidth = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin) / 2 + style->pixelMetric(QStyle::PM_DefaultFrameWidth));
    furniture.buttonHeight = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    furniture.groupTitle = 16;
    furniture.header = 2 * style->pixelMetric(QStyle::PM_HeaderMargin);
    furniture.tabRow = 2;  // the current tab's frame reaching beyond the row
    // Each tab is as wide as its caption and the padding the window's style sheet gives it.
    const QTabBar* tabs = window.findChild<QTabWidget*>(QStringLiteral("PC1"))->tabBar();
    for (int tab = 0; tab < tabs->count(); ++tab)
        furniture.tab = std::max(furniture.tab, tabs->tabRect(tab).width() - textExtent(tabs, tabs->tabText(tab).toStdString()).width);
    // The text field of a drop-down list, as the style lays it out.
    if (auto* list = window.findChild<QComboBox*>(QStringLiteral("CB18"))) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect field = style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        furniture.listWidth = list->width() - field.width() + 4;
        furniture.listHeight = list->height() - field.height();
    }
    return furniture;
}

}  // namespace

TEST(CaptionFit, EveryCaptionShowsWholeInBothLanguages) {
    for (const bool english : {false, true}) {
        TempDir dir;
        writeSettings(english ? "english-version=1\r\n" : "english-version=0\r\n");
        ReportRecorder recorder;
        auto window = startWindow();
        const CaptionFurniture furniture = furnitureOf(*window);
        for (const FormLayout* layout : kTables) {
            for (const CaptionRoom& room : captionRooms(*layout, english, kTableDpi, furniture)) {
                const QWidget* control = window->findChild<QWidget*>(QString::fromLatin1(room.control));
                ASSERT_NE(control, nullptr) << room.control;
                EXPECT_EQ(misfit(room, [&](const std::string& text) { return textExtent(control, text); }), "")
                    << room.control << (english ? " in English" : " in Korean") << " at scale "
                    << window->devicePixelRatioF();
            }
            // Every control at its place in its page, and none over another unless the table says so.
            auto find = [&](const char* name) { return window->findChild<QWidget*>(QString::fromLatin1(name)); };
            const QWidget* page = find(layout->controls.front().name)->parentWidget();
            auto placeOf = [&](const char* name) {
                const QPoint at = find(name)->mapTo(page, QPoint(0, 0));
                return Rect{at.x(), at.y(), find(name)->width(), find(name)->height()};
            };
            for (const ControlRow& a : layout->controls) {
                if (find(a.name) == nullptr) continue;  // the window draws it otherwise
                const Rect shown = placeOf(a.name), wanted = pagePlace(*layout, a.name);
                EXPECT_TRUE(shown.x == wanted.x && shown.y == wanted.y && shown.width == wanted.width &&
                            shown.height == wanted.height)
                    << a.name << ": " << shown.x << "," << shown.y << " " << shown.width << "x" << shown.height;
                for (const ControlRow& b : layout->controls)
                    if (&a < &b && find(b.name) != nullptr && overlap(shown, placeOf(b.name))) {
                        EXPECT_TRUE(overlap(wanted, pagePlace(*layout, b.name))) << a.name << " over " << b.name;
                    }
            }
        }
        EXPECT_TRUE(recorder.reports.isEmpty()) << recorder.reports.join("|").toStdString();
    }
}
