// The reverse-arm position set: the dialog's walk over the positions, the
// limit scale, the key filter that reveals the next box, and the rules a box
// applies when it is left.
#include "diagrams/core/RevArmSet.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <utility>

#include "main/core/MainController.h"
#include "model/Format.h"
#include "model/Model.h"
#include "platform/RecordingCanvas.h"

namespace tevrane {
namespace {

class RevArmSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        initModel(m);
        initPanel(m, panel);
    }

    // The dialog opening: the positions are settled, then drawn.
    void open() {
        c.reset();
        commands.settleDiagramPositions();
        drawRevArmDialog(m, c, boxes);
    }
    bool textAt(const std::string& t, int x, int y) const {
        for (const auto& op : c.ops())
            if (op.kind == DrawOp::Kind::Text && op.text == t && op.points[0] == IPoint{x, y}) return true;
        return false;
    }
    // Typing a key into a text as the box does when the filter keeps it.
    static std::string type(std::string text, char key) {
        if (!acceptRevArmKey(text, key)) return text;
        if (key == '\b') {
            if (!text.empty()) text.pop_back();
        } else {
            text += key;
        }
        return text;
    }

    Model m;
    Panel panel;
    MainController commands{m, panel};
    RecordingCanvas c;
    RevArmBoxes boxes;
};

TEST_F(RevArmSetTest, DefaultOpeningShowsScaleAndThreePositions) {
    open();
    EXPECT_TRUE(textAt("Min 4.040", 10, 4));
    EXPECT_TRUE(textAt("Rev 4.240", 75, 4));
    EXPECT_TRUE(textAt("Cent 5.240", 140, 4));
    EXPECT_TRUE(textAt("Fwd 6.240", 205, 4));
    EXPECT_TRUE(textAt("Max 6.440", 270, 4));
    EXPECT_EQ(boxes.text[1], "5.240");
    EXPECT_EQ(boxes.text[2], "6.240");
    EXPECT_EQ(boxes.text[3], "4.240");
    EXPECT_EQ(boxes.text[4], "0.000");
    EXPECT_EQ(boxes.text[kRevArmScaleBox], "1.500");
    EXPECT_EQ(m.revArmSetCount, 3);
    // Boxes 1 to 4 are offered: the three in use and the next free one.
    for (int b = 1; b <= 4; ++b) EXPECT_TRUE(boxes.visible[static_cast<size_t>(b)]) << b;
    for (int b = 5; b <= 9; ++b) EXPECT_FALSE(boxes.visible[static_cast<size_t>(b)]) << b;
    EXPECT_TRUE(boxes.visible[kRevArmScaleBox]);
    EXPECT_TRUE(textAt("Rev Arm Position  4", 13, 77));
    EXPECT_TRUE(c.findText("Rev Arm Position  5") == nullptr);
    EXPECT_TRUE(textAt("Vertical Scale", 13, 25));
    EXPECT_TRUE(textAt("Max of 9 Positions", 13, 98));
}

TEST_F(RevArmSetTest, LabelsFollowTheLargeFontButTheScaleKeepsItsRow) {
    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    open();
    EXPECT_TRUE(textAt("Min 4.040", 13, 4));       // 10 * 1.27 = 12.7
    EXPECT_TRUE(textAt("Max 6.440", 343, 4));      // 270 * 1.27 = 342.9
    EXPECT_TRUE(textAt("Rev Arm Position  2", 17, 62));  // 16.51, 62.22
    EXPECT_TRUE(textAt("Vertical Scale", 17, 31));       // 25 * 1.22f is just above 30.5
    for (const DrawOp& t : c.ofKind(DrawOp::Kind::Text)) {
        EXPECT_EQ(t.textScaleX, 1.27f) << t.text;
        EXPECT_EQ(t.textScaleY, 1.22f) << t.text;
    }
}

TEST_F(RevArmSetTest, BoxesStayClearOfTheLabelsAndInsideTheForm) {
    for (const auto& [fx, fy] : {std::pair{1.0f, 1.0f}, std::pair{1.27f, 1.22f}}) {
        m.fontScaleX = fx;
        m.fontScaleY = fy;
        const int rightLabels = revArmLabelPlace(m, 5).x;
        for (const int box : {1, 2, 3, 4, kRevArmScaleBox}) {
            const RevArmRect r = revArmBoxRect(m, box);
            EXPECT_GT(r.w, 49 * 8 / 10 * fx) << box;  // wider than the first layout
            EXPECT_LT(r.x + r.w, rightLabels) << box << " at " << fx;
        }
        for (int box = 5; box <= 9; ++box) {
            const RevArmRect r = revArmBoxRect(m, box);
            EXPECT_LE(r.x + r.w, 409) << box << " at " << fx;
            EXPECT_GT(r.x, revArmLabelPlace(m, box).x) << box;
        }
    }
}

