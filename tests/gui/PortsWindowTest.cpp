// The port events window on screen: it holds the animation while it is up, its
// dynamic-variable bar makes one undo record per gesture, its menu switches
// graphs; and the reverse-arm position dialog's boxes.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "diagrams/Ports.h"
#include "diagrams/SetReverArm.h"
#include "main/core/MainController.h"
#include "model/DynVars.h"

using namespace tevrane;

namespace {

struct PortsWindowFixture : ::testing::Test {
    Model m;
    Panel p;
    std::unique_ptr<MainController> c;
    std::unique_ptr<TPortDia> w;
    int panelChanges = 0;

    void SetUp() override {
        initModel(m);
        initPanel(m, p);
        c = std::make_unique<MainController>(m, p);
        c->onPanelChanged = [this] { ++panelChanges; };
        w = std::make_unique<TPortDia>(m, *c);
    }
    void showActive() {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    // Centre of one part of a scroll bar (arrow or page area).
    static QPoint partOf(QScrollBar* bar, QStyle::SubControl part) {
        QStyleOptionSlider opt;
        opt.initFrom(bar);
        opt.subControls = QStyle::SC_All;
        opt.orientation = bar->orientation();
        opt.minimum = bar->minimum();
        opt.maximum = bar->maximum();
        opt.sliderPosition = bar->sliderPosition();
        opt.sliderValue = bar->value();
        opt.singleStep = bar->singleStep();
        opt.pageStep = bar->pageStep();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar).center();
    }
    // Pixels that are not white: something has been drawn.
    static int inked(const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++n;
        return n;
    }
};
using PortsWindow = PortsWindowFixture;

TEST_F(PortsWindow, ActivationHoldsTheAnimationAndClosingReleasesIt) {
    ASSERT_TRUE(p.timerRunning);
    EXPECT_EQ(w->surface().size(), QSize(632, 414));
    EXPECT_EQ(inked(w->surface()), 0);
    w->show();
    EXPECT_FALSE(p.timerRunning);
    // The forward graph is on the surface: the left axis at x 9 and the grid.
    EXPECT_EQ(w->surface().pixel(9, 200) & 0xFFFFFF, 0u);
    EXPECT_GT(inked(w->surface()), 2000);
    EXPECT_EQ(w->pos(), QPoint(0, 10));
    // Nothing of the shared controls shows until asked for.
    for (int k = 1; k <= 4; ++k) EXPECT_FALSE(w->dynBar(k)->isVisible());
    EXPECT_FALSE(w->undoButton()->isVisible());
    EXPECT_FALSE(w->undoButton()->isEnabled());

    QTest::mouseClick(w->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(p.timerRunning);
}

TEST_F(PortsWindow, ArrowClickStepsTheBoundDimensionAndReleaseRecordsOnce) {
    commitEdit(m, 3, dimensionName(3), m.mainRodLength, m.mainRodLength);  // "Main Rod" on bar 1
    m.dynVarsVisible = true;
    showActive();
    QScrollBar* bar = w->dynBar(1);
    ASSERT_TRUE(bar->isVisible());
    ASSERT_TRUE(bar->isEnabled());
    EXPECT_FALSE(w->dynBar(2)->isEnabled());
    EXPECT_EQ(bar->objectName(), "SBDynVarP1");
    EXPECT_EQ(bar->geometry(), QRect(112, 3, 121, 10));

    const float start = m.mainRodLength;
    const QPoint arrow = partOf(bar, QStyle::SC_ScrollBarAddLine);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, arrow);
    EXPECT_EQ(m.mainRodLength, start + 0.001f);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, arrow);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).id, 3);
    EXPECT_EQ(m.undoHistory.record(1).before, start);
    EXPECT_EQ(m.undoHistory.record(1).after, start + 0.001f);
    EXPECT_TRUE(m.undoButtonsEnabled);
    // The gesture is over: the focus waits on "Close" for the next one.
    EXPECT_TRUE(w->closeButton()->hasFocus());

    // A second click is a gesture of its own.
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, partOf(bar, QStyle::SC_ScrollBarSubLine));
    EXPECT_EQ(m.undoHistory.depth(), 2);
    EXPECT_EQ(m.mainRodLength, (start + 0.001f) - 0.001f);
    EXPECT_EQ(m.undoHistory.record(1).before, start + 0.001f);
    w->close();
}

TEST_F(PortsWindow, DragOfTheThumbIsOneGesture) {
    commitEdit(m, 3, dimensionName(3), m.mainRodLength, m.mainRodLength);
    m.dynVarsVisible = true;
    showActive();
    QScrollBar* bar = w->dynBar(1);
    const float start = m.mainRodLength;
    const QPoint thumb = partOf(bar, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, thumb);
    for (int dx = 4; dx <= 16; dx += 4) QTest::mouseMove(bar, thumb + QPoint(dx, 0));
    EXPECT_GT(m.mainRodLength, start);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, thumb + QPoint(16, 0));
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).before, start);
    EXPECT_EQ(m.undoHistory.record(1).after, m.mainRodLength);
    EXPECT_EQ(bar->value(), 0);
    w->close();
}

