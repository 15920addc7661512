// The frame and cylinder dimension dialogs, driven as a user would: focus
// changes, typed keys, button presses and clicks.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

#include "dialogs/CylinOut.h"
#include "dialogs/TevFrame.h"
#include "main/core/MainController.h"
#include "model/DynVars.h"
#include "model/Model.h"
#include "model/UnitConversion.h"

using namespace tevrane;

namespace {

const QColor kSilver(192, 192, 192);
const QColor kWhite(255, 255, 255);

class DimensionDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        initModel(m);
        initPanel(m, p);
        c = std::make_unique<MainController>(m, p);
        c->onPanelChanged = [this] { ++panelChanges; };
    }

    // Shows the dialog (as exec() would, without its nested loop) and waits
    // until it is the active window, so focus changes are delivered.
    static void open(QDialog& d) {
        d.show();
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    }

    // Puts the focus into box n, replaces its text by typing and leaves it by
    // carriage return.
    static void typeAndReturn(DimensionDialog& d, int n, const char* text) {
        QLineEdit* e = d.edit(n);
        e->setFocus(Qt::TabFocusReason);
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }

    Model m;
    Panel p;
    std::unique_ptr<MainController> c;
    int panelChanges = 0;
};

bool anyDarkPixel(const QImage& img, const QRect& r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 128) return true;
    return false;
}

}  // namespace

TEST_F(DimensionDialogs, FrameLayoutAndOpening) {
    TFrameDi d(m, *c);
    EXPECT_EQ(d.windowTitle(), "Frame Dimensions");
    EXPECT_EQ(d.size(), QSize(386, 192));
    open(d);
    EXPECT_EQ(QApplication::focusWidget(), d.closeButton());
    EXPECT_EQ(d.closeButton()->text(), "Close");
    EXPECT_EQ(d.closeButton()->geometry(), QRect(288, 160, 89, 25));
    EXPECT_EQ(d.resetButton()->text(), "ResetFrameDim");
    EXPECT_EQ(d.resetButton()->geometry(), QRect(288, 136, 89, 25));
    for (int n = 1; n <= 21; ++n) {
        QLineEdit* e = d.edit(n);
        ASSERT_NE(e, nullptr);
        const int row = n <= 11 ? n - 1 : n - 12;
        EXPECT_EQ(e->geometry(), QRect(n <= 11 ? 146 : 342, 13 * row, 40, 13)) << n;
        EXPECT_FALSE(e->hasFrame());
        EXPECT_EQ(e->palette().color(QPalette::Base), n <= 19 ? kSilver : kWhite) << n;
        QPushButton* b = d.smallButton(n);
        EXPECT_EQ(b->geometry(), QRect(n <= 11 ? 0 : 194, 13 * row, 8, 13)) << n;
        EXPECT_TRUE(b->text().isEmpty());
    }
    EXPECT_EQ(d.edit(22), nullptr);
    EXPECT_EQ(d.edit(1)->text(), "7.000");
    EXPECT_EQ(d.edit(11)->text(), "10.000");
    EXPECT_EQ(d.edit(18)->text(), "0.300");
    EXPECT_EQ(d.edit(21)->text(), "1.200");

    // The gray boxes really show silver, the travel boxes the window colour.
    const QImage shot = d.grab().toImage();
    EXPECT_EQ(shot.pixelColor(146 + 38, 13 * 2 + 6), kSilver);
    EXPECT_EQ(shot.pixelColor(342 + 38, 13 * 8 + 6), kWhite);

    // Labels are on the surface: "Reverse Arm  (Link Upper)" starts at x 204.
    EXPECT_TRUE(anyDarkPixel(d.surface(), QRect(204, 0, 60, 13)));
    EXPECT_FALSE(anyDarkPixel(d.surface(), QRect(194, 0, 9, 13 * 10)));

    // Every activation refills the boxes and draws at the current text scale.
    d.hide();
    m.stroke = 4.5f;
    m.driverDiameter = 1234567.5f;
    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    open(d);
    EXPECT_EQ(d.edit(2)->text(), "4.500");
    EXPECT_EQ(d.edit(1)->text(), "1234567.50");
    EXPECT_FALSE(anyDarkPixel(d.surface(), QRect(200, 0, 58, 13)));
    EXPECT_TRUE(anyDarkPixel(d.surface(), QRect(259, 0, 60, 13)));
}

