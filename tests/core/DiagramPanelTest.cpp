// What every diagram window draws in common: the dynamic-variable panel and
// the undo line.
#include "diagrams/core/DiagramPanel.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "controls/core/DynVarBars.h"
#include "main/core/MainController.h"
#include "model/DynVars.h"
#include "model/Model.h"
#include "platform/RecordingCanvas.h"

namespace tevrane {
namespace {

class DiagramPanelTest : public ::testing::Test {
protected:
    void SetUp() override { initModel(m); }

    // Binds "Main Rod" (id 3) to slot 1 and "Stroke" (id 2) to slot 2 the way
    // the dimension dialogs do.
    void bindTwo() {
        commitEdit(m, 2, dimensionName(2), m.stroke, m.stroke);
        commitEdit(m, 3, dimensionName(3), m.mainRodLength, m.mainRodLength);
    }
    // The end of one diagram pass: the undo line moves on, then the panel
    // and the line are drawn.
    DiagramControls endPass() {
        const UndoLines undo = advanceUndoLine(m);
        return drawDiagramPanel(m, c, undo);
    }
    bool textAt(const std::string& t, int x, int y) const {
        for (const auto& op : c.ops())
            if (op.kind == DrawOp::Kind::Text && op.text == t && op.points[0] == IPoint{x, y}) return true;
        return false;
    }

