// The "Indicated Performance" window and `tevrane --performance`: the cards
// follow the bars, the undo and the boxes; the command's words, failures and
// its JSON.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include "app/CommandLine.h"
#include "dialogs/PerformanceWindow.h"
#include "files/DimensionFile.h"
#include "main/core/MainController.h"
#include "model/DynVars.h"

using namespace tevrane;

namespace {

struct PerformanceWindowFixture : ::testing::Test {
    Model m;
    Panel p;
    std::unique_ptr<MainController> c;
    std::unique_ptr<TPerformance> w;

    void SetUp() override {
        initModel(m);
        initPanel(m, p);
        c = std::make_unique<MainController>(m, p);
        w = std::make_unique<TPerformance>(m, *c);
    }
    const SettingPerformance& shown() const { return w->table().notchesForward[0]; }
};
using PerformanceWindow = PerformanceWindowFixture;

TEST_F(PerformanceWindow, TheBoxesTheBarsAndTheUndoAllRecomputeTheCards) {
    // "Valve Length Front Half" on bar 1: a longer front half cuts the front
    // end off earlier, so its work at the same notch falls.
    commitEdit(m, 119, dimensionName(119), m.cyl.valveLenFront, m.cyl.valveLenFront);
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    w->show();
    ASSERT_EQ(w->notchChoice()->count(), 12);  // six targets, both senses
    EXPECT_EQ(w->notchChoice()->itemText(0), QStringLiteral("Fwd 75 %"));
    const double mep = *shown().meanEffectivePressure;
    const double frontWork = shown().front.work;

    // Half as many revolutions: half the power, the same cards.
    const double power = *shown().power;
    w->speedBox()->setValue(150);
    EXPECT_NEAR(*shown().power, power / 2, 1e-9 * power);
    EXPECT_DOUBLE_EQ(*shown().meanEffectivePressure, mep);
    // A road speed turns into revolutions over the driver's circumference:
    // 40 miles an hour is 40 x 63,360 inches in 60 minutes.
    w->roadSpeedChoice()->setChecked(true);
    w->speedBox()->setValue(40);
    const double rpm = 40 * 63360.0 / 60 / (std::numbers::pi * m.driverDiameter);
    EXPECT_NEAR(w->table().revolutionsPerMinute, rpm, 1e-9 * rpm);
    EXPECT_NEAR(*shown().power, power * rpm / 300, 1e-9 * power);
    // More steam, more work.
    w->pressureBox()->setValue(150);
    EXPECT_GT(*shown().meanEffectivePressure, mep);
    w->pressureBox()->setValue(100);
    // A back pressure above the chest's is refused and said so; the last
    // good table stays.
    w->backPressureBox()->setValue(120);
    EXPECT_FALSE(w->findChild<QLabel*>(QStringLiteral("PerformanceProblem"))->isHidden());
    EXPECT_DOUBLE_EQ(*shown().meanEffectivePressure, mep);
    w->backPressureBox()->setValue(0);
    EXPECT_TRUE(w->findChild<QLabel*>(QStringLiteral("PerformanceProblem"))->isHidden());

    DynVarScrollBar* bar = w->dynBar(1);
    ASSERT_TRUE(bar->isVisible() && bar->isEnabled());
    w->dynVarEnter(1);
    for (int k = 0; k < 3; ++k) bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    w->dynVarScrollEnd(1);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    // The notch is found again for the changed gear; the front end works less.
    EXPECT_LT(shown().front.work, frontWork);
    w->undoButton()->click();
    EXPECT_DOUBLE_EQ(shown().front.work, frontWork);
    w->close();
}

TEST_F(PerformanceWindow, DrawsBothCardsOfTheChosenNotch) {
    w->show();
    w->notchChoice()->setCurrentIndex(6);  // Rev 75 %
    EXPECT_TRUE(w->exportAction() != nullptr && w->printAction() != nullptr);
    int blue = 0, maroon = 0;
    const QImage& s = w->surface();
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const QRgb c = s.pixel(x, y);
            blue += c == qRgb(0, 0, 255);
            maroon += c == qRgb(128, 0, 0);
        }
    EXPECT_GT(blue, 200);  // the front card's outline
    EXPECT_GT(maroon, 200);  // the back card's
    w->close();
}

