// The main window's picture view: two pictures drawn in turn must show what a
// fresh white picture drawn from scratch shows, and the window must be told
// every pixel that changed.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include <random>

#include "RandomShapes.h"
#include "app/Windows.h"
#include "main/Main.h"
#include "platform/Clock.h"
#include "platform/QtCanvas.h"
#include "platform/QtPainterCanvas.h"
#include "platform/Sound.h"

using namespace tevrane;
using tevrane::testing::drawShapes;

namespace {

// Every pixel of the picture that is not white lies in a tile the canvas
// marked as inked.
void expectInkMarked(const QImage& picture, const InkTiles& ink, unsigned frame) {
    ASSERT_EQ(ink.width(), picture.width());
    ASSERT_EQ(ink.height(), picture.height());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != 0xFFFFFFFFu) {
                ASSERT_TRUE(ink.marked(x / InkTiles::kTileWidth, y / InkTiles::kTileHeight))
                    << "frame " << frame << " at " << x << "," << y;
            }
}

void framesInTurn(bool byInkTiles) {
    // Frames of very different extent, one after the other: each picture on
    // show must equal its frame drawn on a fresh white picture, and every
    // pixel that differs from the frame before must lie in the repainted part.
    auto scene = [](Canvas& c, unsigned seed) {
        std::mt19937 rng(seed);
        const int width = 100 + static_cast<int>(rng() % 1100);
        const int height = 80 + static_cast<int>(rng() % 900);
        const int count = static_cast<int>(rng() % 30);  // some frames draw only text
        // Every third frame with a wide pen, whose lines the painter draws.
        c.setPenWidth(seed % 3 == 0 ? 4 : 1);
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
        InkTiles ink;
        {
            QtCanvas c(back);
            scene(c, seed);
            drawn = c.touched();
            ink = c.inkTiles();
        }
        expectInkMarked(back, ink, seed);
        view.endFrame(drawn, byInkTiles ? &ink : nullptr);

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
    InkTiles ink;
    {
        QtCanvas c(view.beginFrame());
        scene(c, 12);
        drawn = c.touched();
        ink = c.inkTiles();
    }
    view.endFrame(drawn, byInkTiles ? &ink : nullptr);
    EXPECT_TRUE(view.lastChange().isEmpty());
    EXPECT_EQ(view.picture(), previous);
}

}  // namespace

// Cleared and compared by the drawn box, or only in the tiles the frames
// drew in, as the window's tick does.
TEST(PictureChanges, FramesInTurnShowWhatAFreshPictureShows) { framesInTurn(false); }
TEST(PictureChanges, FramesInTurnByInkTilesShowWhatAFreshPictureShows) { framesInTurn(true); }

// On a screen between whole ratios (150 %) the frame is drawn with a painter
// at device resolution, smoothed; here at two device pixels to a picture
// pixel: every device pixel it inks still lies in a
// tile it marked, for thin and wide pens, texts and shapes far off the edges.
TEST(PictureChanges, PainterMarksEveryTileItInksAtDeviceResolution) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        QImage picture = QtCanvas::whiteImage(1200, 800);
        picture.setDevicePixelRatio(2.0);
        InkTiles ink;
        ink.reset(picture.width(), picture.height());
        {
            QPainter painter(&picture);
            QtPainterCanvas c(painter, 600, 400);
            c.trackInk(&ink, 2.0);
            c.setPenWidth(seed % 2 == 0 ? 3 : 1);
            drawShapes(c, seed, 600, 400, 25);
            c.textOut(static_cast<int>(seed * 61 % 580), static_cast<int>(seed * 37 % 390), "ValveFSt -0.266");
        }
        expectInkMarked(picture, ink, seed);
        EXPECT_TRUE(ink.any());
    }
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

// On a screen of two device pixels to a picture pixel (the ctest entry
// gui_tests_dense_screen runs this with QT_SCALE_FACTOR=2) the pictures are
// at the device's resolution, the frame lands on them whole, and the window
// is told to repaint in its own pixels, inside itself. At one device pixel
// the test has nothing to check.
TEST(PictureChanges, DenseScreenPicturesAtDeviceResolution) {
    Model m;
    Panel p;
    MainController c(m, p);
    NullSound sound;
    FixedClock clock{"07/12/2026", "10:00:00"};
    WindowRegistry windows{windowRows()};
    TMainForm form(m, p, c, windows, sound, clock);
    form.windowsCreated();
    form.resize(900, 600);
    form.show();
    QCoreApplication::processEvents();
    const qreal ratio = form.view()->devicePixelRatioF();
    if (ratio == 1.0) GTEST_SKIP() << "one device pixel to a picture pixel";
    for (int tick = 0; tick < 3; ++tick) form.Timer1Timer();
    const QImage& picture = form.view()->picture();
    EXPECT_TRUE(form.view()->highDensity());
    EXPECT_EQ(picture.devicePixelRatio(), ratio);
    EXPECT_EQ(picture.size(), (QSizeF(form.view()->size()) * ratio).toSize());
    // The wheel (radius 98 about (115, 270) at the start view) is drawn at
    // device resolution: its rim's leftmost ink is near device column
    // (115 - 98) * ratio, not in the picture's top-left quarter only.
    int rimLeft = -1;
    const int row = static_cast<int>(270 * ratio);
    for (int x = 0; x < picture.width() && rimLeft < 0; ++x)
        if (qGray(picture.pixel(x, row)) < 160) rimLeft = x;
    EXPECT_NEAR(rimLeft, (115 - 98) * ratio, 2 * ratio);
    // At a whole ratio the steps of the rods and the rim, and the letters,
    // are in device pixels: some square of ratio x ratio device pixels on
    // the picture's grid holds two colours, which a picture drawn at one
    // device pixel and blown up never does.
    const int k = form.view()->wholeDeviceScale();
    if (k > 1) {
        bool finer = false;
        for (int y = 0; y + k <= picture.height() && !finer; y += k)
            for (int x = 0; x + k <= picture.width() && !finer; x += k)
                for (int j = 0; j < k && !finer; ++j)
                    for (int i = 0; i < k && !finer; ++i) finer = picture.pixel(x + i, y + j) != picture.pixel(x, y);
        EXPECT_TRUE(finer);
    }
    EXPECT_TRUE(form.view()->rect().contains(form.view()->lastChange().boundingRect()) ||
                form.view()->lastChange().isEmpty());
}
