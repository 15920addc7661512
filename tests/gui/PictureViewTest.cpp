// The main window's picture view: two pictures drawn in turn must show what a
// fresh white picture drawn from scratch shows, and the window must be told
// every pixel that changed.
#include <gtest/gtest.h>

#include <QImage>

#include <random>

#include "RandomShapes.h"
#include "main/Main.h"
#include "platform/QtCanvas.h"

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
