#include "dialogs/core/SettingLogic.h"

#include "model/Format.h"

namespace tevrane::setting {

namespace {
std::string value53(long double v) { return fixed(static_cast<double>(v), 5, 3); }
}  // namespace

RevPosLabels revPosLabels(const Model& m) {
    const long double centre = m.revArmCentre();
    const long double norm = m.revArmNormal;
    const long double max = m.revArmMax;
    RevPosLabels l;
    l.top[1] = "Cen = " + value53(centre);
    if (directOrientation(m)) {
        l.top[0] = "Rev = " + value53(centre - norm);
        l.top[2] = "Fwd = " + value53(centre + norm);
        l.bottom[0] = "Min = " + value53(centre - max);
        l.bottom[1] = "Max = " + value53(centre + max);
    } else {
        l.top[0] = "Rev = " + value53(centre + norm);
        l.top[2] = "Fwd = " + value53(centre - norm);
        l.bottom[0] = "Max = " + value53(centre + max);
        l.bottom[1] = "Min = " + value53(centre - max);
    }
    return l;
}

std::string revPosEditText(const Model& m) { return fixed(m.revArmPos, 7, 3); }

std::string drivAngEditText(const Model& m) {
    return m.stepAngle != 0.0f ? std::string("0.00") : fixed(m.driverAngle, 4, 2);
}

std::string stpAngEditText(const Model& m) { return fixed(m.stepAngle, 4, 2); }

std::string graphZoomEditText(const Model& m) { return fixed(m.graphicZoom, 4, 2); }

bool acceptKey(const std::string& text, char key, bool allowMinus) {
    return acceptNumericKey(text, key, allowMinus);
}

}  // namespace tevrane::setting
