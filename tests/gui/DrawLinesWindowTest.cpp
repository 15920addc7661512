// The draw-lines window driven as a user would: its layout at both fonts, the
// radio groups, the row boxes' key filter and the close and reopen of a pivot
// pick.
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "dialogs/Line.h"
#include "model/Model.h"
#include "platform/Sound.h"

using namespace tevrane;

namespace {

const QColor kAqua(0, 255, 255);
const QColor kWhite(255, 255, 255);
const QColor kSilver(192, 192, 192);

class DrawLinesWindow : public ::testing::Test {
protected:
    void SetUp() override {
        initModel(m);
        m.pivotY[19] = 1.0f, m.pivotX[19] = 2.0f;  // reference points away from the origin
        m.pivotY[20] = 3.0f, m.pivotX[20] = 4.0f;
    }
    static void open(QDialog& d) {
        d.show();
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    }
    static QColor panelColour(const TDrawLines& d, int r) {
        return d.rowPanel(r)->palette().color(QPalette::Window);
    }

    Model m;
    RecordingSound sound;
};

TEST_F(DrawLinesWindow, LayoutAtBothFonts) {
    TDrawLines d(m, m, sound);
    open(d);
    EXPECT_EQ(d.windowTitle(), "Draw Lines");
    EXPECT_EQ(d.size(), QSize(592, 501));
    EXPECT_EQ(d.typeGroup()->title(), "  Type    ");
    EXPECT_EQ(d.colourGroup()->title(), "  Color  ");
    EXPECT_EQ(d.refGroup()->title(), "  Referenced to  ");
    EXPECT_EQ(d.colourButton(3)->text(), "Yellow");
    EXPECT_EQ(d.refButton(3)->text(), "Piv1/Piv2");
    EXPECT_EQ(d.typeGroup()->palette().color(QPalette::Window), kSilver);
    EXPECT_FALSE(d.drawCloseButton()->isEnabled());
    EXPECT_EQ(d.clearLineButton()->text(), "Clear Line");
    for (int r = 1; r <= 20; ++r) {
        EXPECT_EQ(d.rowPanel(r)->size(), QSize(480, 16)) << r;
        if (r > 1) {
            EXPECT_EQ(d.rowPanel(r)->y() - d.rowPanel(r - 1)->y(), 17) << r;
        }
        EXPECT_EQ(d.itemLabel(r)->text(), QString::number(r));
        EXPECT_EQ(d.box(r, 0)->palette().color(QPalette::Base), kSilver);
        EXPECT_EQ(panelColour(d, r), r == 1 ? kAqua : kWhite) << r;
    }
    // Nothing runs past the window's edge.
    EXPECT_LE(d.rowPanel(20)->geometry().bottom(), d.height());
    EXPECT_LE(d.closeButton()->geometry().right(), d.width());
    d.hide();

    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    open(d);
    EXPECT_EQ(d.size(), QSize(752, 611));
    EXPECT_EQ(d.font().pixelSize(), 17);
    for (int r = 2; r <= 20; ++r)  // a white pixel between any two rows
        EXPECT_LT(d.rowPanel(r - 1)->geometry().bottom() + 1, d.rowPanel(r)->y()) << r;
    EXPECT_LE(d.rowPanel(20)->geometry().bottom(), d.height());
}

TEST_F(DrawLinesWindow, ChoicesFillTheRowAndACirclesThirdBoxTakesNoKey) {
    TDrawLines d(m, m, sound);
    open(d);
    QTest::mouseClick(d.typeButton(1), Qt::LeftButton);
    QTest::mouseClick(d.colourButton(2), Qt::LeftButton);
    EXPECT_EQ(d.typeLabel(1)->text(), "Circle");
    EXPECT_EQ(d.colourLabel(1)->text(), "Green");
    EXPECT_EQ(m.drawLinesTypeChoice, 1);
    EXPECT_EQ(m.drawLinesColourChoice, 2);

    d.box(1, 2)->setFocus();
    QTest::keyClicks(d.box(1, 2), "12");
    QTest::keyClick(d.box(1, 2), Qt::Key_Delete);
    EXPECT_EQ(d.box(1, 2)->text(), "");
    d.box(1, 1)->setFocus();
    QTest::keyClicks(d.box(1, 1), "-1.5x-.2");
    QTest::keyClick(d.box(1, 1), Qt::Key_Return);
    EXPECT_EQ(d.box(1, 1)->text(), "-1.52");
    EXPECT_TRUE(d.isVisible());  // Return neither closes nor presses a button
    d.box(1, 3)->setFocus();     // leaving the box stores it
    EXPECT_EQ(m.lineX1[1], -1.52f);

    // "0,0" completes the choice; the circle gets its radius on "Draw Close".
    QTest::mouseClick(d.refButton(0), Qt::LeftButton);
    ASSERT_TRUE(d.drawCloseButton()->isEnabled());
    QTest::mouseClick(d.drawCloseButton(), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.box(1, 3)->text(), "  2.828");  // (1, 2) to (3, 4)
    EXPECT_EQ(d.box(1, 2)->text(), "");
    EXPECT_FALSE(d.typeButton(1)->isChecked());
    EXPECT_EQ(sound.beeps, 0);

    // A colour before a type beeps and is taken back.
    open(d);
    EXPECT_EQ(panelColour(d, 2), kAqua);
    QTest::mouseClick(d.colourButton(1), Qt::LeftButton);
    EXPECT_EQ(sound.beeps, 1);
    EXPECT_FALSE(d.colourButton(1)->isChecked());
    // An item number makes its row current.
    QTest::mouseClick(d.itemLabel(7), Qt::LeftButton);
    EXPECT_EQ(m.lineCount, 7);
    EXPECT_EQ(panelColour(d, 7), kAqua);
    EXPECT_EQ(panelColour(d, 2), kWhite);
}

TEST_F(DrawLinesWindow, APivotPickClosesTheWindowAndTheChoicesSurviveTheReopen) {
    TDrawLines d(m, m, sound);
    m.pivotY[7] = 1.5f, m.pivotX[7] = 2.5f;
    open(d);
    QTest::mouseClick(d.typeButton(0), Qt::LeftButton);
    QTest::mouseClick(d.colourButton(4), Qt::LeftButton);
    QTest::mouseClick(d.refButton(1), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(m.drawLinesPick);
    EXPECT_EQ(m.lineCount, 0);

    // The user picks pivot 7 in the main window, which opens the window again.
    m.pivotY[19] = 1.5f, m.pivotX[19] = 2.5f;
    open(d);
    EXPECT_EQ(m.lineCount, 1);
    EXPECT_EQ(m.linePivotA[1], 7.0f);
    EXPECT_TRUE(d.typeButton(0)->isChecked());
    EXPECT_TRUE(d.colourButton(4)->isChecked());
    EXPECT_TRUE(d.refButton(1)->isChecked());
    EXPECT_EQ(d.refLabel(1)->text(), "Pivot1");
    EXPECT_EQ(panelColour(d, 1), kAqua);
    QTest::mouseClick(d.drawCloseButton(), Qt::LeftButton);
    EXPECT_EQ(d.box(1, 0)->text(), " -0.500");
    EXPECT_FALSE(m.drawLinesPick);

    // The window frame's close ends a choice as "Close" does.
    open(d);
    QTest::mouseClick(d.typeButton(0), Qt::LeftButton);
    d.close();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(m.drawLinesTypeChoice, -1);
    open(d);
    EXPECT_EQ(m.lineCount, 2);
    EXPECT_FALSE(d.typeButton(0)->isChecked());
}

}  // namespace
