// Reading the instruction files, and the two files the program ships with.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "dialogs/core/InstructionFile.h"

using namespace tevrane;
namespace fs = std::filesystem;

namespace {

// A fresh folder for one test, removed afterwards.
class InstructionFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tevrane-instr-" + std::to_string(::getpid()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }

    fs::path dir_;
};

// The shipped files live in data/ beside the tests' source folder.
fs::path dataFile(const std::string& name) {
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "data" / name;
}

}  // namespace

TEST_F(InstructionFileTest, MissingFileGivesTheSystemsDescription) {
    const InstructionText t = loadInstructionFile((dir_ / "instruct.doc").string());
    EXPECT_FALSE(t.loaded);
    EXPECT_TRUE(t.lines.empty());
    EXPECT_EQ(t.failure, "No such file or directory");
    EXPECT_EQ(instructionLoadMessage("instruct.doc", t.failure),
              "Error Loading instruct.doc: No such file or directory");
}

TEST_F(InstructionFileTest, AFolderCannotBeLoaded) {
    fs::create_directories(dir_ / "TevSpIns.doc");
    const InstructionText t = loadInstructionFile((dir_ / "TevSpIns.doc").string());
    EXPECT_FALSE(t.loaded);
    EXPECT_EQ(t.failure, "Is a directory");
}

TEST_F(InstructionFileTest, LinesAreSplitWithoutTheirLineEnds) {
    const std::string unix = write("a.doc", "first\nsecond\n\nfourth\n");
    InstructionText t = loadInstructionFile(unix);
    ASSERT_TRUE(t.loaded);
    EXPECT_EQ(t.lines, (std::vector<std::string>{"first", "second", "", "fourth"}));

    const std::string dos = write("b.doc", "first\r\nsecond\r\n\r\nfourth\r\n");
    t = loadInstructionFile(dos);
    ASSERT_TRUE(t.loaded);
    EXPECT_EQ(t.lines, (std::vector<std::string>{"first", "second", "", "fourth"}));
}

TEST_F(InstructionFileTest, LastLineWithoutLineEndStillCounts) {
    InstructionText t = loadInstructionFile(write("c.doc", "one\ntwo"));
    ASSERT_TRUE(t.loaded);
    EXPECT_EQ(t.lines, (std::vector<std::string>{"one", "two"}));

    t = loadInstructionFile(write("d.doc", ""));
    EXPECT_TRUE(t.loaded);
    EXPECT_TRUE(t.lines.empty());

    // Blanks at the start and end of a line are part of it.
    t = loadInstructionFile(write("e.doc", "  indented  \n"));
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.lines[0], "  indented  ");
}

TEST_F(InstructionFileTest, LongFileIsReadWhole) {
    std::string content;
    for (int i = 0; i < 3000; ++i) content += "line " + std::to_string(i) + "\n";
    const InstructionText t = loadInstructionFile(write("long.doc", content));
    ASSERT_EQ(t.lines.size(), 3000u);
    EXPECT_EQ(t.lines.front(), "line 0");
    EXPECT_EQ(t.lines.back(), "line 2999");
}

// The two guides are plain text that fits the instruction windows: printable
// ASCII, no tabs, every line under 70 characters.
TEST(ShippedInstructionFiles, ArePlainTextWithShortLines) {
    for (const char* name : {"instruct.doc", "TevSpIns.doc"}) {
        const InstructionText t = loadInstructionFile(dataFile(name).string());
        ASSERT_TRUE(t.loaded) << name << ": " << t.failure;
        EXPECT_GT(t.lines.size(), 100u) << name;
        for (std::size_t i = 0; i < t.lines.size(); ++i) {
            const std::string& line = t.lines[i];
            EXPECT_LT(line.size(), 70u) << name << " line " << i + 1 << ": " << line;
            for (char c : line)
                EXPECT_TRUE(c >= 32 && c < 127) << name << " line " << i + 1 << " has byte " << int(c);
        }
    }
}

// The user's guide names every menu item the main window has, so none is
// left unexplained.
TEST(ShippedInstructionFiles, GuideNamesEveryMenuItem) {
    const InstructionText t = loadInstructionFile(dataFile("instruct.doc").string());
    ASSERT_TRUE(t.loaded);
    std::string all;
    for (const std::string& line : t.lines) all += line + "\n";
    const char* items[] = {
        "OpenDimensions", "SaveAsDimensions", "Export", "Print", "Exit", "SetRevArmPos",
        "SetDriverAng", "SetStepAng", "SetRefPoints", "SetLargeFont", "CalcCentRevArm", "SetSteamDisp",
        "SetErrorBeep", "SetLineWidth", "SetScreenData", "SetPanZoom", "Fit", "FrameDimensions",
        "CylinderDimensions", "SetGraphicZoom", "ResetAllDimensions", "ReferPoints",
        "DrawLinesCircles", "PivotData", "DynamicVari", "UnDo", "SineDiagram", "OvalDiagram",
        "SteamDiagram", "PortOpenClose", "ValveEvents", "Equalise", "Instructions", "InstructionsSpecial",
        "About"};
    for (const char* item : items) EXPECT_NE(all.find(item), std::string::npos) << item;
}