// At the large font the cards and the table grow whole: the picture is as
// much larger as the font, and its drawing fills it as at the normal font.
TEST_F(PerformanceWindow, TheLargeFontGrowsTheWholePicture) {
    auto inkBox = [](const QImage& s) {
        QRect box;
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x)
                if (s.pixel(x, y) != qRgb(255, 255, 255)) box = box.united(QRect(x, y, 1, 1));
        return box;
    };
    w->show();
    const QSize normalSize = w->surface().size();
    const QRect normal = inkBox(w->surface());
    w->close();
    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    TPerformance large(m, *c);
    large.show();
    const QSize largeSize = large.surface().size();
    const QRect grown = inkBox(large.surface());
    EXPECT_NEAR(largeSize.width(), normalSize.width() * 1.27, 1.0);
    EXPECT_NEAR(largeSize.height(), normalSize.height() * 1.22, 1.0);
    EXPECT_NEAR(grown.right(), normal.right() * 1.27, 12.0);
    EXPECT_NEAR(grown.bottom(), normal.bottom() * 1.22, 12.0);
    EXPECT_TRUE(QRect(QPoint(0, 0), largeSize).contains(grown));
    large.close();
}

std::string writeDefaultDesign(const char* name) {
    Model d;
    initModel(d);
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    const auto bytes = encodeDimensions(d);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 1400);
    return path;
}

TEST(PerformanceCommand, WordsFailuresAndTheJson) {
    std::ostringstream out, err;
    EXPECT_EQ(runBatchCommand({"--performance"}, out, err), 2);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--pressure"}, {"--pressure", "lots"}, {"--rpm", "300", "--speed", "40"},
             {"--cylinders", "2.5"}, {"--cylinders", "0"}, {"--clearance", "-1"},
             {"--back-pressure", "200"}, {"--csv", "--json"}, {"--notches", "75,100"}, {"--bogus"}}) {
        std::vector<std::string> words = {"--performance", "x.dtv"};
        words.insert(words.end(), bad.begin(), bad.end());
        err.str("");
        EXPECT_EQ(runBatchCommand(words, out, err), 2) << bad[0];
        EXPECT_FALSE(err.str().empty()) << bad[0];
    }
    err.str("");
    EXPECT_EQ(runBatchCommand({"--performance", "/nonexistent/x.dtv"}, out, err), 1);
    EXPECT_NE(err.str().find("File not found"), std::string::npos);

    const std::string design = writeDefaultDesign("tevrane_performance.dtv");
    out.str("");
    ASSERT_EQ(runBatchCommand({"--performance", design, "--json", "--notches", "75", "--cylinders", "3"}, out, err), 0)
        << err.str();
    const std::string json = out.str();
    for (const char* s : {"\"units\": {\"pressure\": \"psi gauge in, absolute in the cards\", \"mep\": \"psi\"",
                          "\"work\": \"ft lbf\"", "\"power\": \"hp\"", "\"cylinders\": 3",
                          "{\"target\": 75, \"sense\": \"forward\", \"revArm\": ", "\"front\": {\"mep\": ",
                          "\"back\": {\"mep\": ", "\"workRatio\": ", "{\"target\": null, \"setting\": 0"})
        EXPECT_NE(json.find(s), std::string::npos) << s << "\n" << json;

    // The power in the JSON is the one of the table, with three cylinders.
    Model m;
    initModel(m);
    PerformanceInputs in;
    in.cylinders = 3;
    const PerformanceTable t = performanceTable(m, m.revArmCentre(), std::vector<NotchTarget>{{75.0, false}}, in);
    char expected[64];
    std::snprintf(expected, sizeof expected, "\"power\": %.9g", *t.notchesForward[0].power);
    EXPECT_NE(json.find(expected), std::string::npos) << expected;

    out.str("");
    ASSERT_EQ(runBatchCommand({"--performance", design, "--csv"}, out, err), 0);
    EXPECT_EQ(out.str().rfind("kind,target,setting,sense,revArm,front mep (psi)", 0), 0u);
    // One line a row: a heading, 6 notches and 19 settings both ways.
    const std::string csv = out.str();
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 2 * 6 + 2 * 19);
    out.str("");
    ASSERT_EQ(runBatchCommand({"--performance", design, "--speed", "40"}, out, err), 0);
    EXPECT_NE(out.str().find("(40.0 mph)"), std::string::npos) << out.str();
    std::filesystem::remove(design);
}

}  // namespace
