// The main window's picture view: two pictures drawn in turn must show what a
// fresh white picture drawn from scratch shows, and the window must be told
// every pixel that changed.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include <random>

#include "RandomShapes.h"
#include "app/Windows.h"
#include "main/Main.h"
#include "platform/Clock.h"
#include "platform/QtCanvas.h"
#include "platform/Sound.h"

using namespace tevrane;
using tevrane::testing::drawShapes;

TEST(PictureChanges, FramesInTurnShowWhatAFreshPictureShows) {
    // Frames of very different extent, one after the other: each picture on
    // show must equal its frame drawn on a fresh white picture, and every
    // pixel that differs from the frame before must lie in the repainted part.
    auto scene = [](Canvas& c, unsigned seed) {
        std::mt19937 rng(seed);
        const int width = 100 + static_cast<int>(rng() % 1100);
        const int height = 80 + static_cast<int>(rng() % 900);
        const int count = static_cast<int>(rng() % 30);  // some frames draw only text
        drawShapes(c, seed, width, height, count);
        c.textOut(static_cast<int>(rng() % 1200), static_cast<int>(rng() % 1000), "Piston %  62.75");
    };
    PictureView view;
    QImage previous = QtCanvas::whiteImage();
    for (unsigned seed = 1; seed <= 12; ++seed) {
        QImage& back = view.beginFrame();
        ASSERT_NE(&back, &view.picture());
        ASSERT_EQ(back, QtCanvas::whiteImage()) << "frame " << seed;
        QRect drawn;
        {
            QtCanvas c(back);
            scene(c, seed);
            drawn = c.touched();
        }
        view.endFrame(drawn);

        QImage fresh = QtCanvas::whiteImage();
        {
            QtCanvas c(fresh);
            scene(c, seed);
        }
        const QImage& shown = view.picture();
        ASSERT_EQ(shown, fresh) << "frame " << seed;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != previous.pixel(x, y)) {
                    ASSERT_TRUE(view.lastChange().contains(QPoint(x, y)))
                        << "frame " << seed << " at " << x << "," << y;
                }
        previous = shown.copy();
    }
    // The same frame again repaints nothing.
    QRect drawn;
    {
        QtCanvas c(view.beginFrame());
        scene(c, 12);
        drawn = c.touched();
    }
    view.endFrame(drawn);
    EXPECT_TRUE(view.lastChange().isEmpty());
    EXPECT_EQ(view.picture(), previous);
}

TEST(PictureChanges, WindowRepaintedInPartsShowsWhatAWholeRepaintShows) {
    // The real tick, frame after frame, with the window painting only what it
    // was told changed; the window's contents (the backing store the screen
    // is given) must then equal the same window repainted whole. Frames with
    // the steam display, both line widths and the large font make the drawn
    // box grow and shrink between ticks.
    Model m;
    Panel p;
    MainController c(m, p);
    NullSound sound;
    FixedClock clock{"07/12/2026", "10:00:00"};
    WindowRegistry windows{windowRows()};
    TMainForm form(m, p, c, windows, sound, clock);
    form.windowsCreated();
    form.resize(1280, 1024);
    form.show();
    QCoreApplication::processEvents();
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    auto shown = [&] { return screen->grabWindow(form.winId()).toImage(); };
    ASSERT_FALSE(shown().isNull());

    int checked = 0;
    for (int tick = 1; tick <= 48; ++tick) {
        if (tick == 10) c.toggleSteamDisplay();
        if (tick == 20) c.toggleLineWidth();
        if (tick == 26) c.toggleLineWidth();
        if (tick == 30) c.toggleFont();
        if (tick == 40) c.toggleSteamDisplay();
        form.Timer1Timer();
        QCoreApplication::sendPostedEvents();
        if (tick % 3 != 0) continue;
        const QImage inParts = shown();
        form.view()->repaint();  // the picture and the controls over it, whole
        ASSERT_EQ(inParts, shown()) << "tick " << tick;
        ++checked;
    }
    EXPECT_EQ(checked, 16);
}
