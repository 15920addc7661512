// The dimension file: its layout worked out by hand for a few records, the
// fields stored twice, round trips, short and hostile files, the file name.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "files/DimensionFile.h"
#include "model/Model.h"

namespace tevrane {
namespace {

float field(const std::vector<std::uint8_t>& b, int record, int f) {
    const std::size_t at = (static_cast<std::size_t>(record - 1) * 5 + static_cast<std::size_t>(f - 1)) * 4;
    const std::uint32_t bits = std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 |
                               std::uint32_t{b[at + 2]} << 16 | std::uint32_t{b[at + 3]} << 24;
    return std::bit_cast<float>(bits);
}

void setField(std::vector<std::uint8_t>& b, int record, int f, float v) {
    const std::size_t at = (static_cast<std::size_t>(record - 1) * 5 + static_cast<std::size_t>(f - 1)) * 4;
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (8 * i));
}

Model defaults() {
    Model m;
    initModel(m);
    return m;
}

TEST(DimensionFile, LayoutOfTheDefaultDesignByHand) {
    const Model m = defaults();
    const auto b = encodeDimensions(m);
    ASSERT_EQ(b.size(), 1400u);
    // Record 1: stroke, driver diameter, main rod, lug horizontal, valve rod.
    EXPECT_EQ(field(b, 1, 1), 3.0f);
    EXPECT_EQ(field(b, 1, 2), 7.0f);
    EXPECT_EQ(field(b, 1, 3), 9.0f);
    EXPECT_EQ(field(b, 1, 4), 1.0f);
    EXPECT_EQ(field(b, 1, 5), 5.95f);
    // Record 3 F3/F4: the link pivot; record 5: cylinder line height, then the spare 0.
    EXPECT_EQ(field(b, 3, 3), 5.24f);
    EXPECT_EQ(field(b, 3, 4), 2.048f);
    EXPECT_EQ(field(b, 5, 2), 16.0f);
    EXPECT_EQ(field(b, 5, 5), 0.0f);
    EXPECT_EQ(field(b, 9, 5), 2.062f);  // Y of pivot 4
    // Record 10: scale 28, offset X 115, zoom 7.5, offset Y 270, normal travel 1.
    EXPECT_EQ(field(b, 10, 1), 28.0f);
    EXPECT_EQ(field(b, 10, 3), 7.5f);
    EXPECT_EQ(field(b, 10, 4), 270.0f);
    EXPECT_EQ(field(b, 11, 1), 1.2f);
    EXPECT_EQ(field(b, 11, 5), 1.5f);
    // Record 16: preset 6's vertical offset, then positions 1 to 4.
    EXPECT_EQ(field(b, 16, 1), 900.0f);
    EXPECT_EQ(field(b, 16, 2), 5.24f);
    EXPECT_EQ(field(b, 16, 3), 6.24f);
    EXPECT_EQ(field(b, 16, 4), 4.24f);
    EXPECT_EQ(field(b, 16, 5), 0.0f);
    // Records 50 and 54: unused overlay entries hold -1; record 70: 0 0 0 0 1.
    EXPECT_EQ(field(b, 50, 1), -1.0f);
    EXPECT_EQ(field(b, 54, 5), -1.0f);
    for (int f = 1; f <= 4; ++f) EXPECT_EQ(field(b, 70, f), 0.0f);
    EXPECT_EQ(field(b, 70, 5), 1.0f);
}

// Every field a different value: what is read is what was written, and the
// fields stored twice take the second copy.
TEST(DimensionFile, RoundTripWithEveryFieldDistinctAndTheSecondCopyWins) {
    std::vector<std::uint8_t> b(1400);
    for (int r = 1; r <= 70; ++r)
        for (int f = 1; f <= 5; ++f) setField(b, r, f, static_cast<float>(r * 10 + f) / 8.0f);
    setField(b, 5, 5, std::bit_cast<float>(0x7FC01234u));  // the spare field: raw bits
    setField(b, 70, 5, 7.4f);
    Model m = defaults();
    ASSERT_TRUE(decodeDimensions(m, b).ok);
    EXPECT_EQ(m.stroke, 11.0f / 8);
    EXPECT_EQ(m.valveLeverOffset, 45.0f / 8);  // record 4 F5 over F4
    EXPECT_EQ(m.cyl.cavityFront, 94.0f / 8);   // record 9 F4 over F3
    EXPECT_EQ(m.pivotY[kValveStemJoint], 95.0f / 8);
    EXPECT_EQ(m.revArmPos, 112.0f / 8);
    EXPECT_EQ(m.diagramVScale, 115.0f / 8);
    EXPECT_EQ(m.viewPresets[6][2], 161.0f / 8);
    EXPECT_EQ(m.revArmSet[9], 175.0f / 8);
    EXPECT_EQ(m.lineX1[1], 181.0f / 8);
    EXPECT_EQ(m.linePivotB[20], 695.0f / 8);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(m.cyl.cylSpare), 0x7FC01234u);
    EXPECT_EQ(m.lineCount, 7);  // the only value converted: rounded

