// The title block of exported and printed pictures: what its lines say and
// that it stays boxed inside the picture's bottom-right corner.
#include <gtest/gtest.h>

#include "main/core/TitleBlock.h"
#include "platform/RecordingCanvas.h"

namespace tevrane {
namespace {

TitleBlock sample() {
    Model m;
    initModel(m);
    m.currentFileName = "Pacific";
    m.driverAngle = 123.456f;
    m.revArmPos = m.revArmCentre() + 0.5f;
    return titleBlockOf(m, "08/12/2026");
}

TEST(TitleBlock, LinesNameTheDesignDateAngleAndReverseArmWithTheirUnits) {
    const std::vector<std::string> lines = titleBlockLines(sample());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Tevrane Outside Admission   Pacific");
    EXPECT_EQ(lines[1], "Date 08/12/2026, lengths in inches");
    EXPECT_EQ(lines[2], "Driver angle 123.46 deg, clockwise as drawn from the crank pointing at the cylinder");
    EXPECT_EQ(lines[3], "Reverse arm 5.740 in (mid gear 5.240 in, +0.500 in from it)");
    // Below mid gear the distance says so; an unnamed design is the
    // defaults' "Nominal".
    Model m;
    initModel(m);
    m.currentFileName.clear();
    m.revArmPos = m.revArmCentre() - 1.2f;
    const std::vector<std::string> below = titleBlockLines(titleBlockOf(m, "x"));
    EXPECT_EQ(below[0], "Tevrane Outside Admission   Nominal");
    EXPECT_NE(below[3].find(", -1.200 in from it)"), std::string::npos) << below[3];
    // A design in millimetres says so beside each length.
    m.lengthUnit = LengthUnit::Millimetre;
    const std::vector<std::string> mm = titleBlockLines(titleBlockOf(m, "x"));
    EXPECT_EQ(mm[1], "Date x, lengths in millimetres");
    EXPECT_NE(mm[3].find(" mm (mid gear "), std::string::npos) << mm[3];
    EXPECT_NE(mm[3].find(" mm from it)"), std::string::npos) << mm[3];
}

TEST(TitleBlock, BoxedInTheBottomRightCornerAtTheNormalLetterSize) {
    for (const auto& [w, h] : {std::pair{1600, 1000}, std::pair{632, 482}, std::pair{200, 100}}) {
        RecordingCanvas c;
        c.setTextScale(1.27f, 1.22f);  // a picture drawn at the large font
        drawTitleBlock(c, sample(), w, h);
        const auto boxes = c.ofKind(DrawOp::Kind::Polyline);
        ASSERT_EQ(boxes.size(), 1u);
        const auto& box = boxes[0].points;
        ASSERT_EQ(box.size(), 5u);
        const int left = box[0].x, top = box[0].y, right = box[2].x, bottom = box[2].y;
        EXPECT_EQ(right, w - 4);
        EXPECT_EQ(bottom, h - 4);
        EXPECT_GE(left, 4);
        EXPECT_GE(h - top, 0);
        EXPECT_LE(h - top, kTitleBlockHeight);
        const auto texts = c.ofKind(DrawOp::Kind::Text);
        ASSERT_EQ(texts.size(), 4u);
        for (const DrawOp& t : texts) {
            EXPECT_EQ(t.textScaleX, 1.0f);
            EXPECT_GT(t.points[0].x, left);
            EXPECT_GT(t.points[0].y, top);
            EXPECT_LT(t.points[0].y + 13, bottom);
            if (w >= 632) EXPECT_LE(t.points[0].x + c.textWidth(t.text), right) << t.text;
        }
    }
}

}  // namespace
}  // namespace tevrane
