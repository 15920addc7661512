#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "dialogs/core/DimensionRows.h"
#include "model/DynVars.h"
#include "model/Model.h"
#include "platform/RecordingCanvas.h"

using namespace tevrane;

namespace {

Model startModel() {
    Model m;
    initModel(m);
    return m;
}

const DimensionRow& frameRow(int n) { return *frameLayout().rowOfEdit(n); }
const DimensionRow& cylRow(int n) { return *cylinderLayout().rowOfEdit(n); }

// No two small buttons of a column overlap and every one lies inside the form.
void expectButtonsApart(const DimensionLayout& l) {
    for (Column col : {Column::Left, Column::Right}) {
        std::set<int> taken;
        for (const DimensionRow& r : l.rows) {
            if (r.column != col) continue;
            for (int y = r.smallButtonY(); y < r.smallButtonY() + r.smallButtonHeight(); ++y)
                EXPECT_TRUE(taken.insert(y).second) << "edit " << r.edit << " y " << y;
            EXPECT_LE(r.smallButtonY() + r.smallButtonHeight(), l.height);
            EXPECT_LE(r.boxY() + kBoxHeight, l.height);
        }
    }
}

}  // namespace

TEST(DimensionLayouts, FrameRowsColumnsAndButtons) {
    const DimensionLayout& l = frameLayout();
    EXPECT_EQ(l.caption, "Frame Dimensions");
    EXPECT_EQ(l.width, 386);
    EXPECT_EQ(l.height, 192);
    ASSERT_EQ(l.rows.size(), 21u);
    for (int n = 1; n <= 21; ++n) {
        const DimensionRow& r = frameRow(n);
        EXPECT_EQ(r.id, n);
        EXPECT_EQ(r.column, n <= 11 ? Column::Left : Column::Right);
        EXPECT_EQ(r.row, n <= 11 ? n - 1 : n - 12);
        EXPECT_EQ(r.boxY(), 13 * r.row);
        EXPECT_EQ(r.smallButtonY(), r.boxY());
        EXPECT_EQ(r.smallButtonHeight(), 13);
        EXPECT_EQ(r.role, n <= 19 ? RowRole::Dynamic
                                  : (n == 20 ? RowRole::NormalTravel : RowRole::MaxTravel));
        EXPECT_EQ(r.name, n <= 19 ? dimensionName(n) : std::string()) << n;
    }
    EXPECT_EQ(boxX(Column::Left), 146);
    EXPECT_EQ(boxX(Column::Right), 342);
    EXPECT_EQ(smallButtonX(Column::Left), 0);
    EXPECT_EQ(smallButtonX(Column::Right), 194);
    // Boxes end inside the form: 342 + 40 = 382 of 386.
    EXPECT_LE(boxX(Column::Right) + kBoxWidth, l.width);
    EXPECT_EQ(l.rows.back().label, "\"           \"             Max");
    EXPECT_EQ(frameRow(1).label, "Driver" + std::string(20, ' ') + "Diameter");
    EXPECT_EQ(frameRow(14).label, "Link Pivot" + std::string(22, ' ') + "Vert");
    EXPECT_EQ(l.reset.caption, "ResetFrameDim");
    EXPECT_EQ(std::make_pair(l.reset.x, l.reset.y), std::make_pair(288, 136));
    EXPECT_EQ(l.close.caption, "Close");
    EXPECT_EQ(std::make_pair(l.close.x, l.close.y), std::make_pair(288, 160));
    EXPECT_EQ(std::make_pair(l.close.width, l.close.height), std::make_pair(89, 25));
    expectButtonsApart(l);
    EXPECT_EQ(l.rowOfEdit(0), nullptr);
    EXPECT_EQ(l.rowOfEdit(22), nullptr);
}

