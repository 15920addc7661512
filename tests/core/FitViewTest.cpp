// "Fit": the gear's reach over a full turn, the view that puts it in a
// picture, and the command as a view change among the presets and "Norm".
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "main/core/FitView.h"
#include "main/core/MainController.h"
#include "model/Format.h"
#include "model/Solver.h"

namespace tevrane {
namespace {

Model started() {
    Model m;
    initModel(m);
    return m;
}

// The screen box of everything Fit counts, over a full turn in 5-degree
// steps, at the model's view.
struct ScreenBox {
    int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
    void see(int x, int y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
};
ScreenBox gearOnScreen(const Model& live) {
    Model g = live;
    ScreenBox b;
    const double r = g.driverDiameter / 2.0;
    for (int a = 0; a < 360; a += 5) {
        g.driverAngle = static_cast<float>(a);
        solveAll(g);
        b.see(screenX(g, g.pivotX[1] - r), screenY(g, g.pivotY[1] + r));
        b.see(screenX(g, g.pivotX[1] + r), screenY(g, g.pivotY[1] - r));
        for (int i = 0; i <= 18; ++i) b.see(g.pivotScreenX[i], g.pivotScreenY[i]);
        for (const IPoint& p : g.cylinderPoints) b.see(p.x, p.y);
        for (const IPoint& p : g.valvePoints) b.see(p.x, p.y);
    }
    return b;
}

TEST(FitView, ExtentHoldsTheWheelEveryPivotAndTheCylinderOverATurn) {
    const Model m = started();
    const WorldBox box = gearExtent(m, m.revArmPos);
    // The default wheel (7 across, about the origin) is the leftmost part
    // and reaches lowest; the cylinder lies ahead of it.
    EXPECT_DOUBLE_EQ(box.left, -3.5);
    EXPECT_DOUBLE_EQ(box.bottom, -3.5);
    EXPECT_GT(box.right, m.cyl.cylCentreToDriver);
    for (const float a : {0.0f, 45.0f, 90.0f, 200.0f, 333.0f}) {
        const LinkageSolution s = solveLinkage(m, a, m.revArmPos);
        for (int i = 0; i <= 18; ++i) {
            EXPECT_GE(s.pivotX[i], box.left - 1e-3) << i << " at " << a;
            EXPECT_LE(s.pivotX[i], box.right + 1e-3) << i << " at " << a;
            EXPECT_GE(s.pivotY[i], box.bottom - 1e-3) << i << " at " << a;
            EXPECT_LE(s.pivotY[i], box.top + 1e-3) << i << " at " << a;
        }
    }
    // The live model is not moved.
    EXPECT_EQ(m.viewScale, started().viewScale);
    EXPECT_EQ(m.driverAngle, started().driverAngle);
}

TEST(FitView, ViewCentresTheBoxAtTheLargestScaleWithTheMargin) {
    // 10 x 4 units into 520 x 300 pixels below a band of 100, margin 10:
    // 500 / 10 = 50 across, 280 / 4 = 70 down, so 50 pixels a unit.
    const WorldBox box{-2, 8, -1, 3};
    const ViewSetting v = fitView(box, {0, 100, 520, 300}, 10);
    EXPECT_FLOAT_EQ(v.scale, 50.0f);
    // The box's middle (3, 1) lands on the area's middle (260, 250).
    EXPECT_FLOAT_EQ(v.offsetX, 260.0f - 3 * 50.0f);
    EXPECT_FLOAT_EQ(v.offsetY, 250.0f + 1 * 50.0f);
    // A tall box is held by the height.
    const ViewSetting t = fitView({0, 1, 0, 10}, {0, 0, 1000, 220}, 10);
    EXPECT_FLOAT_EQ(t.scale, 20.0f);
    // The zoom's range holds: a speck at most 3000, a huge box at least 0.5;
    // nothing to fit keeps 1.
    EXPECT_FLOAT_EQ(fitView({0, 1e-6, 0, 1e-6}, {0, 0, 800, 600}, 10).scale, 3000.0f);
    EXPECT_FLOAT_EQ(fitView({0, 1e6, 0, 1e6}, {0, 0, 800, 600}, 10).scale, 0.5f);
    EXPECT_FLOAT_EQ(fitView({}, {0, 0, 800, 600}, 10).scale, 1.0f);
    EXPECT_FLOAT_EQ(fitView(box, {0, 0, 10, 10}, 10).scale, 1.0f);
}

TEST(FitView, AreaLeavesTheReadoutsFreeWhileShown) {
    Model m = started();
    const PixelBox a = fitArea(m, 1900, 1100);
    EXPECT_EQ(a.left, 0);
    EXPECT_GT(a.top, 121);  // below the last readout row
    EXPECT_EQ(a.top + a.height, 1100);
    m.fontScaleY = 1.22f;
    EXPECT_GT(fitArea(m, 1900, 1100).top, a.top);
    m.screenDataOn = false;
    EXPECT_EQ(fitArea(m, 1900, 1100).top, 0);
    EXPECT_EQ(fitArea(m, 1900, 1100).height, 1100);
}

// The command fills a large picture with the gear, keeps it inside with its
// margin at any driver angle, and is a view change like a preset.
TEST(FitView, FitFillsThePictureAndNormAndPresetsStillWork) {
    Model m = started();
    Panel p;
    MainController c{m, p};
    initPanel(m, p);
    for (const auto& [w, h] : {std::pair{1904, 1080}, std::pair{660, 420}, std::pair{800, 1200}}) {
        c.fitClick(w, h);
        EXPECT_TRUE(p.norm.enabled);
        EXPECT_TRUE(p.preset[0].enabled);
        const PixelBox area = fitArea(m, w, h);
        const ScreenBox g = gearOnScreen(m);
        EXPECT_GE(g.left, area.left + kFitMargin - 1) << w;
        EXPECT_LE(g.right, area.left + area.width - kFitMargin + 1) << w;
        EXPECT_GE(g.top, area.top + kFitMargin - 1) << w;
        EXPECT_LE(g.bottom, area.top + area.height - kFitMargin + 1) << w;
        // Full in one direction, up to the margins and a pixel.
        const bool wide = g.right - g.left >= area.width - 2 * kFitMargin - 2;
        const bool tall = g.bottom - g.top >= area.height - 2 * kFitMargin - 2;
        EXPECT_TRUE(wide || tall) << w << " x " << h;
    }
    const float fitted = m.viewScale;
    EXPECT_GT(fitted, 28.0f);  // far larger than the start view's
    c.normClick();
    EXPECT_EQ(m.viewScale, m.normScale);
    EXPECT_EQ(m.homeScale, fitted);  // "Norm" keeps the view it left
    c.presetClick(2);
    EXPECT_EQ(m.viewScale, 62.0f);
    EXPECT_EQ(m.viewOffsetY, 395.0f);
}

}  // namespace
}  // namespace tevrane
