// The two reference points (pivots 19 and 20): their zero buttons, panning to
// them, the "Reference Points" dialog's buttons, placing them from a press in
// the picture and the nearest moving pivot to point 1.
#include <cmath>

#include "main/core/MainController.h"
#include "model/Format.h"

namespace tevrane {

namespace {

// Client pixels to world units with the current view.
float worldX(const View& v, int mx) {
    return static_cast<float>((mx - static_cast<long double>(v.viewOffsetX)) / v.viewScale);
}
float worldY(const View& v, int my) {
    return static_cast<float>(-(my - static_cast<long double>(v.viewOffsetY)) / v.viewScale);
}

}  // namespace

void MainController::refPt1ZeroClick() {
    m_.pivotX[kRefPoint1] = 0.0f;
    m_.pivotY[kRefPoint1] = 0.0f;
    setBarPosition(Bar::Ref1Vert, 0);
    setBarPosition(Bar::Ref1Horz, 0);
    p_.refPt1Zero.enabled = false;
    changed();
}

void MainController::refPt2ZeroClick() {
    m_.pivotX[kRefPoint2] = 0.0f;
    m_.pivotY[kRefPoint2] = 0.0f;
    setBarPosition(Bar::Ref2Vert, 0);
    setBarPosition(Bar::Ref2Horz, 0);
    p_.refPt2Zero.enabled = false;
    changed();
}

void MainController::refPt1Click() { panToPoint(kRefPoint1); }
void MainController::refPt2Click() { panToPoint(kRefPoint2); }

void MainController::panToPoint(int pivot) {
    const long double s = m_.viewScale;
    m_.viewOffsetX = static_cast<float>(320 - m_.pivotX[pivot] * s);
    m_.viewOffsetY = static_cast<float>(m_.pivotY[pivot] * s + 240);
    // The pan bars' positions for this view, measured from the normal view.
    // The normal offsets are never 0 in practice; should they be, the bars
    // have no position to take.
    int horz = 0, vert = 0;
    if (m_.normOffsetX != 0.0f)
        horz = toInt(((m_.viewOffsetX - 320.0L) * m_.normScale / s + 320 - m_.normOffsetX) * 100 /
                     -static_cast<long double>(m_.normOffsetX));
    if (m_.normOffsetY != 0.0f)
        vert = toInt(((m_.viewOffsetY - 240.0L) * m_.normScale / s + 240 - m_.normOffsetY) * 200 /
                     static_cast<long double>(m_.normOffsetY));
    setBarPosition(Bar::PanHorz, horz);
    setBarPosition(Bar::PanVert, vert);
    changed();
}

void MainController::refPointsOk(float v1, float h1, float v2, float h2) {
    m_.pivotY[kRefPoint1] = v1;
    m_.pivotX[kRefPoint1] = h1;
    m_.pivotY[kRefPoint2] = v2;
    m_.pivotX[kRefPoint2] = h2;
    if (v1 != 0.0f || h1 != 0.0f) p_.refPt1Zero.enabled = true;
    if (v2 != 0.0f || h2 != 0.0f) p_.refPt2Zero.enabled = true;
    m_.refPointsOn = false;
    toggleReferPoints();  // on, with their controls
}

void MainController::refPointsCancel() {
    m_.refPointsOn = true;
    toggleReferPoints();  // off, with their controls and pivot data
}

void MainController::refPointsZero() {
    for (int i : {kRefPoint1, kRefPoint2}) m_.pivotX[i] = m_.pivotY[i] = 0.0f;
    p_.refPt1Zero.enabled = false;
    p_.refPt2Zero.enabled = false;
    refPointsCancel();
}

void MainController::setRefPoint1At(int mx, int my) {
    m_.pivotX[kRefPoint1] = worldX(m_, mx);
    m_.pivotY[kRefPoint1] = worldY(m_, my);
}

void MainController::setRefPoint2At(int mx, int my) {
    m_.pivotX[kRefPoint2] = worldX(m_, mx);
    m_.pivotY[kRefPoint2] = worldY(m_, my);
}

void MainController::findNearestPivot(int mx, int my) {
    setRefPoint1At(mx, my);
    const long double x = m_.pivotX[kRefPoint1], y = m_.pivotY[kRefPoint1];
    long double best = 10000;
    // Pivot 0 (the origin) and the reference points 19 and 20 are not part
    // of the gear and cannot be picked.
    for (int i = 1; i <= 18; ++i) {
        const long double d = std::fabs(y - m_.pivotY[i]) + std::fabs(x - m_.pivotX[i]);
        if (d < best) {
            best = d;
            m_.nearestPivot = i;
        }
    }
}

bool MainController::refPointsAtOrigin() const {
    return m_.pivotX[kRefPoint1] == 0.0f && m_.pivotY[kRefPoint1] == 0.0f &&
           m_.pivotX[kRefPoint2] == 0.0f && m_.pivotY[kRefPoint2] == 0.0f;
}

}  // namespace tevrane
