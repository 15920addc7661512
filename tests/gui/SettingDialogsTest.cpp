// The four setting dialogs working on a real model and main window controller:
// what "OK" leaves behind, that "Cancel" leaves nothing, and the key filters.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs/DrvAng.h"
#include "dialogs/GraphicZoom.h"
#include "dialogs/ReverPos.h"
#include "dialogs/StepAngle.h"
#include "main/core/MainController.h"
#include "main/core/Panel.h"
#include "model/Model.h"

using namespace tevrane;

namespace {

// Everything a setting dialog could touch, for before/after comparisons.
struct Snapshot {
    float driverAngle, stepAngle, selectedStep, revArmPos, graphicZoom;
    std::string direction, runCaption;
    bool stepBarArmed;
    int positions[kBarCount], smallChanges[kBarCount], largeChanges[kBarCount];
    bool enabled[kBarCount];

    bool operator==(const Snapshot& o) const {
        for (int i = 0; i < kBarCount; ++i)
            if (positions[i] != o.positions[i] || smallChanges[i] != o.smallChanges[i] ||
                largeChanges[i] != o.largeChanges[i] || enabled[i] != o.enabled[i])
                return false;
        return driverAngle == o.driverAngle && stepAngle == o.stepAngle &&
               selectedStep == o.selectedStep && revArmPos == o.revArmPos &&
               graphicZoom == o.graphicZoom && direction == o.direction &&
               runCaption == o.runCaption && stepBarArmed == o.stepBarArmed;
    }
};

class SettingDialogsTest : public ::testing::Test {
protected:
    SettingDialogsTest() : c(m, p) {
        initModel(m);
        initPanel(m, p);
        // One tick solves the linkage, as the running program has done long
        // before any dialog opens (it sets the gear signs).
        c.tick();
    }

    Snapshot snapshot() const {
        Snapshot s{};
        s.driverAngle = m.driverAngle;
        s.stepAngle = m.stepAngle;
        s.selectedStep = m.selectedStep;
        s.revArmPos = m.revArmPos;
        s.graphicZoom = m.graphicZoom;
        s.direction = m.direction;
        s.runCaption = p.runCaption;
        s.stepBarArmed = m.stepBarArmed;
        for (int i = 0; i < kBarCount; ++i) {
            s.positions[i] = p.bars[i].position;
            s.smallChanges[i] = p.bars[i].smallChange;
            s.largeChanges[i] = p.bars[i].largeChange;
            s.enabled[i] = p.bars[i].enabled;
        }
        return s;
    }

    // Opens the dialog as the main window would and types into its box.
    static void open(SettingDialog& d) {
        d.show();
        d.edit()->clear();
        d.edit()->setFocus();
    }
    static void type(SettingDialog& d, const char* keys) { QTest::keyClicks(d.edit(), keys); }
    static void clickOk(SettingDialog& d) { QTest::mouseClick(d.okButton(), Qt::LeftButton); }
    static void clickCancel(SettingDialog& d) { QTest::mouseClick(d.cancelButton(), Qt::LeftButton); }

    Model m;
    Panel p;
    MainController c;
};

}  // namespace

TEST_F(SettingDialogsTest, ShowingFillsTheBoxAndFocusesCancel) {
    TDrivAng drivAng(m, c);
    drivAng.show();
    EXPECT_EQ(drivAng.edit()->text(), "0.00");  // running
    EXPECT_EQ(drivAng.focusWidget(), drivAng.cancelButton());
    drivAng.hide();

    c.runClick();  // stop
    m.driverAngle = 97.126f;
    drivAng.show();
    EXPECT_EQ(drivAng.edit()->text(), "97.13");

    TStpAng stpAng(m, c);
    stpAng.show();
    EXPECT_EQ(stpAng.edit()->text(), "0.00");  // stopped: no running step
    EXPECT_EQ(stpAng.focusWidget(), stpAng.cancelButton());

    TGraphZoom graphZoom(m, c);
    graphZoom.show();
    EXPECT_EQ(graphZoom.edit()->text(), "7.50");
    EXPECT_EQ(graphZoom.focusWidget(), graphZoom.cancelButton());
}

