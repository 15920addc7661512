// "Compare with..." and "Compare off" in the main window: an unreadable file
// says why and changes nothing; a reference is drawn in light grey, its
// moving parts repainted as they move; "Compare off" ends it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QAction>
#include <QImage>

#include <filesystem>
#include <fstream>

#include "app/CommandLine.h"
#include "app/Windows.h"
#include "files/DimensionFile.h"
#include "main/Main.h"
#include "platform/Clock.h"
#include "platform/Sound.h"

using namespace tevrane;

namespace {

const QRgb kGhost = qRgb(200, 200, 200);

int ghostPixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) == kGhost;
    return n;
}

struct CompareFixture : ::testing::Test {
    Model m;
    Panel p;
    MainController c{m, p};
    RecordingSound sound;
    FixedClock clock{"09/12/2026", "00:30:00"};
    WindowRegistry w{windowRows()};
    std::unique_ptr<TMainForm> form;
    void SetUp() override {
        form = std::make_unique<TMainForm>(m, p, c, w, sound, clock);
        form->windowsCreated();
        form->resize(900, 700);
        form->show();
        ASSERT_EQ(form->openDimensionsFile(TEVRANE_DATA_DIR "/default.dtv"), "");
        // The default design reworked: a longer valve rod, the link pivot
        // and the cylinder line higher, so its gear stands apart from the live one.
        // Each test has a folder of its own: ctest runs the tests side by
        // side, and one's clean-up must not take another's file away.
        folder = std::filesystem::temp_directory_path() /
                 ("tevrane_compare_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        reworked = (folder / "tevrane_reworked.dtv").string();
        Model r;
        ASSERT_EQ(loadDesign(TEVRANE_DATA_DIR "/default.dtv", r), "");
        r.valveRodLength += 0.3f;
        r.pivotY[kLinkPivot] += 0.25f;
        r.pivotY[kCrosshead] += 0.2f;
        const auto bytes = encodeDimensions(r);
        std::ofstream(reworked, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    std::string reworked;
};

}  // namespace

TEST_F(CompareFixture, AnUnreadableFileSaysWhyAndChangesNothing) {
    EXPECT_TRUE(form->action(Item::CompareWith)->isEnabled());
    EXPECT_FALSE(form->action(Item::CompareOff)->isEnabled());
    const Model before = m;
    EXPECT_EQ(form->compareWithFile("/nonexistent/other.dtv"), "File not found");
    EXPECT_FALSE(m.referenceShown);
    EXPECT_EQ(m.currentFileName, before.currentFileName);
    EXPECT_FALSE(form->action(Item::CompareOff)->isEnabled());
}

TEST_F(CompareFixture, TheReferenceIsDrawnRepaintedAsItMovesAndEndedByCompareOff) {
    form->Timer1Timer();
    // Letters' edges have a few pixels of the grey too.
    const int alone = ghostPixels(form->view()->picture());

    ASSERT_EQ(form->compareWithFile(QString::fromStdString(reworked)), "");
    EXPECT_TRUE(m.referenceShown);
    EXPECT_EQ(m.referenceName, "tevrane_reworked");
    EXPECT_EQ(m.currentFileName, "default");  // the live design is still the live one
    form->syncFromPanel();
    EXPECT_TRUE(form->action(Item::CompareOff)->isEnabled());

    form->Timer1Timer();
    form->Timer1Timer();
    EXPECT_GT(ghostPixels(form->view()->picture()), alone + 200);
    // Each tick turns the driver: every pixel that changed, the ghost's
    // moving parts among them, lies in the part of the window repainted.
    for (int t = 0; t < 3; ++t) {
        const QImage before = form->view()->picture().copy();
        form->Timer1Timer();
        const QImage& after = form->view()->picture();
        int ghostChanged = 0;
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x) {
                if (after.pixel(x, y) == before.pixel(x, y)) continue;
                ASSERT_TRUE(form->view()->lastChange().contains(QPoint(x, y))) << x << "," << y;
                ghostChanged += after.pixel(x, y) == kGhost || before.pixel(x, y) == kGhost;
            }
        EXPECT_GT(ghostChanged, 20) << "tick " << t;
    }

    form->action(Item::CompareOff)->trigger();
    EXPECT_FALSE(m.referenceShown);
    EXPECT_FALSE(form->action(Item::CompareOff)->isEnabled());
    form->Timer1Timer();
    form->Timer1Timer();
    EXPECT_LT(ghostPixels(form->view()->picture()), alone + 20);
}
