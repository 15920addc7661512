// A design in millimetres through the batch commands: `--convert` end to end,
// and what `--events`, `--check` and `--performance` print for it.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/CommandLine.h"
#include "files/DimensionFile.h"
#include "model/Performance.h"
#include "model/UnitConversion.h"

using namespace tevrane;

namespace {

std::vector<std::uint8_t> readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class UnitsCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tevrane_units_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        std::filesystem::copy_file(TEVRANE_DATA_DIR "/default.dtv", dir_ / "default.dtv");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string at(const char* name) const { return (dir_ / name).string(); }
    int run(const std::vector<std::string>& words) {
        out_.str("");
        err_.str("");
        return runBatchCommand(words, out_, err_);
    }

    std::filesystem::path dir_;
    std::ostringstream out_, err_;
};

TEST_F(UnitsCommand, ConvertWritesTheDesignInTheOtherUnitAndBack) {
    ASSERT_EQ(run({"--convert", "mm", at("default.dtv"), at("mm.dtv")}), 0) << err_.str();
    EXPECT_TRUE(err_.str().empty());
    EXPECT_NE(out_.str().find("from inches to millimetres"), std::string::npos) << out_.str();
    Model in, mm;
    ASSERT_EQ(loadDesign(at("default.dtv"), in), "");
    ASSERT_EQ(loadDesign(at("mm.dtv"), mm), "");
    EXPECT_EQ(mm.lengthUnit, LengthUnit::Millimetre);
    EXPECT_NEAR(mm.stroke, in.stroke * 25.4, 1e-4);
    EXPECT_NEAR(mm.viewScale, in.viewScale / 25.4, 1e-5);

    // Already in millimetres: copied unchanged, and said so.
    ASSERT_EQ(run({"--convert", "mm", at("mm.dtv"), at("again.dtv")}), 0) << err_.str();
    EXPECT_NE(out_.str().find("already in millimetres"), std::string::npos) << out_.str();
    EXPECT_EQ(readAll(dir_ / "again.dtv"), readAll(dir_ / "mm.dtv"));

    // Back to inches: the very file the design was.
    ASSERT_EQ(run({"--convert", "in", at("mm.dtv"), at("in.dtv")}), 0) << err_.str();
    EXPECT_EQ(readAll(dir_ / "in.dtv"), readAll(dir_ / "default.dtv"));

    // Bad words: exit 2 with a reason and nothing written; a missing design 1.
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--convert"}, {"--convert", "cm", at("default.dtv"), at("x.dtv")},
          {"--convert", "MM", at("default.dtv"), at("x.dtv")}, {"--convert", "mm", at("default.dtv")},
          {"--convert", "mm", at("default.dtv"), at("x.dtv"), "extra"}}) {
        EXPECT_EQ(run(bad), 2) << bad.size();
        EXPECT_FALSE(err_.str().empty());
        EXPECT_FALSE(std::filesystem::exists(dir_ / "x.dtv"));
    }
    EXPECT_EQ(run({"--convert", "mm", at("missing.dtv"), at("x.dtv")}), 1);
    EXPECT_NE(err_.str().find("File not found"), std::string::npos) << err_.str();
    // A folder in the way of the output: the writer's reason, exit 1.
    std::filesystem::create_directory(dir_ / "folder.dtv");
    EXPECT_EQ(run({"--convert", "mm", at("default.dtv"), at("folder.dtv")}), 1);
    EXPECT_FALSE(err_.str().empty());
}

TEST_F(UnitsCommand, AMillimetreDesignsOutputsNameItsUnits) {
    ASSERT_EQ(run({"--convert", "mm", at("default.dtv"), at("mm.dtv")}), 0) << err_.str();

    ASSERT_EQ(run({"--events", at("mm.dtv")}), 0) << err_.str();
    const std::string text = out_.str();
    EXPECT_NE(text.find("Lengths in millimetres (mm)"), std::string::npos);
    EXPECT_NE(text.find("Steam lap (mm)"), std::string::npos);
    EXPECT_EQ(text.find("(in)"), std::string::npos) << "an inch left in a millimetre report";
    EXPECT_NE(text.find("reverse arm centre 133.096 mm"), std::string::npos) << text.substr(0, 300);
    ASSERT_EQ(run({"--events", at("mm.dtv"), "--json"}), 0);
    EXPECT_NE(out_.str().find("\"lengthUnit\": \"mm\""), std::string::npos);
    ASSERT_EQ(run({"--events", at("mm.dtv"), "--csv"}), 0);
    EXPECT_NE(out_.str().find(",length_unit\n"), std::string::npos);
    EXPECT_NE(out_.str().find(",mm\n"), std::string::npos);
    ASSERT_EQ(run({"--events", at("default.dtv"), "--json"}), 0);
    EXPECT_NE(out_.str().find("\"lengthUnit\": \"in\""), std::string::npos);

    ASSERT_EQ(run({"--performance", at("mm.dtv"), "--json"}), 0) << err_.str();
    for (const char* s : {"\"mep\": \"bar\"", "\"power\": \"kW\"", "\"pressure\": 7,"})
        EXPECT_NE(out_.str().find(s), std::string::npos) << s << "\n" << out_.str().substr(0, 600);
    ASSERT_EQ(run({"--performance", at("mm.dtv")}), 0);
    EXPECT_NE(out_.str().find("1.01325 bar"), std::string::npos) << out_.str().substr(0, 400);
}

TEST_F(UnitsCommand, PerformanceOfAConvertedDesignIsTheSameInOtherUnits) {
    Model in;
    initModel(in);
    Model mm = in;
    convertDesign(mm, LengthUnit::Millimetre);
    PerformanceInputs imperial = defaultPerformanceInputs(PowerUnits::Imperial);
    PerformanceInputs metric = defaultPerformanceInputs(PowerUnits::Metric);
    metric.chestPressure = imperial.chestPressure / 14.5038;  // the same 100 psi
    const std::vector<NotchTarget> targets = {{75.0, false}, {50.0, false}, {25.0, false}};
    const PerformanceTable a = performanceTable(in, in.revArmCentre(), targets, imperial);
    const PerformanceTable b = performanceTable(mm, mm.revArmCentre(), targets, metric);
    ASSERT_EQ(a.notchesForward.size(), b.notchesForward.size());
    int compared = 0;
    for (std::size_t k = 0; k < a.notchesForward.size(); ++k) {
        const SettingPerformance& p = a.notchesForward[k];
        const SettingPerformance& q = b.notchesForward[k];
        if (!p.power || !q.power) continue;
        EXPECT_NEAR(*q.meanEffectivePressure * 14.5038, *p.meanEffectivePressure,
                    0.005 * std::abs(*p.meanEffectivePressure))
            << k;
        EXPECT_NEAR(*q.power / 0.7457, *p.power, 0.005 * std::abs(*p.power)) << k;
        ++compared;
    }
    EXPECT_GE(compared, 2);
}

}  // namespace