TEST_F(DimensionDialogs, TypedValueAndReturnRecordOneEntryAndStayOpen) {
    TFrameDi d(m, *c);
    bool visibleAfterReturn = false;
    bool focusOnClose = false;
    QTimer::singleShot(0, &d, [&] {
        if (QTest::qWaitForWindowActive(&d)) {
            typeAndReturn(d, 3, "9.5");
            QApplication::processEvents();
            visibleAfterReturn = d.isVisible();
            focusOnClose = QApplication::focusWidget() == d.closeButton();
        }
        d.done(QDialog::Rejected);
    });
    d.exec();
    EXPECT_TRUE(visibleAfterReturn);
    EXPECT_TRUE(focusOnClose);
    EXPECT_EQ(m.mainRodLength, 9.5f);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).id, 3);
    EXPECT_EQ(m.undoHistory.record(1).before, 9.0f);
    EXPECT_EQ(m.undoHistory.record(1).after, 9.5f);
    EXPECT_EQ(m.undoHistory.record(1).name, "Main Rod");
    EXPECT_EQ(m.undoHistory.record(2).id, 0);
    EXPECT_TRUE(m.undoButtonsEnabled);
    EXPECT_EQ(m.dynVarId[1], 3);
    EXPECT_FALSE(m.editPending);
}

TEST_F(DimensionDialogs, TabbingThroughAGrayBoxSelectsItWithoutRecording) {
    TFrameDi d(m, *c);
    open(d);
    d.edit(5)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(d.edit(5), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), d.edit(6));
    EXPECT_EQ(m.dynVarId[1], 5);
    EXPECT_EQ(m.dynVarName[1], "Main Rod Lug Horz");
    EXPECT_EQ(m.dynVarValue[1], 1.0f);
    EXPECT_EQ(m.mainRodLugHorz, 1.0f);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_EQ(m.undoHistory.record(1).id, 0);
    // Passing through the next box puts it in front; 5 moves to bar 2.
    QTest::keyClick(d.edit(6), Qt::Key_Tab);
    EXPECT_EQ(m.dynVarId[1], 6);
    EXPECT_EQ(m.dynVarId[2], 5);
    EXPECT_EQ(m.undoHistory.depth(), 0);
}

TEST_F(DimensionDialogs, DeletingOrPastingIsRecordedLikeTyping) {
    TFrameDi d(m, *c);
    open(d);
    // "9.000" loses its first character to Delete: ".000" is 0.
    QLineEdit* e = d.edit(3);
    e->setFocus(Qt::TabFocusReason);
    e->setCursorPosition(0);
    QTest::keyClick(e, Qt::Key_Delete);
    ASSERT_EQ(e->text(), ".000");
    d.edit(4)->setFocus(Qt::TabFocusReason);  // leaving without a typed key
    EXPECT_EQ(m.mainRodLength, 0.0f);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).id, 3);
    EXPECT_EQ(m.undoHistory.record(1).before, 9.0f);
    EXPECT_EQ(m.undoHistory.record(1).after, 0.0f);

    // A pasted value replaces the selected text of box 2.
    QApplication::clipboard()->setText(QStringLiteral("4.25"));
    e = d.edit(2);
    e->setFocus(Qt::TabFocusReason);
    e->selectAll();
    e->paste();
    ASSERT_EQ(e->text(), "4.25");
    d.edit(4)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(m.stroke, 4.25f);
    EXPECT_EQ(m.undoHistory.depth(), 2);
    EXPECT_EQ(m.undoHistory.record(1).id, 2);
    EXPECT_EQ(m.undoHistory.record(1).before, 3.0f);
    EXPECT_EQ(m.undoHistory.record(1).after, 4.25f);
    EXPECT_FALSE(m.editPending);
}

