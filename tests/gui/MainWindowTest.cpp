#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

#include "app/Windows.h"
#include "main/Main.h"
#include "model/DynVars.h"
#include "platform/Clock.h"
#include "platform/Sound.h"

using namespace tevrane;

namespace {
struct MainWindowFixture : ::testing::Test {
    Model m;
    Panel p;
    MainController c{m, p};
    RecordingSound sound;
    FixedClock clock{"07/12/2026", "10:00:00"};
    WindowRegistry w{windowRows()};  // the rows, no window created
    std::unique_ptr<TMainForm> form;
    void SetUp() override {
        form = std::make_unique<TMainForm>(m, p, c, w, sound, clock);
        form->windowsCreated();
        form->show();
    }
    void click(const char* name) { QTest::mouseClick(form->button(name), Qt::LeftButton); }
};
using MainWindow = MainWindowFixture;
}  // namespace

TEST_F(MainWindow, StartsRunningForwardAtTheDefaults) {
    EXPECT_EQ(form->button("Run")->text(), "Stop");
    EXPECT_FALSE(form->button("Center")->isEnabled());
    EXPECT_FALSE(form->button("Step10")->isEnabled());
    EXPECT_FALSE(form->button("NormVHZ")->isEnabled());
    EXPECT_FALSE(form->bar(Bar::DrvAng)->isEnabled());
    EXPECT_EQ(form->bar(Bar::RevArm)->minimum(), -1200);
    EXPECT_EQ(form->bar(Bar::StepAng)->value(), 12000);
    EXPECT_EQ(form->bar(Bar::RevArm)->toolTip(), "Set Reverse Arm Between Max & Min");
    EXPECT_TRUE(form->animationTimerActive());
    // Start volume: half on both channels.
    ASSERT_FALSE(sound.events.empty());
    EXPECT_EQ(m.direction, "Fwd");
    // The first picture is already there, with its caption.
    EXPECT_TRUE(form->windowTitle().startsWith("Tevrane Outside Admission            "));
    EXPECT_TRUE(form->windowTitle().endsWith("07/12/2026   10:00:00   Version 2.6"));
}

TEST_F(MainWindow, Deg180StopsTheAnimationAndDisablesItself) {
    click("Deg180");
    EXPECT_EQ(m.driverAngle, 180.0f);
    EXPECT_EQ(m.stepAngle, 0.0f);
    EXPECT_EQ(form->button("Run")->text(), "Run");
    EXPECT_FALSE(form->button("Deg180")->isEnabled());
    EXPECT_TRUE(form->button("Deg00")->isEnabled());
    EXPECT_TRUE(form->bar(Bar::DrvAng)->isEnabled());
    EXPECT_EQ(form->bar(Bar::DrvAng)->value(), 18000);
    // Stopped, the tick still solves and redraws but the angle stays.
    form->Timer1Timer();
    form->Timer1Timer();
    EXPECT_EQ(m.driverAngle, 180.0f);
    click("Run");
    EXPECT_EQ(form->button("Run")->text(), "Stop");
    EXPECT_EQ(m.stepAngle, 10.0f);
}

TEST_F(MainWindow, StepButtonsChooseTheStepAndMoveTheBar) {
    click("Step1");
    EXPECT_EQ(m.selectedStep, 1.0f);
    EXPECT_EQ(m.stepAngle, 1.0f);
    EXPECT_EQ(form->bar(Bar::StepAng)->value(), 8000);
    EXPECT_FALSE(form->button("Step1")->isEnabled());
    EXPECT_TRUE(form->button("Step10")->isEnabled());
    EXPECT_TRUE(form->button("Step45")->isEnabled());
    click("Step45");
    EXPECT_EQ(m.stepAngle, 45.0f);
    EXPECT_EQ(form->bar(Bar::StepAng)->value(), 14613);
    EXPECT_EQ(form->bar(Bar::DrvAng)->singleStep(), 4500);
    // Moving the bar itself picks from the table.
    form->bar(Bar::StepAng)->setValue(3613);
    EXPECT_FLOAT_EQ(m.selectedStep, 0.1f);
}

