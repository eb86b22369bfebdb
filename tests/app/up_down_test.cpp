// The up-down arrows beside an edit box: steps within the range from whatever the box holds.
#include "app/up_down.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

TEST(UpDown, StepsTheNumberInTheBoxWithinItsRange) {
    QWidget parent;
    auto* box = new QLineEdit(&parent);
    UpDown upDown(box, &parent);
    upDown.setRange(0, 99);
    upDown.setPosition(40);
    EXPECT_EQ(box->text(), "40");

    QTest::mouseClick(upDown.upButton(), Qt::LeftButton);
    EXPECT_EQ(box->text(), "41");
    box->setText("99");
    upDown.step(1);
    EXPECT_EQ(box->text(), "99");
    EXPECT_EQ(upDown.position(), 99);
    box->setText("0");
    QTest::mouseClick(upDown.downButton(), Qt::LeftButton);
    EXPECT_EQ(box->text(), "0");

    // Typed text is never checked; a step from it starts at the last position.
    box->setText("abc");
    EXPECT_EQ(box->text(), "abc");
    upDown.step(-1);
    EXPECT_EQ(box->text(), "0");
    box->setText("500");
    upDown.step(-1);
    EXPECT_EQ(box->text(), "98") << "an out-of-range number is first brought into range";

    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->text(), "99");
    upDown.setRange(0, 1000);
    upDown.setPosition(2000);
    EXPECT_EQ(box->text(), "1000");
}