TEST_F(DimensionDialogs, PassingThroughKeepsValuesTheBoxCannotShowExactly) {
    m.valveLeverOffset = 0.3125f;
    TFrameDi d(m, *c);
    open(d);
    ASSERT_EQ(d.edit(18)->text(), "0.312");
    d.edit(18)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(d.edit(18), Qt::Key_Tab);
    EXPECT_EQ(m.dynVarId[1], 18);
    EXPECT_EQ(m.valveLeverOffset, 0.3125f);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    // Once typed in, the text is what counts (and the change is recorded).
    typeAndReturn(d, 18, "0.312");
    EXPECT_EQ(m.valveLeverOffset, 0.312f);
    EXPECT_EQ(m.undoHistory.record(1).before, 0.3125f);
    EXPECT_EQ(m.undoHistory.record(1).after, 0.312f);
}

TEST_F(DimensionDialogs, KeyFilterRefusesSecondSignsAndLetters) {
    TFrameDi d(m, *c);
    open(d);
    QLineEdit* e = d.edit(1);
    e->setFocus(Qt::TabFocusReason);
    e->selectAll();
    QTest::keyClicks(e, "1.5.2");
    EXPECT_EQ(e->text(), "1.52");
    QTest::keyClicks(e, "-");
    QTest::keyClicks(e, "-");
    EXPECT_EQ(e->text(), "1.52-");
    QTest::keyClicks(e, "abc XYZ,+e");
    EXPECT_EQ(e->text(), "1.52-");
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClick(e, Qt::Key_Home);
    QTest::keyClicks(e, "-");
    EXPECT_EQ(e->text(), "-1.52");
    EXPECT_TRUE(m.editPending);

    // Typing in the travel boxes does not count as an edit for the history.
    m.editPending = false;
    QLineEdit* norm = d.edit(20);
    norm->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(norm, "5");
    EXPECT_FALSE(m.editPending);
    EXPECT_EQ(m.dynVarId[1], 1);  // box 1 was left when the focus moved
    EXPECT_EQ(m.driverDiameter, -1.52f);
}

TEST_F(DimensionDialogs, NormAboveMaxBecomesMaxAndClampsPositions) {
    m.revArmSet[5] = 7.0f;
    m.revArmSet[6] = 3.0f;
    TFrameDi d(m, *c);
    open(d);
    typeAndReturn(d, 20, "2");
    EXPECT_EQ(m.revArmNormal, 1.2f);
    EXPECT_EQ(m.revArmSet[5], 5.24f + 1.2f);
    EXPECT_EQ(m.revArmSet[6], 5.24f - 1.2f);
    EXPECT_EQ(m.revArmSet[2], 6.24f);
    for (int i : {4, 7, 8, 9}) EXPECT_EQ(m.revArmSet[i], 0.0f) << i;
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_EQ(m.dynVarId[1], 0);
    EXPECT_TRUE(d.isVisible());
}

TEST_F(DimensionDialogs, MaxSetsTheReverseArmBarRange) {
    TFrameDi d(m, *c);
    open(d);
    EXPECT_EQ(p.bar(Bar::RevArm).min, -1200);
    EXPECT_EQ(p.bar(Bar::RevArm).max, 1200);
    const int before = panelChanges;
    typeAndReturn(d, 21, "2.5");
    EXPECT_EQ(m.revArmMax, 2.5f);
    EXPECT_EQ(p.bar(Bar::RevArm).min, -2500);
    EXPECT_EQ(p.bar(Bar::RevArm).max, 2500);
    EXPECT_GT(panelChanges, before);
    // Below the normal travel it becomes the normal travel.
    typeAndReturn(d, 21, "0.5");
    EXPECT_EQ(m.revArmMax, 1.0f);
    EXPECT_EQ(p.bar(Bar::RevArm).max, 1000);
}