    Model m;
    // The bars step and record through the controller's commands.
    Panel p;
    MainController commands{m, p};
    RecordingCanvas c;
};

TEST_F(DiagramPanelTest, HiddenVariablesDrawNothingAndHideTheBars) {
    const DiagramControls ctl = endPass();
    EXPECT_FALSE(ctl.barsVisible);
    EXPECT_FALSE(ctl.undoVisible);
    EXPECT_TRUE(c.ops().empty());
}

TEST_F(DiagramPanelTest, EmptySlotsAskForDimensionsInRed) {
    m.dynVarsVisible = true;
    const DiagramControls ctl = endPass();
    EXPECT_TRUE(ctl.barsVisible);
    for (int k = 1; k <= 4; ++k) EXPECT_FALSE(ctl.barEnabled[static_cast<size_t>(k)]);
    const std::string stars(31, '*');
    EXPECT_TRUE(textAt(stars, 235, 2));
    EXPECT_TRUE(textAt("* First Select Dimensions *", 235, 12));
    EXPECT_TRUE(textAt(stars, 235, 26));
    EXPECT_EQ(c.findText("* First Select Dimensions *")->font, colours::red);
    // The font is black again for whatever follows.
    c.textOut(0, 0, "after");
    EXPECT_EQ(c.findText("after")->font, colours::black);
}

TEST_F(DiagramPanelTest, BoundSlotsShowNamesAndValuesAtScaledPlaces) {
    bindTwo();
    m.dynVarsVisible = true;
    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    const DiagramControls ctl = endPass();
    EXPECT_TRUE(ctl.barEnabled[1]);
    EXPECT_TRUE(ctl.barEnabled[2]);
    EXPECT_FALSE(ctl.barEnabled[3]);
    EXPECT_FALSE(ctl.barEnabled[4]);
    // x 235 * 1.27 = 298.45, 363 * 1.27 = 461.01; the first row stays at y 2.
    EXPECT_TRUE(textAt("Main Rod", 298, 2));
    EXPECT_TRUE(textAt(" 9.000", 461, 2));
    EXPECT_TRUE(textAt("Stroke", 298, 17));  // 14 * 1.22 = 17.08
    EXPECT_TRUE(textAt(" 3.000", 461, 17));
    EXPECT_TRUE(textAt(kEmptySlotName, 298, 32));  // 26 * 1.22 = 31.72
    EXPECT_TRUE(textAt(" 0.000", 461, 46));         // 38 * 1.22 = 46.36
}

TEST_F(DiagramPanelTest, UndoLineShowsTheNewestRecordAndIsShared) {
    bindTwo();
    DynVarBars bars(m, commands);
    bars.enter(1);
    bars.change(1, 1);
    bars.change(1, 0);
    bars.release(1);

    m.undoEnabled = true;
    m.dynVarsVisible = true;
    const DiagramControls ctl = endPass();
    EXPECT_TRUE(ctl.undoVisible);
    const std::string line = " 1- Main Rod  9.001 to  9.000." + std::string(46, ' ');
    EXPECT_EQ(m.undoText, line);
    EXPECT_TRUE(textAt(line, 150, 55));

    // With the variables hidden the line shown is the one composed last time.
    m.dynVarsVisible = false;
    bars.enter(1);
    bars.change(1, -1);
    bars.change(1, 0);
    bars.release(1);
    c.reset();
    endPass();
    EXPECT_TRUE(textAt(line, 150, 55));
    const std::string second = " 2- Main Rod  9.000 to  9.001." + std::string(46, ' ');
    EXPECT_EQ(m.undoText, second);
    EXPECT_EQ(c.findText(second), nullptr);

    // Shown again: the old line, then the new one over it.
    m.dynVarsVisible = true;
    undoNewestRecord(m);
    c.reset();
    endPass();
    const int old = c.indexOfText(second);
    const int fresh = c.indexOfText(line);
    ASSERT_GE(old, 0);
    EXPECT_GT(fresh, old);
    EXPECT_EQ(m.undoText, line);
}

TEST_F(DiagramPanelTest, DrawingOnlyDrawsTheStepBeforeItMovesTheLineOn) {
    bindTwo();
    m.undoEnabled = true;
    m.dynVarsVisible = true;
    const std::string earlier = " 1- Stroke  3.001 to  3.000" + kUndoLineTail;
    m.undoText = earlier;
    const UndoLines undo = advanceUndoLine(m);
    EXPECT_EQ(undo.previous, earlier);
    EXPECT_EQ(undo.current, " 0-   0.000 to  0.000" + kUndoLineTail);
    EXPECT_EQ(m.undoText, undo.current);

    // The same model and lines draw the same picture again, and the
    // drawing leaves the shared text alone.
    drawDiagramPanel(m, c, undo);
    const std::vector<DrawOp> first = c.ops();
    c.reset();
    drawDiagramPanel(m, c, undo);
    ASSERT_EQ(c.ops().size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(c.ops()[i].kind, first[i].kind) << i;
        EXPECT_EQ(c.ops()[i].points, first[i].points) << i;
        EXPECT_EQ(c.ops()[i].text, first[i].text) << i;
        EXPECT_EQ(c.ops()[i].pen, first[i].pen) << i;
    }
    EXPECT_TRUE(textAt(earlier, 150, 55));
    EXPECT_EQ(m.undoText, undo.current);

    // With the undo line off the step keeps the shared text as it is.
    m.undoEnabled = false;
    advanceUndoLine(m);
    EXPECT_EQ(m.undoText, undo.current);
}

TEST_F(DiagramPanelTest, UndoLineWipesItsCellFirst) {
    m.undoEnabled = true;
    m.dynVarsVisible = true;
    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    endPass();
    const int text = c.indexOfText(m.undoText);
    ASSERT_GE(text, 0);
    // 150 * 1.27 = 190.5 and 55 * 1.22 = 67.1: the cell starts there.
    EXPECT_EQ(c.ops()[static_cast<size_t>(text)].points[0], (IPoint{190, 67}));
    std::set<int> rows;
    for (int i = 0; i < text; ++i) {
        const DrawOp& op = c.ops()[static_cast<size_t>(i)];
        if (op.kind != DrawOp::Kind::Line || op.pen != colours::white) continue;
        EXPECT_EQ(op.points[0].x, 190);
        EXPECT_EQ(op.points[0].y, op.points[1].y);
        // As wide as the text up to its final "." (" 0-   0.000 to  0.000.",
        // 22 characters), not the blanks after it; the large font's letters
        // are 1.27 times as wide: 22 * 6 * 1.27 = 167.6.
        EXPECT_EQ(op.points[1].x, 190 + 168);
        rows.insert(op.points[0].y);
    }
    // The 13-pixel cell grows with the letters: 13 * 1.22 = 15.9.
    EXPECT_EQ(rows.size(), 16u);
    EXPECT_EQ(*rows.begin(), 67);
    // The pen is as it was for whatever is drawn next.
    EXPECT_EQ(c.penColour(), colours::black);
}

TEST_F(DiagramPanelTest, PanelLettersGrowWithTheLargeFontAndThePlotsDoNot) {
    bindTwo();
    m.undoEnabled = true;
    m.dynVarsVisible = true;
    m.fontScaleX = 1.27f;
    m.fontScaleY = 1.22f;
    endPass();
    int texts = 0;
    for (const DrawOp& op : c.ops()) {
        if (op.kind != DrawOp::Kind::Text) continue;
        ++texts;
        EXPECT_FLOAT_EQ(op.textScaleX, 1.27f) << op.text;
        EXPECT_FLOAT_EQ(op.textScaleY, 1.22f) << op.text;
    }
    EXPECT_EQ(texts, 8 + 1);  // four names, four values, the undo line
    // A plot label drawn after the panel (the second pass of both graphs)
    // stands at a fixed place and keeps the base size.
    c.textOut(420, 47, "Maximum");
    EXPECT_FLOAT_EQ(c.findText("Maximum")->textScaleX, 1.0f);
    EXPECT_FLOAT_EQ(c.findText("Maximum")->textScaleY, 1.0f);
}

TEST_F(DiagramPanelTest, NewUndoLineWipesAsFarAsTheLongerOfBothTexts) {
    m.undoEnabled = true;
    m.dynVarsVisible = true;
    // A longer line from an earlier pass: 42 characters up to its ".".
    const std::string previous = " 2- Valve Chamber Length  4.000 to  3.000.";
    ASSERT_EQ(previous.size(), 42u);
    m.undoText = previous + std::string(46, ' ');
    // The right ends of the rows of each wipe, in drawing order.
    auto wipes = [this] {
        std::vector<std::set<int>> w;
        bool inWipe = false;
        for (const DrawOp& op : c.ops()) {
            const bool white = op.kind == DrawOp::Kind::Line && op.pen == colours::white;
            if (white) {
                if (!inWipe) w.emplace_back();
                EXPECT_EQ(op.points[0].x, 150);
                w.back().insert(op.points[1].x);
            }
            inWipe = white;
        }
        return w;
    };
    endPass();
    // The old line wipes its own 42 characters, the new one (22) the old
    // one's 42 as well, so nothing of it stays, and not a pixel further.
    const int old = 150 + 42 * RecordingCanvas::kCharWidth;
    EXPECT_EQ(wipes(), (std::vector<std::set<int>>{{old}, {old}}));
    EXPECT_EQ(c.ops().back().text, m.undoText);

    // The next pass has two short lines: the wipes shrink back to 22.
    c.reset();
    endPass();
    const int fresh = 150 + 22 * RecordingCanvas::kCharWidth;
    EXPECT_EQ(wipes(), (std::vector<std::set<int>>{{fresh}, {fresh}}));
}

}  // namespace
}  // namespace tevrane