TEST_F(SettingDialogsTest, DriverAngleOkStopsTheAnimationAtTheClampedAngle) {
    ASSERT_EQ(p.runCaption, "Stop");
    ASSERT_FLOAT_EQ(m.stepAngle, 10.0f);
    TDrivAng d(m, c);
    open(d);
    type(d, "400");
    clickOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(p.runCaption, "Run");
    EXPECT_FLOAT_EQ(m.stepAngle, 0.0f);
    EXPECT_FLOAT_EQ(m.driverAngle, 360.0f);
    EXPECT_TRUE(p.bar(Bar::DrvAng).enabled);
    EXPECT_EQ(p.bar(Bar::DrvAng).position, 36000);

    // Already stopped: it stays stopped and takes the new angle.
    open(d);
    type(d, "42.5");
    clickOk(d);
    EXPECT_EQ(p.runCaption, "Run");
    EXPECT_FLOAT_EQ(m.stepAngle, 0.0f);
    EXPECT_FLOAT_EQ(m.driverAngle, 42.5f);
    EXPECT_EQ(p.bar(Bar::DrvAng).position, 4250);
}

TEST_F(SettingDialogsTest, CancelChangesNothingNotEvenTheRunState) {
    TRevPos revPos(m, c);
    TDrivAng drivAng(m, c);
    TStpAng stpAng(m, c);
    TGraphZoom graphZoom(m, c);
    for (bool running : {true, false}) {
        if (!running) c.runClick();
        ASSERT_EQ(c.running(), running);
        for (SettingDialog* d : {static_cast<SettingDialog*>(&revPos), static_cast<SettingDialog*>(&drivAng),
                                 static_cast<SettingDialog*>(&stpAng),
                                 static_cast<SettingDialog*>(&graphZoom)}) {
            const Snapshot before = snapshot();
            open(*d);
            type(*d, "7");
            clickCancel(*d);
            EXPECT_EQ(d->result(), QDialog::Rejected);
            EXPECT_FALSE(d->isVisible());
            EXPECT_TRUE(snapshot() == before) << d->windowTitle().toStdString();
        }
    }
}

TEST_F(SettingDialogsTest, StepAngleOkWhileRunningKeepsRunningAtTheClampedStep) {
    TStpAng d(m, c);
    open(d);
    type(d, "100");
    clickOk(d);
    EXPECT_EQ(p.runCaption, "Stop");
    EXPECT_FLOAT_EQ(m.selectedStep, 45.0f);
    EXPECT_FLOAT_EQ(m.stepAngle, 45.0f);
    EXPECT_FALSE(p.bar(Bar::DrvAng).enabled);
    EXPECT_EQ(p.bar(Bar::StepAng).position, 14613);
    EXPECT_EQ(p.bar(Bar::DrvAng).smallChange, 4500);
    EXPECT_EQ(p.bar(Bar::DrvAng).largeChange, 22500);
    EXPECT_TRUE(m.stepBarArmed);
}

TEST_F(SettingDialogsTest, TypedStepIsNotSnappedToThePredefinedSteps) {
    // 7 lies in the bar's band of the predefined step 5 (position 11380).
    TStpAng d(m, c);
    open(d);
    type(d, "7");
    clickOk(d);
    EXPECT_EQ(p.bar(Bar::StepAng).position, 11380);
    EXPECT_FLOAT_EQ(m.selectedStep, 7.0f);
    EXPECT_FLOAT_EQ(m.stepAngle, 7.0f);
    EXPECT_EQ(p.bar(Bar::DrvAng).smallChange, 700);
    EXPECT_EQ(p.bar(Bar::DrvAng).largeChange, 3500);

    // The bar works normally again for the user's next move.
    c.setBarPosition(Bar::StepAng, 8000);
    EXPECT_FLOAT_EQ(m.selectedStep, 1.0f);
    EXPECT_FLOAT_EQ(m.stepAngle, 1.0f);
}

TEST_F(SettingDialogsTest, StepAngleOkWhileStoppedStaysStopped) {
    c.runClick();
    ASSERT_EQ(p.runCaption, "Run");
    TStpAng d(m, c);
    open(d);
    type(d, "2.5");
    clickOk(d);
    EXPECT_EQ(p.runCaption, "Run");
    EXPECT_FLOAT_EQ(m.stepAngle, 0.0f);
    EXPECT_FLOAT_EQ(m.selectedStep, 2.5f);
    EXPECT_TRUE(p.bar(Bar::DrvAng).enabled);
    // Running again uses the typed step.
    c.runClick();
    EXPECT_FLOAT_EQ(m.stepAngle, 2.5f);
}

