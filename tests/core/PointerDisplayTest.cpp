// The dimension pointer display, frame by frame as the main window runs it:
// the tick places the pivots with the view of the moment, then the frame step
// and the drawing. The start view is scale 28 with the origin at (115, 270);
// the default wheel is 7 across.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "main/core/MainController.h"
#include "main/core/Renderer.h"
#include "model/Model.h"
#include "platform/RecordingCanvas.h"

using namespace tevrane;

namespace {

using HostKind = RecordingHost::Call::Kind;

struct PointerDisplay : ::testing::Test {
    Model m;
    Panel p;
    MainController c{m, p};
    RenderState st;
    RecordingCanvas canvas;
    RecordingHost host;
    FrameClock clock{"08/12/2026", "11:00:00"};
    int marked = 0;  // frames that showed the dimension's name

    void SetUp() override {
        initModel(m);
        initPanel(m, p);
    }
    void frame() {
        canvas.reset();
        c.tick();
        drawFrame(m, st, canvas, host, clock);
        if (canvas.findText(pointerName(lastDim)) != nullptr) ++marked;
    }
    void start(int dim) {
        lastDim = dim;
        m.pointerDim = dim;
    }
    // The thick marker line of this frame, the only line of pen width 3.
    std::vector<DrawOp> markers() const {
        std::vector<DrawOp> out;
        for (const DrawOp& op : canvas.ofKind(DrawOp::Kind::Line))
            if (op.penWidth == 3) out.push_back(op);
        return out;
    }
    int lastDim = 0;
};

}  // namespace

TEST_F(PointerDisplay, UninterruptedDisplayLasts1001FramesAndReopensItsDialog) {
    start(3);
    frame();
    EXPECT_TRUE(host.pointerShown);
    // The name in black at (30, 75) in the large letters, over the hourglass.
    const DrawOp* name = canvas.findText("Main Rod");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->points[0], (IPoint{30, 75}));
    EXPECT_EQ(name->fontSize, 14);
    EXPECT_EQ(name->font, colours::black);
    // Three red frames, then three black, over and over.
    std::vector<Colour> blink;
    for (int i = 0; i < 12; ++i) {
        if (i > 0) frame();
        ASSERT_EQ(markers().size(), 1u);
        blink.push_back(markers()[0].pen);
    }
    const Colour r = colours::red, k = colours::black;
    EXPECT_EQ(blink, (std::vector<Colour>{r, r, r, k, k, k, r, r, r, k, k, k}));

    while (m.pointerDim != 0 && marked < 2000) frame();
    EXPECT_EQ(marked, kPointerFrames);
    EXPECT_EQ(m.pointerFrameCount, 0);
    EXPECT_FALSE(host.pointerShown);
    // Every frame closed the frame dialog; the end asked for it back once.
    EXPECT_EQ(host.ofKind(HostKind::CloseDimensionWindow).size(),
              static_cast<size_t>(kPointerFrames));
    const auto reopen = host.ofKind(HostKind::ReopenDimensionWindow);
    ASSERT_EQ(reopen.size(), 1u);
    EXPECT_EQ(reopen[0].dialog, DimensionWindow::Frame);

    // Idle again: nothing drawn, nothing asked of the windows.
    host.reset();
    frame();
    EXPECT_TRUE(markers().empty());
    EXPECT_TRUE(host.ofKind(HostKind::CloseDimensionWindow).empty());
}

TEST_F(PointerDisplay, APressEndsItAtTheNextFrameWithTheSavedView) {
    m.viewScale = 20;
    m.viewOffsetX = 100;
    m.viewOffsetY = 200;
    start(103);
    for (int i = 0; i < 10; ++i) frame();
    EXPECT_EQ(m.viewScale, 55.0f);
    EXPECT_EQ(m.viewOffsetX, -600.0f);
    EXPECT_EQ(m.viewOffsetY, 250.0f);
    // The user pans and zooms meanwhile, then presses in the picture.
    m.viewScale = 70;
    m.viewOffsetY = 10;
    c.formMouseDown(MouseButton::Left, 400, 300);
    EXPECT_EQ(m.pointerDim, 103);  // still shown until the next frame
    frame();
    EXPECT_EQ(marked, 11);
    EXPECT_EQ(m.pointerDim, 0);
    EXPECT_EQ(m.viewScale, 20.0f);
    EXPECT_EQ(m.viewOffsetX, 100.0f);
    EXPECT_EQ(m.viewOffsetY, 200.0f);
    const auto reopen = host.ofKind(HostKind::ReopenDimensionWindow);
    ASSERT_EQ(reopen.size(), 1u);
    EXPECT_EQ(reopen[0].dialog, DimensionWindow::Cylinder);
    frame();
    EXPECT_EQ(marked, 11);
}

