// Reference points in the running main window: the menu toggles, a press on
// the picture, the zero buttons, the cross cursor, the draw-lines beep, and
// the "Reference Points" dialog opened from its menu item.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "app/Windows.h"
#include "dialogs/RefPoint.h"
#include "dialogs/core/MessageSink.h"
#include "main/Main.h"
#include "platform/Clock.h"
#include "platform/Sound.h"

using namespace tevrane;

namespace {
struct RefPointsWindowFixture : ::testing::Test {
    Model m;
    Panel p;
    MainController c{m, p};
    RecordingSound sound;
    FixedClock clock{"07/12/2026", "10:00:00"};
    RecordingMessageSink messages;
    WindowRegistry windows{windowRows()};
    std::unique_ptr<TMainForm> form;

    void SetUp() override {
        form = std::make_unique<TMainForm>(m, p, c, windows, sound, clock);
        windows.createAll({m, c, messages, form.get(), &windows});
        form->windowsCreated();
        form->show();
    }
    void pressPicture(Qt::MouseButton b, int x, int y) {
        QTest::mouseClick(form->view(), b, {}, QPoint(x, y));
    }
    // Opens "SetRef&Points", runs `inside` on the dialog while it is shown.
    void inDialog(const std::function<void(TRefPnts&)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* d = dynamic_cast<TRefPnts*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            ran = true;
            inside(*d);
            if (d->isVisible()) d->reject();
        });
        form->action(Item::SetRefPoints)->trigger();
        EXPECT_TRUE(ran);
    }
};
using RefPointsWindow = RefPointsWindowFixture;
}  // namespace

TEST_F(RefPointsWindow, PressOnThePicturePlacesPointOneAndZeroClearsIt) {
    QPushButton* zero1 = form->button("RefPt1Zero");
    EXPECT_FALSE(zero1->isVisible());
    EXPECT_FALSE(form->button("RefPt1")->isEnabled());
    form->action(Item::ReferPoints)->trigger();
    EXPECT_TRUE(form->bar(Bar::Ref1Horz)->isVisible());
    EXPECT_FALSE(zero1->isEnabled());
    EXPECT_TRUE(form->button("RefPt1")->isEnabled());

    pressPicture(Qt::LeftButton, 143, 214);  // world (1, 2)
    EXPECT_FLOAT_EQ(m.pivotX[kRefPoint1], 1.0f);
    EXPECT_FLOAT_EQ(m.pivotY[kRefPoint1], 2.0f);
    EXPECT_TRUE(zero1->isEnabled());
    QTest::mouseClick(zero1, Qt::LeftButton);
    EXPECT_EQ(m.pivotX[kRefPoint1], 0.0f);
    EXPECT_FALSE(zero1->isEnabled());
}

TEST_F(RefPointsWindow, PivotDataShowsTheButtonAndAnArmedRowTheCross) {
    form->action(Item::PivotData)->trigger();
    EXPECT_TRUE(m.refPointsOn);
    EXPECT_TRUE(form->button("DataTableBut")->isVisible());
    EXPECT_EQ(form->view()->cursor().shape(), Qt::ArrowCursor);
    pressPicture(Qt::LeftButton, 5, 155);  // row 1's number
    EXPECT_TRUE(m.pivotRowArmed);
    EXPECT_EQ(form->view()->cursor().shape(), Qt::CrossCursor);
    // The crosshead, where the last tick put it on the screen.
    pressPicture(Qt::LeftButton, m.pivotScreenX[kCrosshead], m.pivotScreenY[kCrosshead]);
    EXPECT_EQ(m.pivotRowPivot[1], static_cast<float>(kCrosshead));
    EXPECT_EQ(form->view()->cursor().shape(), Qt::ArrowCursor);

    // The draw-lines window waiting for a pick shows the cross on the next tick.
    m.drawLinesPick = true;
    form->Timer1Timer();
    EXPECT_EQ(form->view()->cursor().shape(), Qt::CrossCursor);

    form->action(Item::PivotData)->trigger();
    EXPECT_FALSE(form->button("DataTableBut")->isVisible());
}

TEST_F(RefPointsWindow, DrawLinesBeepsAtTheOriginThenOpensItsWindow) {
    form->action(Item::ReferPoints)->trigger();
    // Opens the draw-lines window and closes it again; returns what was up.
    auto openAndClose = [&] {
        QWidget* up = nullptr;
        QTimer::singleShot(0, [&] {
            up = QApplication::activeModalWidget();
            if (auto* d = qobject_cast<QDialog*>(up)) d->reject();
        });
        form->DrawLines1Click();
        return up;
    };
    EXPECT_EQ(openAndClose(), windows.window("TDrawLines"));
    EXPECT_EQ(sound.beeps, 1);
    m.pivotX[kRefPoint2] = 0.5f;
    EXPECT_EQ(openAndClose(), windows.window("TDrawLines"));
    EXPECT_EQ(sound.beeps, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(RefPointsWindow, DialogShowsFiltersAndStores) {
    m.pivotX[kRefPoint1] = 2.5f;
    inDialog([&](TRefPnts& d) {
        EXPECT_EQ(d.windowTitle(), "Reference Points");
        EXPECT_EQ(d.edit(0)->text(), "0.000");  // V1
        EXPECT_EQ(d.edit(1)->text(), "2.500");  // H1
        EXPECT_EQ(d.focusWidget(), d.cancelButton());
        d.edit(1)->clear();
        QTest::keyClicks(d.edit(1), "0");
        d.edit(2)->clear();
        QTest::keyClicks(d.edit(2), "1a.5.\r");  // the letter, the second "." and Return go
        EXPECT_EQ(d.edit(2)->text(), "1.5");
        QTest::mouseClick(d.okButton(), Qt::LeftButton);
    });
    EXPECT_EQ(m.pivotX[kRefPoint1], 0.0f);
    EXPECT_EQ(m.pivotY[kRefPoint2], 1.5f);
    EXPECT_TRUE(m.refPointsOn);
    EXPECT_FALSE(form->button("RefPt1Zero")->isEnabled());
    EXPECT_TRUE(form->button("RefPt2Zero")->isEnabled());

    inDialog([&](TRefPnts& d) { QTest::mouseClick(d.zeroButton(), Qt::LeftButton); });
    EXPECT_FALSE(m.refPointsOn);
    EXPECT_EQ(m.pivotY[kRefPoint2], 0.0f);
    EXPECT_FALSE(form->bar(Bar::Ref1Vert)->isVisible());
}