    const auto again = encodeDimensions(m);
    Model back = defaults();
    ASSERT_TRUE(decodeDimensions(back, again).ok);
    EXPECT_EQ(encodeDimensions(back), again);
    EXPECT_EQ(std::memcmp(static_cast<const Engine*>(&m), static_cast<const Engine*>(&back), sizeof(Engine)), 0);
    // Differences from the bytes read are only where one field is stored
    // twice, or where the diagram's copy of the reverse arm stood.
    for (int r = 1; r <= 69; ++r)
        for (int f = 1; f <= 5; ++f) {
            const bool twice = (r == 4 && f == 4) || (r == 9 && f == 3) || (r == 11 && (f == 3 || f == 4));
            if (!twice) EXPECT_EQ(std::bit_cast<std::uint32_t>(field(again, r, f)), std::bit_cast<std::uint32_t>(field(b, r, f))) << r << " " << f;
        }
}

TEST(DimensionFile, AShortFileChangesNothingALongerOneIsReadTo1400Bytes) {
    Model m = defaults();
    m.currentFileName = "before";
    const Model before = m;
    std::vector<std::uint8_t> b = encodeDimensions(m);
    for (std::size_t n : {std::size_t{0}, std::size_t{20}, std::size_t{1399}}) {
        std::vector<std::uint8_t> cut(b.begin(), b.begin() + static_cast<long>(n));
        for (auto& byte : cut) byte ^= 0x55;
        const DecodeResult r = decodeDimensions(m, cut);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, "Read beyond end of file");
        EXPECT_EQ(std::memcmp(static_cast<const Engine*>(&m), static_cast<const Engine*>(&before), sizeof(Engine)), 0);
        EXPECT_EQ(m.currentFileName, "before");
    }
    setField(b, 1, 1, 4.5f);
    b.resize(2000, 0xFF);
    ASSERT_TRUE(decodeDimensions(m, b).ok);
    EXPECT_EQ(m.stroke, 4.5f);
}

TEST(DimensionFile, AHostileEntryNumberStaysInsideTheOverlayTable) {
    Model m = defaults();
    std::vector<std::uint8_t> b = encodeDimensions(m);
    const float values[] = {std::numeric_limits<float>::quiet_NaN(), 1e30f, -1e30f, 0.0f, 20.4f};
    const int expected[] = {1, 20, 1, 1, 20};
    for (int i = 0; i < 5; ++i) {
        setField(b, 70, 5, values[i]);
        ASSERT_TRUE(decodeDimensions(m, b).ok);
        EXPECT_EQ(m.lineCount, expected[i]) << values[i];
    }
}

// The diagrams' vertical scale (record 11, F5) is held to 0.1 .. 1000 on
// reading, so a damaged or hostile file cannot freeze a diagram.
TEST(DimensionFile, AHostileVerticalScaleIsHeldWithinItsLimits) {
    Model m = defaults();
    std::vector<std::uint8_t> b = encodeDimensions(m);
    const float values[] = {1e38f, std::numeric_limits<float>::infinity(), 1000.5f, 999.5f, 0.05f, -4.0f,
                            -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(), 2.25f};
    const float expected[] = {1000.0f, 1000.0f, 1000.0f, 999.5f, 0.1f, 0.1f, 0.1f, 1.5f, 2.25f};
    for (int i = 0; i < 9; ++i) {
        m.diagramVScale = 7.0f;
        setField(b, 11, 5, values[i]);
        ASSERT_TRUE(decodeDimensions(m, b).ok);
        EXPECT_EQ(m.diagramVScale, expected[i]) << values[i];
    }
}