// A line of its own names the unit of the positions and limits, under the
// Close button and inside the form at both font sizes.
TEST_F(RevArmSetTest, ALineNamesTheUnitOfThePositions) {
    for (const auto& [fx, fy] : {std::pair{1.0f, 1.0f}, std::pair{1.27f, 1.22f}}) {
        for (LengthUnit unit : {LengthUnit::Inch, LengthUnit::Millimetre}) {
            m.fontScaleX = fx;
            m.fontScaleY = fy;
            m.lengthUnit = unit;
            open();
            const std::string caption = unit == LengthUnit::Inch ? "Reverse arm settings in inches (in)"
                                                                 : "Reverse arm settings in millimetres (mm)";
            int found = 0;
            for (const DrawOp& t : c.ofKind(DrawOp::Kind::Text)) {
                if (t.text != caption) continue;
                ++found;
                const RevArmRect close = revArmCloseRect(m);
                EXPECT_GT(t.points[0].y, close.y + close.h) << fx;
                // Its letters (at most 15 pixels high at the large font, 7
                // pixels a letter) stay inside the form.
                EXPECT_LE(t.points[0].y + 15, kRevArmDialogHeight) << fx;
                EXPECT_LE(t.points[0].x + 7 * static_cast<int>(caption.size()) * fx, kRevArmDialogWidth) << fx;
            }
            EXPECT_EQ(found, 1) << fx;
        }
    }
}

TEST_F(RevArmSetTest, PositionOneAtZeroHidesTheRestAndKeepsTheCount) {
    m.revArmSetCount = 7;
    m.revArmSet[1] = 0.0f;
    open();
    EXPECT_EQ(m.revArmSetCount, 7);
    EXPECT_EQ(boxes.text[1], "0.000");
    EXPECT_TRUE(boxes.visible[1]);
    EXPECT_TRUE(boxes.visible[kRevArmScaleBox]);
    for (int k = 2; k <= 9; ++k) {
        EXPECT_EQ(m.revArmSet[k], 0.0f) << k;
        EXPECT_FALSE(boxes.visible[static_cast<size_t>(k)]) << k;
    }
    EXPECT_EQ(c.findText("Rev Arm Position  2"), nullptr);
}

TEST_F(RevArmSetTest, ZeroForPositionOneBecomesTheSmallestPositionAllowed) {
    // Default centre 5.24: 0.001 lies below the lower limit 4.04.
    acceptRevArmEntry(commands, 1, "0");
    EXPECT_EQ(m.revArmSet[1], 5.24f - 1.2f);
    // Centre 0: 0.001 is inside the limits and stays.
    m.revArmSet[0] = 0.0f;
    acceptRevArmEntry(commands, 1, "0.000");
    EXPECT_EQ(m.revArmSet[1], 0.001f);
    acceptRevArmEntry(commands, 1, "");
    EXPECT_EQ(m.revArmSet[1], 0.001f);
}

TEST_F(RevArmSetTest, EntriesAreClampedToTheTravelAroundTheCentre) {
    m.revArmSet[0] = 0.0f;
    acceptRevArmEntry(commands, 1, "5");
    EXPECT_EQ(m.revArmSet[1], 1.2f);
    acceptRevArmEntry(commands, 4, "-5");
    EXPECT_EQ(m.revArmSet[4], -1.2f);
    acceptRevArmEntry(commands, 9, "0.75");
    EXPECT_EQ(m.revArmSet[9], 0.75f);
    // 0 marks an unused position and is not pulled up to a limit.
    acceptRevArmEntry(commands, 2, "0");
    EXPECT_EQ(m.revArmSet[2], 0.0f);
    // A number far beyond any float is held at the limit, not made infinite.
    acceptRevArmEntry(commands, 3, std::string(60, '9'));
    EXPECT_EQ(m.revArmSet[3], 1.2f);
    open();
    EXPECT_EQ(boxes.text[1], "1.200");
}

TEST_F(RevArmSetTest, ClearingPositionThreeEndsTheRunAtTwo) {
    m.revArmSet[4] = 5.0f;
    m.revArmSet[5] = 5.5f;
    open();
    EXPECT_EQ(m.revArmSetCount, 5);
    acceptRevArmEntry(commands, 3, "0");
    open();
    EXPECT_EQ(m.revArmSetCount, 2);
    for (int k = 4; k <= 9; ++k) {
        EXPECT_EQ(m.revArmSet[k], 0.0f) << k;
        EXPECT_FALSE(boxes.visible[static_cast<size_t>(k)]) << k;
    }
    // Position 3 itself is offered again for a new entry.
    EXPECT_TRUE(boxes.visible[3]);
}

TEST_F(RevArmSetTest, AllNinePositionsInUse) {
    for (int k = 1; k <= 9; ++k) m.revArmSet[k] = 4.5f + 0.2f * static_cast<float>(k);
    open();
    EXPECT_EQ(m.revArmSetCount, 9);
    for (int k = 1; k <= 9; ++k) EXPECT_TRUE(boxes.visible[static_cast<size_t>(k)]);
    EXPECT_TRUE(textAt("Rev Arm Position  9", 165, 77));
}