TEST(DimensionLayouts, CylinderRowsWithTwoLineLabels) {
    const DimensionLayout& l = cylinderLayout();
    EXPECT_EQ(l.caption, "Cylinder Dimensions");
    EXPECT_EQ(l.width, 386);
    EXPECT_EQ(l.height, 230);
    ASSERT_EQ(l.rows.size(), 22u);
    for (int n = 1; n <= 22; ++n) {
        const DimensionRow& r = cylRow(n);
        EXPECT_EQ(r.id, 100 + n);
        EXPECT_EQ(r.role, RowRole::Dynamic);
        EXPECT_EQ(r.name, dimensionName(100 + n));
        EXPECT_EQ(r.column, n <= 12 ? Column::Left : Column::Right);
        EXPECT_EQ(r.smallButtonHeight(), (n == 6 || n == 22) ? 26 : 13) << n;
    }
    // Piston: label rows 5 and 6, box on row 6, button from y 65 for 26.
    EXPECT_EQ(cylRow(6).row, 6);
    EXPECT_EQ(cylRow(6).boxY(), 78);
    EXPECT_EQ(cylRow(6).smallButtonY(), 65);
    EXPECT_EQ(cylRow(5).row, 4);
    EXPECT_EQ(cylRow(12).row, 12);
    // Valve stem: label rows 9 and 10 of the right column.
    EXPECT_EQ(cylRow(21).row, 8);
    EXPECT_EQ(cylRow(22).row, 10);
    EXPECT_EQ(cylRow(22).smallButtonY(), 117);
    EXPECT_EQ(cylRow(2).label, "Cylinder CL above Driver");
    EXPECT_EQ(cylRow(7).label, "Piston" + std::string(25, ' ') + "Width");
    EXPECT_EQ(l.reset.caption, "ResetCylDim");
    EXPECT_EQ(std::make_pair(l.reset.x, l.reset.y), std::make_pair(294, 168));
    EXPECT_EQ(std::make_pair(l.close.x, l.close.y), std::make_pair(294, 192));
    EXPECT_EQ(std::make_pair(l.close.width, l.close.height), std::make_pair(90, 25));
    expectButtonsApart(l);
}

TEST(DimensionLabels, ScaledPositionsRoundHalfToEven) {
    EXPECT_EQ(scaledPosition(204, 1.0f), 204);
    EXPECT_EQ(scaledPosition(204, 1.27f), 259);  // 259.08
    EXPECT_EQ(scaledPosition(10, 1.27f), 13);    // 12.7
    EXPECT_EQ(scaledPosition(13, 1.5f), 20);     // 19.5 goes to the even 20
    EXPECT_EQ(scaledPosition(39, 1.5f), 58);     // 58.5 goes to the even 58
    EXPECT_EQ(scaledPosition(100, NAN), 0);
}

TEST(DimensionLabels, FrameLabelsAtNormalFont) {
    RecordingCanvas c;
    drawDimensionLabels(c, frameLayout(), 1.0f, 1.0f);
    ASSERT_FALSE(c.ops().empty());
    EXPECT_EQ(c.ops().front().kind, DrawOp::Kind::Clear);
    EXPECT_EQ(c.ops().front().colour, kWindowColour);
    const auto texts = c.ofKind(DrawOp::Kind::Text);
    ASSERT_EQ(texts.size(), 23u);  // 21 labels and two hints
    auto at = [&](const std::string& t) {
        const DrawOp* op = c.findText(t);
        EXPECT_NE(op, nullptr) << t;
        return op ? op->points.at(0) : IPoint{-1, -1};
    };
    EXPECT_EQ(at("Driver                    Diameter"), (IPoint{10, 0}));
    EXPECT_EQ(at("Swing Lever Pivot       Horz"), (IPoint{10, 130}));
    EXPECT_EQ(at("Reverse Arm  (Link Upper)"), (IPoint{204, 0}));
    EXPECT_EQ(at("Reverse Arm to Cent Norm"), (IPoint{204, 104}));
    EXPECT_EQ(at("\"           \"             Max"), (IPoint{234, 117}));
    EXPECT_EQ(at("To Show Graphic Position of Variable, Click Small Button"), (IPoint{1, 148}));
    EXPECT_EQ(at("To Select Dynamic Variable, Click Dimension in Gray Area"), (IPoint{1, 161}));
    for (const DrawOp& op : texts) {
        EXPECT_EQ(op.font, colours::black);
        EXPECT_EQ(op.fontSize, 8);
        EXPECT_FALSE(op.bold);
    }
}