TEST_F(MainWindow, ScreenDataOffHidesTheControlsAndTheToolBar) {
    form->action(Item::ScreenData)->trigger();
    EXPECT_EQ(form->action(Item::ScreenData)->text(), "SetScree&nData On");
    EXPECT_FALSE(form->toolBar()->isVisible());
    EXPECT_FALSE(form->bar(Bar::RevArm)->isVisible());
    EXPECT_FALSE(form->bar(Bar::Zoom)->isVisible());
    EXPECT_FALSE(form->button("Run")->isVisible());
    EXPECT_FALSE(form->button("Preset3")->isVisible());
    EXPECT_FALSE(form->action(Item::SetDriverAng)->isEnabled());
    EXPECT_TRUE(form->action(Item::PanZoom)->isEnabled());
    form->action(Item::PanZoom)->trigger();
    EXPECT_TRUE(form->bar(Bar::Zoom)->isVisible());
    form->action(Item::ScreenData)->trigger();
    EXPECT_TRUE(form->toolBar()->isVisible());
    EXPECT_TRUE(form->button("Run")->isVisible());
    EXPECT_FALSE(form->action(Item::PanZoom)->isEnabled());
}

TEST_F(MainWindow, ReverseArmBarSetsTheDirection) {
    form->Timer1Timer();  // solved once: the bar works directly
    form->bar(Bar::RevArm)->setValue(-1);
    EXPECT_EQ(m.direction, "Rev");
    EXPECT_TRUE(form->button("Center")->isEnabled());
    click("Center");
    EXPECT_EQ(form->bar(Bar::RevArm)->value(), 0);
    EXPECT_EQ(m.direction, "Fwd");
    EXPECT_FALSE(form->button("Center")->isEnabled());
}

TEST_F(MainWindow, ItemsWithoutTheirWindowAreDisabled) {
    EXPECT_TRUE(form->action(Item::OpenDimensions)->isEnabled());
    EXPECT_FALSE(form->action(Item::SetRefPoints)->isEnabled());
    EXPECT_TRUE(form->action(Item::ResetAllDimensions)->isEnabled());
    EXPECT_TRUE(form->action(Item::Font)->isEnabled());
    EXPECT_FALSE(form->action(Item::Error)->isVisible());
}

TEST_F(MainWindow, DynamicBarDragIsOneUndoRecord) {
    m.editPending = false;
    commitEdit(m, 2, "Stroke", 3.0f, 3.0f);
    form->action(Item::DynamicVari)->trigger();
    form->Timer1Timer();  // the picture enables the bars of filled slots
    QScrollBar* bar = form->bar(Bar::DynVar1);
    ASSERT_TRUE(bar->isVisible());
    ASSERT_TRUE(bar->isEnabled());
    bar->setFocus();
    QApplication::processEvents();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(m.stroke, 3.0f + 0.001f + 0.001f);
    EXPECT_EQ(bar->value(), 0);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &release);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).before, 3.0f);
    form->action(Item::UnDo)->trigger();
    form->Timer1Timer();  // the picture shows the undo line and its button
    EXPECT_TRUE(form->button("UnDoDn")->isVisible());
    EXPECT_TRUE(form->button("UnDoDn")->isEnabled());
    click("UnDoDn");
    EXPECT_EQ(m.stroke, 3.0f);
}

namespace {
// The menu bar as text: each menu's title, then its items; the picture entry
// without a caption shows as its hint in brackets.
std::vector<std::string> menuTexts(QMenuBar* bar) {
    std::vector<std::string> out;
    for (QAction* a : bar->actions()) {
        if (!a->menu()) {
            out.push_back("[" + a->toolTip().toStdString() + "]");
            continue;
        }
        out.push_back(a->text().toStdString() + ":");
        for (QAction* item : a->menu()->actions())
            out.push_back(item->isSeparator() ? "-" : item->text().toStdString());
    }
    return out;
}

// The tool bar as its buttons' hints, "|" for each spacer.
std::vector<std::string> toolTexts(QToolBar* bar) {
    std::vector<std::string> out;
    for (QAction* a : bar->actions()) out.push_back(a->isSeparator() ? "|" : a->toolTip().toStdString());
    return out;
}
}  // namespace

