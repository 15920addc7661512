// A mouse press on the picture: the user pointing at the mechanism. One press
// may do several things; each step tests its own condition, in a fixed order.
#include "main/core/MainController.h"
#include "model/Format.h"

namespace tevrane {

namespace {

// The draw-lines window has a type and a colour chosen.
bool typeAndColourChosen(const Overlay& o) {
    return o.drawLinesTypeChoice >= 0 && o.drawLinesColourChoice >= 0;
}

// Base pixel v scaled by a text scale factor.
int scaledBase(int v, float factor) { return toInt(v * static_cast<long double>(factor)); }

}  // namespace

bool inDrawingZone(int x, int y) { return y > 120 || (y >= 68 && x >= 248); }

void MainController::formMouseDown(MouseButton button, int x, int y) {
    const bool left = button == MouseButton::Left;
    const bool right = button == MouseButton::Right;
    const bool refs = m_.refPointsOn;

    // 1, 2: the reference points.
    if (refs && inDrawingZone(x, y)) {
        if (left) {
            setRefPoint1At(x, y);
            p_.refPt1Zero.enabled = true;
        } else if (right) {
            setRefPoint2At(x, y);
            p_.refPt2Zero.enabled = true;
        }
    }
    // 3: a one-pivot item of the draw-lines window takes point 1 as its pick.
    if (refs && left && typeAndColourChosen(m_) && m_.drawLinesRefChoice >= 0 &&
        m_.drawLinesRefChoice <= 2) {
        changed();  // the window reopens over a panel showing the new point
        if (onDrawLinesClick) onDrawLinesClick();
    }
    // 4
    if (left) m_.leftPressed = true;
    // 5: a two-pivot item needs the left press (pivot 1), then the right one.
    if (refs && right && typeAndColourChosen(m_) && m_.drawLinesRefChoice == 3 && m_.leftPressed) {
        m_.leftPressed = false;
        changed();
        if (onDrawLinesClick) onDrawLinesClick();
    }
    // 6: the armed pivot data row takes the pivot nearest to the press.
    if (m_.pivotDataOn && m_.pivotRowArmed && m_.refPointsOn && left) {
        findNearestPivot(x, y);
        m_.pivotRowArmed = false;
        if (m_.armedRow >= 1 && m_.armedRow <= kPivotDataRows)
            m_.pivotRowPivot[m_.armedRow] = static_cast<float>(m_.nearestPivot);
    }
    // 7: a press on a row number arms that row. The bands lie on the row
    // numbers the picture draws at (3, 140 + 10 k), scaled with the font.
    if (m_.pivotDataOn && !m_.pivotRowArmed && m_.refPointsOn && left) {
        for (int k = 1; k <= kPivotDataRows; ++k) {
            const bool inRow = scaledBase(142 + 10 * k, m_.fontScaleY) < y &&
                               y < scaledBase(151 + 10 * k, m_.fontScaleY);
            if (inRow && x >= 1 && x < scaledBase(20, m_.fontScaleX)) {
                m_.armedRow = k;
                m_.pivotRowActive[k] = 1;
                m_.pivotRowArmed = true;
            }
        }
    }
    // 8: any press ends a running pointer display.
    if (m_.pointerDim > 0) m_.pointerFrameCount = 1005;
    changed();
}

bool MainController::pickPending() const {
    if (!m_.refPointsOn) return false;  // a press picks nothing then
    return m_.drawLinesPick || (m_.pivotDataOn && m_.pivotRowArmed);
}

}  // namespace tevrane