TEST_F(SettingDialogsTest, StepAtTheBarsCurrentPositionLeavesTheBarArmed) {
    // The bar already stands at 12000 (step 10), so setting it changes
    // nothing and its handler does not run; the next move must still count.
    ASSERT_EQ(p.bar(Bar::StepAng).position, 12000);
    TStpAng d(m, c);
    open(d);
    type(d, "10");
    clickOk(d);
    EXPECT_TRUE(m.stepBarArmed);
    c.setBarPosition(Bar::StepAng, 14613);
    EXPECT_FLOAT_EQ(m.selectedStep, 45.0f);
}

TEST_F(SettingDialogsTest, ReverseArmOkClampsAndMovesTheBar) {
    TRevPos d(m, c);
    d.show();
    // Default centre 5.24, Norm 1.0, Max 1.2 on a solved (direct) gear.
    EXPECT_EQ(d.valueLabel(0)->text(), "Rev = 4.240");
    EXPECT_EQ(d.valueLabel(1)->text(), "Cen = 5.240");
    EXPECT_EQ(d.valueLabel(2)->text(), "Fwd = 6.240");
    EXPECT_EQ(d.valueLabel(3)->text(), "Min = 4.040");
    EXPECT_EQ(d.valueLabel(4)->text(), "Max = 6.440");
    EXPECT_EQ(d.edit()->text(), "  5.240");
    EXPECT_EQ(d.focusWidget(), d.cancelButton());

    open(d);
    type(d, "9");
    clickOk(d);
    EXPECT_EQ(p.bar(Bar::RevArm).position, 1200);
    EXPECT_FLOAT_EQ(m.revArmPos, 5.24f + 1.2f);
    EXPECT_EQ(m.direction, "Fwd");

    open(d);
    type(d, "4.74");
    clickOk(d);
    EXPECT_EQ(p.bar(Bar::RevArm).position, -500);
    EXPECT_NEAR(m.revArmPos, 4.74f, 1e-5);
    EXPECT_EQ(m.direction, "Rev");

    // An empty box reads 0 and ends at the lower limit.
    open(d);
    clickOk(d);
    EXPECT_EQ(p.bar(Bar::RevArm).position, -1200);
}

TEST_F(SettingDialogsTest, GraphicZoomOkClamps) {
    TGraphZoom d(m, c);
    open(d);
    type(d, "0.1");
    clickOk(d);
    EXPECT_FLOAT_EQ(m.graphicZoom, 0.5f);
    open(d);
    type(d, "56.5");
    clickOk(d);
    EXPECT_FLOAT_EQ(m.graphicZoom, 56.5f);
    open(d);
    type(d, "99999");
    clickOk(d);
    EXPECT_FLOAT_EQ(m.graphicZoom, 2000.0f);
}

TEST_F(SettingDialogsTest, KeyFiltersRefuseLettersASecondPointAndMinusWhereNotAllowed) {
    TDrivAng drivAng(m, c);
    open(drivAng);
    type(drivAng, "1a2.3.4b -");
    EXPECT_EQ(drivAng.edit()->text(), "12.34");
    QTest::keyClick(drivAng.edit(), Qt::Key_Backspace);
    EXPECT_EQ(drivAng.edit()->text(), "12.3");

    TGraphZoom graphZoom(m, c);
    open(graphZoom);
    type(graphZoom, "-7e5..5");
    EXPECT_EQ(graphZoom.edit()->text(), "75.5");

    // The reverse arm takes one minus, anywhere, and one point.
    TRevPos revPos(m, c);
    open(revPos);
    type(revPos, "-1-.5.x");
    EXPECT_EQ(revPos.edit()->text(), "-1.5");
    open(revPos);
    type(revPos, "5-");
    EXPECT_EQ(revPos.edit()->text(), "5-");
}

TEST_F(SettingDialogsTest, ReturnInTheBoxIsDiscardedAndAppliesNothing) {
    TStpAng d(m, c);
    const Snapshot before = snapshot();
    open(d);
    type(d, "3");
    QTest::keyClick(d.edit(), Qt::Key_Return);
    QTest::keyClick(d.edit(), Qt::Key_Enter);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.edit()->text(), "3");
    EXPECT_TRUE(snapshot() == before);
    clickCancel(d);
}