TEST_F(MainWindow, MenuAndToolBarKeepTheirOrder) {
    const std::vector<std::string> menu = {
        "&File:", "&OpenDimensions", "Save&AsDimensions", "&Export...", "&Print...", "Compare with...", "Compare off",
        "Design report...", "Convert to millimetres", "E&xit",
        "&SetUp:", "Set&RevArmPos", "Set&DriverAng", "Set&StepAng", "SetRef&Points", "SetLarge&Font",
        "&CalcCentRevArm", "SetS&teamDisp On", "Set&ErrorBeep Off", "Set&LineWidth 2",
        "SetScree&nData Off", "SetP&anZoom On", "Fit",
        "&EditDimen:", "&FrameDimensions", "&CylinderDimensions", "Set&GraphicZoom",
        "&ResetAllDimensions", "&ReferPoints", "&DrawLinesCircles", "Pi&votData", "D&ynamicVari",
        "&UnDo",
        "Draw&Graphs:", "&SineDiagram", "&OvalDiagram", "S&teamDiagram", "&PortOpenClose",
        "&ValveEvents", "&Equalise...", "&IndicatedPerformance",
        "&Help:", "&Instructions", "Instructions&Special", "&About",
        "[Error]",
    };
    EXPECT_EQ(menuTexts(form->menuBar()), menu);
    const std::vector<std::string> tools = {
        "Open File: Dimensional Data", "Save As: Dimensional Data", "|",
        "Change Frame Dimensions", "Change Cylinder Dimensions", "|",
        "Set Driver Angle to Desired Position", "Set Step Angle to Desired Amount",
        "Set Reverse Arm to Desired Position", "|",
        "Calculate Mid Gear Position if Necessary", "|",
        "Fit the Whole Gear to the Picture (F)", "|",
        "Turn On Steam Display and Sound", "|",
        "Turn On Reference Points", "Draw Lines and Circles", "Turn On Pivot Data",
        "Turn On Dynamic Variables", "Turn On UnDo", "|",
        "View Sine Diagram", "View Oval Diagram", "View Steam Diagram",
        "View Port Events vs Reverse Arm Position", "|",
        "View Valve Events Table and Notches", "Equalise Valve Events by Tuning Dimensions",
        "View Indicator Cards, Mean Effective Pressure and Power at the Notches",
    };
    EXPECT_EQ(toolTexts(form->toolBar()), tools);
    // Every tool button runs its menu item: the mid gear button centres the
    // reverse arm as "&CalcCentRevArm" does.
    form->bar(Bar::RevArm)->setValue(-5);
    ASSERT_TRUE(form->button("Center")->isEnabled());
    QAction* midGear = form->toolBar()->actions().at(10);
    ASSERT_EQ(midGear->toolTip(), "Calculate Mid Gear Position if Necessary");
    midGear->trigger();
    EXPECT_EQ(form->bar(Bar::RevArm)->value(), 0);
    EXPECT_FALSE(form->button("Center")->isEnabled());
}

TEST_F(MainWindow, WheelAndContextMenuLeaveTheDynamicBarsAlone) {
    m.editPending = false;
    commitEdit(m, 2, "Stroke", 3.0f, 3.0f);
    form->action(Item::DynamicVari)->trigger();
    form->Timer1Timer();
    QScrollBar* bar = form->bar(Bar::DynVar1);
    ASSERT_TRUE(bar->isEnabled());
    bar->setFocus();
    // A plain scroll bar would take three arrow steps from one wheel notch,
    // with no release to record them.
    const QPointF at(5, 5);
    QWheelEvent wheel(at, bar->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(m.stroke, 3.0f);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    // The context menu's "Scroll here", "Left edge", ... would do the same.
    for (Bar b : {Bar::DynVar1, Bar::DynVar2, Bar::DynVar3, Bar::DynVar4})
        EXPECT_EQ(form->bar(b)->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST_F(MainWindow, TabWalksThroughTheDynamicBarsWithoutRecording) {
    m.editPending = false;
    for (int id : {2, 3, 4, 5}) commitEdit(m, id, dimensionName(id), readVar(m, id), readVar(m, id));
    form->action(Item::DynamicVari)->trigger();
    form->Timer1Timer();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->bar(Bar::DynVar1)->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), form->bar(Bar::DynVar1));
    const Bar next[3] = {Bar::DynVar2, Bar::DynVar3, Bar::DynVar4};
    for (Bar b : next) {
        // The key goes down on the bar that has the focus and comes up on
        // the one the focus moved to.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &release);
        EXPECT_EQ(QApplication::focusWidget(), form->bar(b));
    }
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_TRUE(m.undoHistory.record(1).name.empty());
    EXPECT_FALSE(m.undoButtonsEnabled);
}

TEST_F(MainWindow, ReleasingADynamicBarThatDidNotMoveRecordsNothing) {
    m.editPending = false;
    commitEdit(m, 2, "Stroke", 3.0f, 3.0f);
    form->action(Item::DynamicVari)->trigger();
    form->Timer1Timer();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QScrollBar* bar = form->bar(Bar::DynVar1);
    bar->setFocus(Qt::MouseFocusReason);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &release);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
    // The focus stays: no gesture ended.
    EXPECT_EQ(QApplication::focusWidget(), bar);
    // A real step, then the release: one record, and the focus moves on.
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QApplication::sendEvent(bar, &release);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).before, 3.0f);
    EXPECT_EQ(m.undoHistory.record(1).after, 3.0f - 0.001f);
    EXPECT_EQ(QApplication::focusWidget(), form->bar(Bar::RevArm));
}