TEST_F(DimensionDialogs, FrameResetOnPressAndOnClick) {
    TFrameDi d(m, *c);
    open(d);
    typeAndReturn(d, 3, "12");
    typeAndReturn(d, 15, "6");
    typeAndReturn(d, 21, "2.5");
    ASSERT_EQ(m.undoHistory.depth(), 2);
    ASSERT_EQ(p.bar(Bar::RevArm).max, 2500);

    // The press already restores the defaults, the bar range and the slots ...
    QTest::mousePress(d.resetButton(), Qt::LeftButton);
    EXPECT_EQ(m.mainRodLength, 9.0f);
    EXPECT_EQ(m.pivotX[5], 5.24f);
    EXPECT_EQ(m.revArmMax, 1.2f);
    EXPECT_EQ(p.bar(Bar::RevArm).max, 1200);
    EXPECT_EQ(p.bar(Bar::RevArm).min, -1200);
    for (int k = 0; k <= 4; ++k) {
        EXPECT_EQ(m.dynVarId[k], 0);
        EXPECT_EQ(m.dynVarName[k], kEmptySlotName);
    }
    EXPECT_EQ(m.dynStep, 0.0f);
    EXPECT_EQ(d.edit(3)->text(), "9.000");
    EXPECT_EQ(d.edit(21)->text(), "1.200");
    // ... but only the click empties the history.
    EXPECT_EQ(m.undoHistory.depth(), 2);
    EXPECT_TRUE(m.undoButtonsEnabled);
    QTest::mouseRelease(d.resetButton(), Qt::LeftButton);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_EQ(m.undoHistory.record(1).id, 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
    EXPECT_TRUE(d.isVisible());
}

TEST_F(DimensionDialogs, CylinderResetLeavesFrameAndBarAlone) {
    m.mainRodLength = 10.0f;
    m.revArmMax = 2.5f;
    c->setRevArmRangeFromModel();
    TCylDimen d(m, *c);
    open(d);
    typeAndReturn(d, 1, "20");
    typeAndReturn(d, 2, "0.75");
    ASSERT_EQ(m.undoHistory.depth(), 2);
    ASSERT_EQ(m.pivotY[4], 0.75f + 2.062f);
    QTest::mouseClick(d.resetButton(), Qt::LeftButton);
    EXPECT_EQ(m.cyl.cylCentreToDriver, 16.0f);
    EXPECT_EQ(m.pivotY[3], 0.0f);
    EXPECT_EQ(m.pivotY[4], 2.062f);
    EXPECT_EQ(m.mainRodLength, 10.0f);
    EXPECT_EQ(m.revArmMax, 2.5f);
    EXPECT_EQ(p.bar(Bar::RevArm).max, 2500);
    for (int k = 0; k <= 4; ++k) EXPECT_EQ(m.dynVarId[k], 0);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
    EXPECT_EQ(d.edit(1)->text(), "16.000");
    EXPECT_EQ(d.edit(2)->text(), "0.000");
}

TEST_F(DimensionDialogs, CylinderLineHeightMovesTheValveStem) {
    TCylDimen d(m, *c);
    EXPECT_EQ(d.windowTitle(), "Cylinder Dimensions");
    EXPECT_EQ(d.size(), QSize(386, 230));
    open(d);
    EXPECT_EQ(QApplication::focusWidget(), d.closeButton());
    EXPECT_EQ(d.resetButton()->text(), "ResetCylDim");
    EXPECT_EQ(d.resetButton()->geometry(), QRect(294, 168, 90, 25));
    EXPECT_EQ(d.closeButton()->geometry(), QRect(294, 192, 90, 25));
    for (int n = 1; n <= 22; ++n)
        EXPECT_EQ(d.edit(n)->palette().color(QPalette::Base), kSilver) << n;
    EXPECT_EQ(d.edit(22)->text(), "4.550");
    typeAndReturn(d, 2, "1");
    EXPECT_EQ(m.pivotY[3], 1.0f);
    EXPECT_EQ(m.pivotY[4], 3.062f);
    typeAndReturn(d, 9, "2");
    EXPECT_EQ(m.pivotY[4], 3.0f);
    EXPECT_EQ(m.undoHistory.depth(), 2);
    EXPECT_EQ(m.undoHistory.record(1).name, "Valve Stem CL to Cyl CL");
    EXPECT_EQ(m.dynVarId[1], 109);
    EXPECT_EQ(m.dynVarId[2], 102);
}

TEST_F(DimensionDialogs, SmallButtonsSetTheHighlightedDimension) {
    TFrameDi f(m, *c);
    open(f);
    for (int n : {1, 12, 20, 21}) {
        QTest::mouseClick(f.smallButton(n), Qt::LeftButton);
        EXPECT_EQ(m.pointerDim, n);
    }
    f.hide();
    TCylDimen d(m, *c);
    open(d);
    EXPECT_EQ(d.smallButton(6)->geometry(), QRect(0, 65, 8, 26));
    EXPECT_EQ(d.smallButton(22)->geometry(), QRect(194, 117, 8, 26));
    EXPECT_EQ(d.smallButton(7)->geometry(), QRect(0, 91, 8, 13));
    for (int n : {6, 1, 22}) {
        QTest::mouseClick(d.smallButton(n), Qt::LeftButton);
        EXPECT_EQ(m.pointerDim, 100 + n);
    }
    // Clicking a small button leaves the box being edited first.
    d.edit(4)->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(d.edit(4), "5");
    QTest::mouseClick(d.smallButton(4), Qt::LeftButton);
    EXPECT_EQ(m.pointerDim, 104);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).id, 104);
}