TEST(DimensionLabels, CylinderLabelsAtLargeFont) {
    RecordingCanvas c;
    drawDimensionLabels(c, cylinderLayout(), 1.27f, 1.22f);
    ASSERT_EQ(c.ofKind(DrawOp::Kind::Text).size(), 26u);  // 22 + 2 second lines + 2 hints
    auto at = [&](const std::string& t) {
        const DrawOp* op = c.findText(t);
        EXPECT_NE(op, nullptr) << t;
        return op ? op->points.at(0) : IPoint{-1, -1};
    };
    // Row 12 of the left column: (10 * 1.27, 156 * 1.22) = (12.7, 190.32).
    EXPECT_EQ(at("Bridge Width                Front"), (IPoint{13, 190}));
    // First label line on row 5: (12.7, 79.3); second at (104.14, 95.16).
    EXPECT_EQ(at("Piston ctr to Crosshead ctr"), (IPoint{13, 79}));
    EXPECT_EQ(at("(Piston Rod)"), (IPoint{104, 95}));
    // Right column row 9: (259.08, 142.74); the second line (337.82, 158.6).
    EXPECT_EQ(at("Valve ctr to Joint"), (IPoint{259, 143}));
    EXPECT_EQ(at("  (Valve Stem)"), (IPoint{338, 159}));
    // The hints keep column 1 and move down only: 190 * 1.22 = 231.8.
    EXPECT_EQ(at("To Show Graphic Position of Variable, Click Small Button"), (IPoint{1, 232}));
    EXPECT_EQ(at("To Select a Dynamic Variable, Click Dimension in Gray Area"), (IPoint{1, 248}));
    // The letters grow by the same factors as the layout.
    for (const DrawOp& t : c.ofKind(DrawOp::Kind::Text)) {
        EXPECT_EQ(t.textScaleX, 1.27f) << t.text;
        EXPECT_EQ(t.textScaleY, 1.22f) << t.text;
    }
}

TEST(DimensionKeys, NumericFilter) {
    for (char k : std::string("0123456789.-")) {
        const KeyVerdict v = filterKey("", k);
        EXPECT_TRUE(v.insert) << k;
        EXPECT_TRUE(v.marksEdited) << k;
        EXPECT_FALSE(v.moveFocus) << k;
    }
    for (char k : std::string("aZe+ ,/\t\x7f")) {
        const KeyVerdict v = filterKey("1.5", k);
        EXPECT_FALSE(v.insert) << int(k);
        EXPECT_FALSE(v.marksEdited) << int(k);
        EXPECT_FALSE(v.moveFocus) << int(k);
    }
    // One point and one minus at most, wherever they stand.
    EXPECT_FALSE(acceptKey("1.5", '.'));
    EXPECT_FALSE(acceptKey("15-", '-'));
    EXPECT_FALSE(acceptKey("-15", '-'));
    EXPECT_TRUE(acceptKey("1.5", '-'));
    EXPECT_TRUE(acceptKey("-15", '.'));
    // A refused second point still passed the first check: it counts as typing.
    EXPECT_TRUE(filterKey("1.5", '.').marksEdited);

    const KeyVerdict back = filterKey("1.5", kBackspace);
    EXPECT_TRUE(back.insert);
    EXPECT_TRUE(back.marksEdited);
    const KeyVerdict cr = filterKey("1.5", kCarriageReturn);
    EXPECT_FALSE(cr.insert);
    EXPECT_TRUE(cr.moveFocus);
    EXPECT_TRUE(cr.marksEdited);
}