// The large font makes the window larger for its readouts; turned off again,
// the window goes back to the size it had, unless the user sized it since.
TEST_F(MainWindow, WindowShrinksBackWhenTheLargeFontIsTurnedOff) {
    const QSize start = form->size();
    QAction* font = form->action(Item::Font);
    font->trigger();
    form->Timer1Timer();
    ASSERT_EQ(m.fontScaleX, 1.27f);
    const QSize large = form->size();
    EXPECT_GT(large.width(), start.width());
    EXPECT_GT(large.height(), start.height());
    font->trigger();
    form->Timer1Timer();
    EXPECT_EQ(m.fontScaleX, 1.0f);
    EXPECT_EQ(form->size(), start);

    // Sized by the user while large: kept.
    font->trigger();
    form->Timer1Timer();
    form->resize(form->size() + QSize(40, 30));
    const QSize chosen = form->size();
    font->trigger();
    form->Timer1Timer();
    EXPECT_EQ(form->size(), chosen);
}

// The picture is as large as the window's picture area, and "Fit" (the key
// F, the menu item or its tool button) fills it with the gear; "Norm" goes
// back as after a preset.
TEST_F(MainWindow, PictureFollowsTheWindowAndFitFillsIt) {
    form->resize(1500, 1000);
    QCoreApplication::processEvents();
    form->Timer1Timer();
    EXPECT_EQ(form->view()->picture().size(), form->view()->size());
    EXPECT_GT(form->view()->picture().width(), 1280);

    const float startScale = m.viewScale;
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_F);
    EXPECT_GT(m.viewScale, 2 * startScale);
    EXPECT_TRUE(form->button("NormVHZ")->isEnabled());
    form->Timer1Timer();
    // The wheel's rim reaches near the picture's left edge, the cylinder
    // near its right one: ink in the first and last tenth of the width.
    const QImage& pic = form->view()->picture();
    auto inkInColumns = [&pic](int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = 140; y < pic.height(); ++y)
                if (qGray(pic.pixel(x, y)) < 128) return true;
        return false;
    };
    EXPECT_TRUE(inkInColumns(0, pic.width() / 10));
    EXPECT_TRUE(inkInColumns(pic.width() * 9 / 10, pic.width()));

    click("NormVHZ");
    EXPECT_EQ(m.viewScale, startScale);
    QAction* fit = form->action(Item::Fit);
    EXPECT_EQ(fit->text(), "Fit");
    EXPECT_EQ(fit->shortcut(), QKeySequence(Qt::Key_F));
    fit->trigger();
    EXPECT_GT(m.viewScale, 2 * startScale);
}

// "Convert to millimetres": every length and the view scale change, the
// picture stays, the caption names the way back, and one "UnDo" restores the
// design bit for bit.
TEST_F(MainWindow, ConvertingUnitsIsOneUndoStepAndTheCaptionFollows) {
    click("Deg180");  // stopped, so every tick draws the same angle
    form->Timer1Timer();
    const Model before = m;
    const int revArmBar = form->bar(Bar::RevArm)->value();
    QAction* convert = form->action(Item::ConvertUnits);
    ASSERT_TRUE(convert->isEnabled());
    EXPECT_EQ(convert->text(), "Convert to millimetres");
    convert->trigger();
    form->Timer1Timer();
    EXPECT_EQ(m.lengthUnit, LengthUnit::Millimetre);
    EXPECT_NEAR(m.stroke, 76.2, 1e-5);
    EXPECT_EQ(convert->text(), "Convert to inches");
    // The bar's range is the travel in thousandths of the new unit.
    EXPECT_EQ(form->bar(Bar::RevArm)->maximum(), 30480);
    EXPECT_EQ(form->bar(Bar::RevArm)->value(), revArmBar);
    for (int i = 0; i <= kRefPoint2; ++i) {
        EXPECT_LE(std::abs(m.pivotScreenX[i] - before.pivotScreenX[i]), 1) << i;
        EXPECT_LE(std::abs(m.pivotScreenY[i] - before.pivotScreenY[i]), 1) << i;
    }
    form->action(Item::UnDo)->trigger();
    form->Timer1Timer();
    click("UnDoDn");
    form->Timer1Timer();
    EXPECT_EQ(m.lengthUnit, LengthUnit::Inch);
    EXPECT_EQ(m.stroke, before.stroke);
    EXPECT_EQ(m.viewScale, before.viewScale);
    EXPECT_EQ(m.revArmPos, before.revArmPos);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_EQ(convert->text(), "Convert to millimetres");
    EXPECT_EQ(form->bar(Bar::RevArm)->maximum(), 1200);
}