TEST_F(RevArmSetTest, KeyFilter) {
    std::string t;
    for (char k : {'1', '.', '2', '.', '3'}) t = type(t, k);
    EXPECT_EQ(t, "1.23");
    t = type("-1", '-');
    EXPECT_EQ(t, "-1");
    EXPECT_TRUE(acceptRevArmKey("1.5", '-'));  // one "-" anywhere is allowed
    EXPECT_TRUE(acceptRevArmKey("1.5", '\b'));
    for (char k : {'a', 'e', '+', ' ', ',', '\r', '\x16'}) EXPECT_FALSE(acceptRevArmKey("1", k)) << int(k);
    EXPECT_EQ(type("1.23", '\b'), "1.2");
}

TEST_F(RevArmSetTest, TypingRevealsTheNextPositionEvenForARefusedKey) {
    open();
    EXPECT_FALSE(boxes.visible[5]);
    // Box 4 is the last one shown; a refused key still brings up box 5.
    EXPECT_FALSE(acceptRevArmKey(boxes.text[4], 'x'));
    ASSERT_TRUE(keyRevealsNext(4));
    revealNextPosition(m, c, boxes, 4);
    EXPECT_TRUE(boxes.visible[5]);
    EXPECT_TRUE(textAt("Rev Arm Position  5", 165, 25));
    // The last position and the scale only filter.
    EXPECT_FALSE(keyRevealsNext(9));
    EXPECT_FALSE(keyRevealsNext(kRevArmScaleBox));
    RevArmBoxes before = boxes;
    revealNextPosition(m, c, boxes, 9);
    EXPECT_EQ(before.visible, boxes.visible);
}

TEST_F(RevArmSetTest, VerticalScaleIsAtLeastATenthAndAtMostAThousand) {
    acceptRevArmEntry(commands, kRevArmScaleBox, "0.05");
    EXPECT_EQ(m.diagramVScale, 0.1f);
    acceptRevArmEntry(commands, kRevArmScaleBox, "0");
    EXPECT_EQ(m.diagramVScale, 0.1f);
    acceptRevArmEntry(commands, kRevArmScaleBox, "-3");
    EXPECT_EQ(m.diagramVScale, 0.1f);
    acceptRevArmEntry(commands, kRevArmScaleBox, "4");
    EXPECT_EQ(m.diagramVScale, 4.0f);
    acceptRevArmEntry(commands, kRevArmScaleBox, "1000");
    EXPECT_EQ(m.diagramVScale, 1000.0f);
    // What froze the diagrams: a scale far past any travel.
    acceptRevArmEntry(commands, kRevArmScaleBox, "9999999");
    EXPECT_EQ(m.diagramVScale, 1000.0f);
    acceptRevArmEntry(commands, kRevArmScaleBox, "1000.001");
    EXPECT_EQ(m.diagramVScale, 1000.0f);
    // The positions are untouched by the scale.
    EXPECT_EQ(m.revArmSet[1], 5.24f);
}

TEST_F(RevArmSetTest, BoxPlaces) {
    // Design units of the 120 dpi form, 0.8 pixel each: (138, 31) is (110, 25);
    // the boxes are 66 units (53 pixels) wide.
    EXPECT_EQ(revArmBoxRect(m, kRevArmScaleBox), (RevArmRect{110, 25, 53, 13}));
    EXPECT_EQ(revArmBoxRect(m, 1), (RevArmRect{110, 38, 53, 13}));
    EXPECT_EQ(revArmBoxRect(m, 4), (RevArmRect{110, 76, 53, 13}));
    EXPECT_EQ(revArmBoxRect(m, 5), (RevArmRect{266, 25, 53, 13}));
    EXPECT_EQ(revArmBoxRect(m, 9), (RevArmRect{266, 76, 53, 13}));
    EXPECT_EQ(revArmBoxRect(m, 0), (RevArmRect{}));
    EXPECT_EQ(revArmCloseRect(m), (RevArmRect{126, 91, 74, 25}));
    EXPECT_EQ(revArmLabel(3), "Rev Arm Position  3");
}

// Each label stands on its own box's row, left of it, and no label of the
// right column starts before the left column's boxes end, at both fonts.
TEST_F(RevArmSetTest, EveryLabelStandsBesideItsOwnBox) {
    for (float sx : {1.0f, 1.27f}) {
        m.fontScaleX = sx;
        m.fontScaleY = sx == 1.0f ? 1.0f : 1.22f;
        for (int k = 1; k <= kRevArmPositions; ++k) {
            const IPoint label = revArmLabelPlace(m, k);
            const RevArmRect box = revArmBoxRect(m, k);
            EXPECT_LE(std::abs(label.y - box.y), 2) << k << " at " << sx;
            EXPECT_LT(label.x, box.x) << k;
            if (k >= 5) {
                EXPECT_GT(label.x, revArmBoxRect(m, 1).x + revArmBoxRect(m, 1).w) << k;
            }
        }
    }
}

}  // namespace
}  // namespace tevrane