TEST_F(DimensionDialogs, CloseRecentresAndClosesEscapeDoesNot) {
    TFrameDi d(m, *c);
    open(d);
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_TRUE(d.isVisible());
    c->setBarPosition(Bar::RevArm, 300);
    ASSERT_EQ(p.bar(Bar::RevArm).position, 300);
    m.frontCutoffText = "  25.0";
    m.rearCutoffText = "  27.0";
    typeAndReturn(d, 15, "5.5");  // link pivot horizontal position
    const int before = panelChanges;
    QTest::mouseClick(d.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(m.revArmSet[0], 5.5f);
    EXPECT_EQ(m.revArmSet[2], 6.5f);
    EXPECT_EQ(m.revArmSet[3], 4.5f);
    EXPECT_EQ(m.revArmPos, 5.5f);
    EXPECT_EQ(m.pivotX[18], 5.5f);
    EXPECT_EQ(p.bar(Bar::RevArm).position, 0);
    EXPECT_TRUE(m.frontCutoffText.empty());
    EXPECT_TRUE(m.rearCutoffText.empty());
    EXPECT_GT(panelChanges, before);
}

TEST_F(DimensionDialogs, ClosingByTheWindowFrameKeepsTheTypedValueAndRecentres) {
    TFrameDi d(m, *c);
    open(d);
    c->setBarPosition(Bar::RevArm, 300);
    m.frontCutoffText = "  25.0";
    m.rearCutoffText = "  27.0";
    // Typed into the link pivot's box and not left: the frame's close button
    // (or Alt+F4) sends the close event.
    QLineEdit* e = d.edit(15);
    e->setFocus(Qt::TabFocusReason);
    e->selectAll();
    QTest::keyClicks(e, "5.5");
    d.close();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(m.pivotX[5], 5.5f);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).id, 15);
    EXPECT_EQ(m.undoHistory.record(1).after, 5.5f);
    EXPECT_FALSE(m.editPending);
    // Then what "Close" does.
    EXPECT_EQ(m.revArmSet[0], 5.5f);
    EXPECT_EQ(m.revArmPos, 5.5f);
    EXPECT_EQ(p.bar(Bar::RevArm).position, 0);
    EXPECT_TRUE(m.frontCutoffText.empty());
    EXPECT_TRUE(m.rearCutoffText.empty());

    // A reject ends the same way, here in the cylinder dialog.
    c->setBarPosition(Bar::RevArm, -200);
    m.frontCutoffText = "  25.0";
    TCylDimen cyl(m, *c);
    open(cyl);
    e = cyl.edit(1);
    e->setFocus(Qt::TabFocusReason);
    e->selectAll();
    QTest::keyClicks(e, "20");
    const int before = panelChanges;
    cyl.reject();
    EXPECT_FALSE(cyl.isVisible());
    EXPECT_EQ(m.cyl.cylCentreToDriver, 20.0f);
    EXPECT_EQ(m.undoHistory.depth(), 2);
    EXPECT_EQ(m.undoHistory.record(1).id, 101);
    EXPECT_EQ(p.bar(Bar::RevArm).position, 0);
    EXPECT_TRUE(m.frontCutoffText.empty());
    EXPECT_GT(panelChanges, before);
}