// The wheel's marker is drawn in the new view at once, while the rest of that
// first frame keeps the view the tick placed the pivots with.
TEST_F(PointerDisplay, WheelMarkerUsesTheNewViewAndThePictureFollowsNextFrame) {
    start(1);
    frame();
    // Scale 30 with the centre at (290, 212): the wheel spans rows 107..317.
    ASSERT_EQ(markers().size(), 1u);
    EXPECT_EQ(markers()[0].points, (std::vector<IPoint>{{290, 317}, {290, 107}}));
    // The wheel itself is still the start view's: 98 pixels about (115, 270).
    const DrawOp wheel = canvas.ofKind(DrawOp::Kind::Ellipse).at(0);
    EXPECT_EQ(wheel.points, (std::vector<IPoint>{{17, 172}, {213, 368}}));
    frame();
    EXPECT_EQ(canvas.ofKind(DrawOp::Kind::Ellipse).at(0).points,
              (std::vector<IPoint>{{185, 107}, {395, 317}}));

    // A graphic zoom of 15 halves every scale.
    m.graphicZoom = 15;
    frame();
    EXPECT_EQ(m.viewScale, 15.0f);
}

TEST_F(PointerDisplay, ReverseArmTravelIsDrawnInTwoColoursAndNamesFollowTheDialogs) {
    start(20);
    frame();
    const auto halves = markers();
    ASSERT_EQ(halves.size(), 2u);
    EXPECT_EQ(halves[0].pen, colours::red);
    EXPECT_EQ(halves[1].pen, colours::black);
    EXPECT_EQ(halves[0].points[1], halves[1].points[0]);  // they meet at the centre
    EXPECT_EQ(halves[0].points[0].y, m.pivotScreenY[kReverseArmEnd] + 5);
    EXPECT_EQ(halves[1].points[1].x - halves[0].points[1].x,
              halves[0].points[1].x - halves[0].points[0].x);

    EXPECT_EQ(pointerName(6), "Oscillating Lever");
    EXPECT_EQ(pointerName(21), "Rev Arm to Cent Max");
    EXPECT_EQ(pointerName(110), "Exhaust Port  Width");
    EXPECT_EQ(pointerName(122), "Valve Stem");
    EXPECT_EQ(pointerName(22), "");
}

// The hourglass stays below the dimension's name at the large font: it keeps
// its rows at the normal font and goes down with the name's letters.
TEST_F(PointerDisplay, HourglassStaysBelowTheNameAtTheLargeFont) {
    for (const auto& [fx, fy] : {std::pair{1.0f, 1.0f}, std::pair{1.27f, 1.22f}}) {
        m.fontScaleX = fx;
        m.fontScaleY = fy;
        start(1);
        frame();
        const DrawOp* name = canvas.findText(pointerName(1));
        ASSERT_NE(name, nullptr);
        int top = 1 << 30, bottom = -1;
        for (const DrawOp& op : canvas.ofKind(DrawOp::Kind::Polyline)) {
            if (op.penWidth != 2) continue;
            for (const IPoint& q : op.points) {
                top = std::min(top, q.y);
                bottom = std::max(bottom, q.y);
            }
        }
        ASSERT_GE(bottom, 0);
        EXPECT_EQ(bottom - top, 42) << "the hourglass keeps its shape";
        if (fy == 1.0f) EXPECT_EQ(top, 100);
        // The name is 14-point letters, about 22 rows high at the normal font:
        // the room below its top grows with them.
        EXPECT_GE(top - name->points[0].y, std::lround(22 * fy)) << fy;
        m.pointerDim = 0;
        st = RenderState{};
    }
}
