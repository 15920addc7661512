// Pan, zoom, the six view presets with "P", and "Norm".
#include <algorithm>

#include "controls/core/Jog.h"
#include "main/core/FitView.h"
#include "main/core/MainController.h"
#include "main/core/PointerDisplay.h"

namespace tevrane {

namespace {
constexpr double kPanZoomDivisor = 10.0;

void setPanBase(Model& m) {
    m.panBaseScale = m.viewScale;
    m.panBaseX = m.viewOffsetX;
    m.panBaseY = m.viewOffsetY;
}
}  // namespace

// One change of a jog bar: the delta, the history shift, and the spring back
// to 0 (which runs the handler once more with a delta of 0).
static double takeJog(Panel& p, Bar b, double divisor) {
    const BarState& s = p.bar(b);
    return takeJog(p.jog(b), s.position, s.largeChange, divisor);
}

void MainController::panChanged(Bar b) {
    const double d = takeJog(p_, b, kPanZoomDivisor);
    p_.norm.enabled = true;
    if (b == Bar::PanVert)
        m_.viewOffsetY = static_cast<float>(m_.viewOffsetY - d);
    else
        m_.viewOffsetX = static_cast<float>(m_.viewOffsetX + d);
    setPanBase(m_);
    setBarPosition(b, 0);
}

void MainController::zoomChanged() {
    const double d = takeJog(p_, Bar::Zoom, kPanZoomDivisor);
    p_.norm.enabled = true;
    setPanBase(m_);
    if (m_.viewScale > 3000.0f) m_.viewScale = 3000.0f;
    m_.viewScale = static_cast<float>(m_.viewScale + static_cast<long double>(m_.viewScale) * d * 0.01L);
    // Zoom about the screen point (320, 240).
    m_.viewOffsetX = static_cast<float>((static_cast<long double>(m_.panBaseX) - 320) * m_.viewScale /
                                            m_.panBaseScale + 320);
    m_.viewOffsetY = static_cast<float>(static_cast<long double>(m_.viewScale) *
                                            (m_.panBaseY - 240.0L) / m_.panBaseScale + 240);
    m_.viewScale = std::clamp(m_.viewScale, 0.5f, 3000.0f);
    setBarPosition(Bar::Zoom, 0);
}

void MainController::normClick() {
    m_.homeScale = m_.viewScale;
    m_.homeOffsetX = m_.viewOffsetX;
    m_.homeOffsetY = m_.viewOffsetY;
    setBarPosition(Bar::PanVert, 0);
    setBarPosition(Bar::PanHorz, 0);
    setBarPosition(Bar::Zoom, 0);
    m_.viewScale = m_.normScale;
    m_.viewOffsetX = m_.normOffsetX;
    m_.viewOffsetY = m_.normOffsetY;
    p_.norm.enabled = false;
    p_.preset[0].enabled = true;
    changed();
}

void MainController::presetClick(int n) {
    if (n < 1 || n > 6) return;
    if (!p_.preset[0].enabled) {
        // "P" was pressed first: this preset is redefined from the stored view.
        for (int k = 0; k < 3; ++k) m_.viewPresets[n][k] = m_.viewPresets[0][k];
    }
    m_.viewScale = m_.viewPresets[n][0];
    m_.viewOffsetX = m_.viewPresets[n][1];
    m_.viewOffsetY = m_.viewPresets[n][2];
    p_.norm.enabled = true;
    p_.preset[0].enabled = true;
    changed();
}

void MainController::fitClick(int pictureWidth, int pictureHeight) {
    const ViewSetting v = fitView(gearExtent(m_, m_.revArmPos), fitArea(m_, pictureWidth, pictureHeight),
                                  kFitMargin);
    m_.viewScale = v.scale;
    m_.viewOffsetX = v.offsetX;
    m_.viewOffsetY = v.offsetY;
    p_.norm.enabled = true;
    p_.preset[0].enabled = true;
    changed();
}

void MainController::preset0Click() {
    m_.viewPresets[0][0] = m_.viewScale;
    m_.viewPresets[0][1] = m_.viewOffsetX;
    m_.viewPresets[0][2] = m_.viewOffsetY;
    p_.preset[0].enabled = false;
    p_.norm.enabled = true;
    changed();
}

void MainController::refBarChanged(Bar b) {
    // The reference point bars move pivots 19 and 20 by 0.001 per arrow click.
    const double d = takeJog(p_, b, 1000.0);
    switch (b) {
        case Bar::Ref1Vert: m_.pivotY[kRefPoint1] = static_cast<float>(m_.pivotY[kRefPoint1] + d); p_.refPt1Zero.enabled = true; break;
        case Bar::Ref1Horz: m_.pivotX[kRefPoint1] = static_cast<float>(m_.pivotX[kRefPoint1] + d); p_.refPt1Zero.enabled = true; break;
        case Bar::Ref2Vert: m_.pivotY[kRefPoint2] = static_cast<float>(m_.pivotY[kRefPoint2] + d); p_.refPt2Zero.enabled = true; break;
        case Bar::Ref2Horz: m_.pivotX[kRefPoint2] = static_cast<float>(m_.pivotX[kRefPoint2] + d); p_.refPt2Zero.enabled = true; break;
        default: break;
    }
    setBarPosition(b, 0);
}

}  // namespace tevrane