TEST_F(PortsWindow, ClickOnTheThumbWithoutMovingRecordsNothing) {
    commitEdit(m, 3, dimensionName(3), m.mainRodLength, m.mainRodLength);
    m.dynVarsVisible = true;
    showActive();
    QScrollBar* bar = w->dynBar(1);
    const float start = m.mainRodLength;
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, partOf(bar, QStyle::SC_ScrollBarSlider));
    EXPECT_EQ(m.mainRodLength, start);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
    EXPECT_TRUE(bar->hasFocus());
    w->close();
}

TEST_F(PortsWindow, UndoButtonRestoresAndThenDisablesEveryUndoButton) {
    commitEdit(m, 2, dimensionName(2), m.stroke, m.stroke);  // "Stroke" on bar 1
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    showActive();
    const float start = m.stroke;
    QScrollBar* bar = w->dynBar(1);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, partOf(bar, QStyle::SC_ScrollBarAddPage));
    EXPECT_EQ(m.stroke, start + 0.01f);
    ASSERT_TRUE(w->undoButton()->isVisible());
    ASSERT_TRUE(w->undoButton()->isEnabled());
    EXPECT_EQ(w->undoButton()->geometry(), QRect(110, 54, 40, 16));

    const int before = panelChanges;
    QTest::mouseClick(w->undoButton(), Qt::LeftButton);
    EXPECT_EQ(m.stroke, start);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_FALSE(w->undoButton()->isEnabled());
    EXPECT_FALSE(m.undoButtonsEnabled);
    EXPECT_GT(panelChanges, before);  // the main window mirrors its own button
    w->close();
}

TEST_F(PortsWindow, UndoLineLeavesTheDiagramBesideItAlone) {
    m.dynVarsVisible = true;
    showActive();
    const QImage without = w->surface().copy();
    m.undoEnabled = true;
    w->reDrawAction()->trigger();
    const QImage with = w->surface().copy();
    // The line " 0-   0.000 to  0.000." starts at x 150, y 55 and is about
    // 120 pixels long; right of it the right axis (x 549), the top grid row
    // and the top position label "  6.440" (x 556, y 48) stay as they were.
    const QRect beside(300, 45, 332, 30);
    EXPECT_EQ(with.copy(beside), without.copy(beside));
    EXPECT_EQ(with.pixel(549, 60) & 0xFFFFFF, 0u);
    // The line itself is there.
    EXPECT_NE(with.copy(150, 55, 120, 13), without.copy(150, 55, 120, 13));
    w->close();
}

TEST_F(PortsWindow, ASweepThatCannotCloseSaysSoBesideThePictureNotInIt) {
    showActive();
    EXPECT_FALSE(w->clampNotice()->isVisible());
    const QSize picture = w->surface().size();
    m.reverseArmLength = 0.9f;  // the outer settings cannot close
    w->reDrawAction()->trigger();
    ASSERT_TRUE(w->clampNotice()->isVisible());
    const QString text = w->clampNotice()->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("The gear cannot close at "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(" of 19 settings"))) << text.toStdString();
    w->clampNotice()->ensurePolished();
    EXPECT_EQ(w->clampNotice()->palette().color(QPalette::WindowText), QColor(Qt::red));
    // The picture keeps its size and the label lies below it.
    EXPECT_EQ(w->surface().size(), picture);
    EXPECT_GE(w->clampNotice()->geometry().top(), picture.height());
    initModel(m);
    w->reDrawAction()->trigger();
    EXPECT_FALSE(w->clampNotice()->isVisible());
    w->close();
}

TEST_F(PortsWindow, MenuSwitchesGraphsAndToggles) {
    w->show();
    const QImage forward = w->surface().copy();
    w->reverseGraphAction()->trigger();
    EXPECT_EQ(m.portGraphMode, 'R');
    EXPECT_NE(w->surface(), forward);
    w->bothGraphsAction()->trigger();
    EXPECT_EQ(m.portGraphMode, 'B');
    const QImage both = w->surface().copy();
    // Both graphs hold more ink than the forward one alone.
    EXPECT_GT(inked(both), inked(forward));
    w->reDrawAction()->trigger();
    EXPECT_EQ(w->surface(), both);
    w->forwardGraphAction()->trigger();
    EXPECT_EQ(w->surface(), forward);

    w->dynamicVariAction()->trigger();
    EXPECT_TRUE(m.dynVarsVisible);
    EXPECT_TRUE(p.bar(Bar::DynVar1).visible);
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(w->dynBar(k)->isVisible());
    w->unDoAction()->trigger();
    EXPECT_TRUE(m.undoEnabled);
    EXPECT_TRUE(w->undoButton()->isVisible());
    w->unDoAction()->trigger();
    EXPECT_FALSE(m.undoEnabled);
    EXPECT_FALSE(w->undoButton()->isVisible());
    w->close();
}