// A caption of its own names the design's unit under the hints, clear of
// every label, box and button; the table's labels stay as they are.
TEST_F(DimensionDialogs, ACaptionNamesTheDesignsLengthUnit) {
    TFrameDi frame(m, *c);
    open(frame);
    EXPECT_EQ(frame.unitCaption()->text(), "All lengths in inches (in)");
    for (QWidget* w : frame.findChildren<QWidget*>()) {
        if (w != frame.unitCaption() && w->isVisible()) {
            EXPECT_FALSE(w->geometry().intersects(frame.unitCaption()->geometry())) << w->objectName().toStdString();
        }
    }
    EXPECT_LE(frame.unitCaption()->geometry().bottom(), frame.height());
    frame.reject();
    m.lengthUnit = LengthUnit::Millimetre;
    TCylDimen cyl(m, *c);
    open(cyl);
    EXPECT_EQ(cyl.unitCaption()->text(), "All lengths in millimetres (mm)");
    EXPECT_LE(cyl.unitCaption()->geometry().bottom(), cyl.height());
    cyl.reject();
}

// Every box shows the whole of its value, in inches and in millimetres, at
// the normal and the large font: a value cut at the box's edge ("133.09"
// for 133.096) reads as another number. The boxes are made for inch values
// such as "-12.345"; no text may be wider than that.
TEST_F(DimensionDialogs, EveryBoxShowsItsWholeValue) {
    for (LengthUnit unit : {LengthUnit::Inch, LengthUnit::Millimetre}) {
        if (unit == LengthUnit::Millimetre) convertDesign(m, LengthUnit::Millimetre);
        for (bool large : {false, true}) {
            m.fontScaleX = large ? 1.27f : 1.0f;
            m.fontScaleY = large ? 1.22f : 1.0f;
            for (int which = 0; which < 2; ++which) {
                std::unique_ptr<DimensionDialog> d;
                if (which == 0) {
                    d = std::make_unique<TFrameDi>(m, *c);
                } else {
                    d = std::make_unique<TCylDimen>(m, *c);
                }
                open(*d);
                const auto boxes = d->findChildren<QLineEdit*>();
                ASSERT_GE(boxes.size(), 10);
                for (const QLineEdit* e : boxes) {
                    const QFontMetrics metrics(e->font());
                    EXPECT_LE(metrics.horizontalAdvance(e->text()), metrics.horizontalAdvance("-12.345"))
                        << (which ? "cylinder" : "frame") << " box \"" << e->text().toStdString() << "\" "
                        << unitSymbol(unit) << (large ? " large" : "");
                }
                d->reject();
            }
        }
    }
}