TEST(DimensionValues, BoxTextHasThreeDecimalsCutToTen) {
    Model m = startModel();
    EXPECT_EQ(rowText(m, frameRow(1)), "7.000");
    EXPECT_EQ(rowText(m, frameRow(18)), "0.300");
    EXPECT_EQ(rowText(m, frameRow(11)), "10.000");  // pivotX[12]
    EXPECT_EQ(rowText(m, frameRow(21)), "1.200");
    EXPECT_EQ(rowText(m, cylRow(2)), "0.000");
    m.stroke = -1.5f;
    EXPECT_EQ(rowText(m, frameRow(2)), "-1.500");
    m.driverDiameter = 1234567.5f;
    EXPECT_EQ(rowText(m, frameRow(1)), "1234567.50");
    m.cyl.valveCentreToJoint = -123456.25f;
    EXPECT_EQ(rowText(m, cylRow(22)), "-123456.25");
}

// A millimetre design's boxes show 100 mm and more with fewer decimals, so
// the narrow box holds the whole value, rounded; an inch design's are as
// before.
TEST(DimensionValues, MillimetreBoxTextKeepsToTheBox) {
    Model m = startModel();
    m.lengthUnit = LengthUnit::Millimetre;
    m.driverDiameter = 177.8f;
    EXPECT_EQ(rowText(m, frameRow(1)), "177.80");
    m.driverDiameter = 133.096f;
    EXPECT_EQ(rowText(m, frameRow(1)), "133.10");
    m.driverDiameter = 99.9996f;
    EXPECT_EQ(rowText(m, frameRow(1)), "100.00");
    m.driverDiameter = 99.994f;
    EXPECT_EQ(rowText(m, frameRow(1)), "99.994");
    m.driverDiameter = 1219.2f;
    EXPECT_EQ(rowText(m, frameRow(1)), "1219.2");
    m.stroke = -152.4f;
    EXPECT_EQ(rowText(m, frameRow(2)), "-152.40");
    m.stroke = 76.2f;
    EXPECT_EQ(rowText(m, frameRow(2)), "76.200");
    m.lengthUnit = LengthUnit::Inch;
    m.driverDiameter = 133.096f;
    EXPECT_EQ(rowText(m, frameRow(1)), "133.096");
    // Every text of a millimetre box is at most seven characters up to
    // 9999.9 mm, as an inch box's "-12.345".
    m.lengthUnit = LengthUnit::Millimetre;
    for (float v = -9999.0f; v < 9999.0f; v += 0.37f) {
        m.driverDiameter = v;
        ASSERT_LE(rowText(m, frameRow(1)).size(), 7u) << v;
    }
}

TEST(DimensionValues, BoxTextConversion) {
    EXPECT_EQ(boxValue(""), 0.0f);
    EXPECT_EQ(boxValue("-"), 0.0f);
    EXPECT_EQ(boxValue("."), 0.0f);
    EXPECT_EQ(boxValue("-."), 0.0f);
    EXPECT_EQ(boxValue("  2.25"), 2.25f);
    EXPECT_EQ(boxValue("-0.5"), -0.5f);
    EXPECT_EQ(boxValue(".75"), 0.75f);
    EXPECT_EQ(boxValue("1.5-"), 1.5f);  // a minus typed after the digits
    EXPECT_EQ(boxValue("1e3"), 1000.0f);
    EXPECT_EQ(boxValue("word"), 0.0f);
    EXPECT_EQ(boxValue("3.4028234e38"), FLT_MAX);
    EXPECT_EQ(boxValue("1e39"), INFINITY);
    EXPECT_EQ(boxValue("-1e39"), -INFINITY);
    EXPECT_EQ(boxValue("1e-50"), 0.0f);
}

TEST(DimensionLeave, LeftValueIsTheTextOrTheExactValueWhenUntouched) {
    Model m = startModel();
    m.cyl.bridgeRear = 0.1875f;
    EXPECT_EQ(leftValue(m, cylRow(11), rowText(m, cylRow(11)), false), 0.1875f);
    EXPECT_EQ(leftValue(m, cylRow(11), rowText(m, cylRow(11)), true), 0.188f);
    EXPECT_EQ(leftValue(m, frameRow(20), "-1", true), -1.0f);
    EXPECT_EQ(leftValue(m, frameRow(21), "", true), 0.0f);
    EXPECT_EQ(leftValue(m, frameRow(21), "", false), m.revArmMax);
}