// Under the large font the panel's values reach past x 447 and the position
// lists past x 632: the picture widens and the "Close" button moves right with
// the same factors, and both return at the normal font.
TEST_F(PortsWindow, LargeFontWidensThePictureAndMovesClose) {
    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    showActive();
    EXPECT_EQ(w->surface().width(), 803);
    EXPECT_EQ(w->closeButton()->geometry(), QRect(568, 2, 95, 31));
    // The panel's value column starts at 363 x 1.27 = 461 and holds six
    // characters: the button stands clear of it.
    EXPECT_GT(w->closeButton()->x(), 461 + 45);
    w->close();
    m.fontScaleX = m.fontScaleY = 1.0f;
    showActive();
    EXPECT_EQ(w->surface().width(), 632);
    EXPECT_EQ(w->closeButton()->geometry(), QRect(447, 2, 75, 25));
    w->close();
}

struct SetRevArmFixture : ::testing::Test {
    Model m;
    Panel p;
    MainController c{m, p};
    std::unique_ptr<TSetRevArm> d;
    void SetUp() override {
        initModel(m);
        initPanel(m, p);
        d = std::make_unique<TSetRevArm>(m, c);
    }
};
using SetRevArmWindow = SetRevArmFixture;

TEST_F(SetRevArmWindow, OpensWithThePositionsInUse) {
    d->show();
    EXPECT_EQ(d->windowTitle(), "Set Reverse Arm Positions");
    // 18 pixels taller than the first layout: the line naming the unit.
    EXPECT_EQ(d->size(), QSize(409, 172));
    EXPECT_EQ(d->edit(1)->text(), "5.240");
    EXPECT_EQ(d->edit(3)->text(), "4.240");
    EXPECT_EQ(d->edit(10)->text(), "1.500");
    EXPECT_TRUE(d->edit(4)->isVisible());
    EXPECT_FALSE(d->edit(5)->isVisible());
    EXPECT_EQ(d->edit(5)->geometry(), QRect(266, 25, 53, 13));
    EXPECT_FALSE(d->edit(1)->hasFrame());
    EXPECT_EQ(m.revArmSetCount, 3);
    EXPECT_EQ(d->close1()->geometry(), QRect(126, 91, 74, 25));
    d->close();
    EXPECT_TRUE(m.revArmSetChanged);
}

TEST_F(SetRevArmWindow, TypingFiltersRevealsAndCloseStores) {
    d->show();
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d.get()));
    QLineEdit* e4 = d->edit(4);
    e4->setFocus();
    e4->selectAll();
    QTest::keyClicks(e4, "5.x.5");
    EXPECT_EQ(e4->text(), "5.5");
    EXPECT_TRUE(d->edit(5)->isVisible());
    QTest::mouseClick(d->close1(), Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(m.revArmSet[4], 5.5f);
    // The walk after "Close" counts the new position.
    EXPECT_EQ(m.revArmSetCount, 4);
    EXPECT_TRUE(m.revArmSetChanged);
}

// A signed entry with three decimals is read whole in every box, at both
// font sizes: nothing of "-1.200" scrolls out of sight.
TEST_F(SetRevArmWindow, BoxesShowASignedEntryWhole) {
    for (const float factor : {1.0f, 1.27f}) {
        m.fontScaleX = factor;
        m.fontScaleY = factor == 1.0f ? 1.0f : 1.22f;
        d->show();
        for (int box = 1; box <= kRevArmBoxCount; ++box) {
            QLineEdit* e = d->edit(box);
            e->setText(QStringLiteral("-1.200"));
            e->setCursorPosition(0);
            const QMargins tm = e->textMargins();
            // QLineEdit keeps two pixels each side of a frameless box's text.
            const int room = e->width() - tm.left() - tm.right() - 4;
            EXPECT_LE(e->fontMetrics().horizontalAdvance(e->text()), room) << box << " at " << factor;
        }
        d->close();
    }
}

// Escape closes the dialog, but the entry being typed is kept first.
TEST_F(SetRevArmWindow, EscapeKeepsTheEntryBeingTyped) {
    d->show();
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d.get()));
    QLineEdit* scale = d->edit(10);
    scale->setFocus();
    scale->selectAll();
    QTest::keyClicks(scale, "2.25");
    QTest::keyClick(scale, Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(m.diagramVScale, 2.25f);
}

}  // namespace