TEST(DimensionFile, ShownNameIsTheBaseNameWithoutItsExtension) {
    EXPECT_EQ(displayFileName("C:\\designs\\engine.dtv"), "engine");
    EXPECT_EQ(displayFileName("/home/u/engine.data"), "engine");
    EXPECT_EQ(displayFileName("/home/u/name.d"), "name");
    EXPECT_EQ(displayFileName("/home/u.v/engine"), "engine");
    EXPECT_EQ(displayFileName("engine.v2.dtv"), "engine.v2");
    EXPECT_EQ(displayFileName(".dtv"), ".dtv");
}

}  // namespace
}  // namespace tevrane

#include <fstream>
#include <iterator>

#include "model/Solver.h"

namespace tevrane {
namespace {

// The example designs a new user opens first: each reads whole, and its gear
// closes at mid gear and in full forward and reverse gear.
TEST(DimensionFile, ExampleDesignsOpenAndTheirGearCloses) {
    for (const char* name : {"default", "long-travel", "short-lap"}) {
        std::ifstream in(std::string(TEVRANE_TEST_DATA_DIR "/../../data/") + name + ".dtv",
                         std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                              std::istreambuf_iterator<char>());
        ASSERT_EQ(bytes.size(), 1400u) << name;
        Model m = defaults();
        ASSERT_TRUE(decodeDimensions(m, bytes).ok) << name;
        afterDimensionsLoaded(m);
        for (float arm : {m.revArmCentre(), m.revArmCentre() + m.revArmNormal, m.revArmCentre() - m.revArmNormal})
            for (float angle = 0; angle < 360; angle += 15)
                EXPECT_EQ(solveGear(m, angle, arm).clamps(), 0) << name << " " << arm << " " << angle;
    }
}

}  // namespace
}  // namespace tevrane

#include "model/UnitConversion.h"

namespace tevrane {
namespace {

std::vector<std::uint8_t> exampleBytes(const char* name) {
    std::ifstream in(std::string(TEVRANE_TEST_DATA_DIR "/../../data/") + name + ".dtv", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The unit's slot is record 70's first field: 0 for inches, exactly 25.4 for
// millimetres, any other value inches.
TEST(DimensionFile, TheLengthUnitLivesInRecordSeventyAndInchFilesStayAsTheyWere) {
    // A design in inches saves byte for byte as the example designs were
    // saved before designs carried a unit.
    for (const char* name : {"default", "long-travel", "short-lap"}) {
        const std::vector<std::uint8_t> file = exampleBytes(name);
        Model m = defaults();
        ASSERT_TRUE(decodeDimensions(m, file).ok) << name;
        EXPECT_EQ(m.lengthUnit, LengthUnit::Inch) << name;
        afterDimensionsLoaded(m);
        EXPECT_EQ(encodeDimensions(m), file) << name;
    }

    // A design in millimetres marks the slot and comes back whole.
    Model mm = defaults();
    mm.viewPresets[0][0] = 41.5f;
    mm.lineX2[3] = 0.75f;
    convertDesign(mm, LengthUnit::Millimetre);
    const auto bytes = encodeDimensions(mm);
    EXPECT_EQ(field(bytes, 70, 1), 25.4f);
    for (int f = 2; f <= 4; ++f) EXPECT_EQ(field(bytes, 70, f), 0.0f);
    EXPECT_EQ(field(bytes, 70, 5), 1.0f);  // the overlay entry, unchanged
    EXPECT_NEAR(field(bytes, 1, 1), 76.2f, 1e-5f);
    Model back = defaults();
    ASSERT_TRUE(decodeDimensions(back, bytes).ok);
    EXPECT_EQ(back.lengthUnit, LengthUnit::Millimetre);
    afterDimensionsLoaded(back);
    EXPECT_EQ(encodeDimensions(back), bytes);
    EXPECT_EQ(back.stroke, mm.stroke);
    EXPECT_EQ(back.viewScale, mm.viewScale);
    EXPECT_EQ(back.lineX2[3], mm.lineX2[3]);

    // Anything else in the slot, as a file from elsewhere may hold, is inches.
    for (float junk : {25.400002f, 25.399998f, 1.0f, -25.4f, 1e30f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(), std::bit_cast<float>(0x19u)}) {
        std::vector<std::uint8_t> b = bytes;
        setField(b, 70, 1, junk);
        Model m = defaults();
        ASSERT_TRUE(decodeDimensions(m, b).ok);
        EXPECT_EQ(m.lengthUnit, LengthUnit::Inch) << junk;
        EXPECT_EQ(m.stroke, mm.stroke);  // the numbers are read as numbers
    }
}

}  // namespace
}  // namespace tevrane
