// The reverse arm bar and the "Fwd", "Rev" and "Cen" buttons. The sense of
// rotation follows the side of mid gear on which the reverse arm stands;
// exactly mid gear runs forward. A position typed in the reverse arm
// position dialog goes onto the bar by that dialog's scale.
#include "model/SettingRules.h"
#include "main/core/MainController.h"
#include "model/Format.h"

namespace tevrane {

namespace {
bool directOrientation(const Model& m) {
    return (m.gearSignA > 0 && m.gearSignB > 0) || (m.gearSignA < 0 && m.gearSignB < 0);
}
}  // namespace

void MainController::revArmChanged() {
    const int p = p_.bar(Bar::RevArm).position;
    const float centre = m_.revArmSet[0];
    float fwdSetting, revSetting;
    if (directOrientation(m_)) {
        m_.revArmPos = static_cast<float>(centre + p / 1000.0L);
        m_.direction = m_.revArmPos < centre ? "Rev" : "Fwd";
        fwdSetting = centre + m_.revArmNormal;
        revSetting = centre - m_.revArmNormal;
    } else {
        // Before the first solve the gear signs are still 0: mirrored.
        m_.revArmPos = static_cast<float>(centre - p / 1000.0L);
        m_.direction = m_.revArmPos > centre ? "Rev" : "Fwd";
        fwdSetting = centre - m_.revArmNormal;
        revSetting = centre + m_.revArmNormal;
    }
    p_.center.enabled = p != 0;
    p_.fwd.enabled = m_.revArmPos != fwdSetting;
    p_.rev.enabled = m_.revArmPos != revSetting;
    m_.frontCutoffText.clear();
    m_.rearCutoffText.clear();
}

void MainController::revClick() {
    m_.revArmPos = m_.revArmSet[0] - m_.revArmNormal;
    const BarState& b = p_.bar(Bar::RevArm);
    setBarPosition(Bar::RevArm,
                   toInt(static_cast<long double>(m_.revArmNormal) * b.min / m_.revArmMax));
    p_.rev.enabled = false;
    p_.fwd.enabled = true;
    p_.center.enabled = true;
    m_.frontCutoffText.clear();
    m_.rearCutoffText.clear();
    changed();
}

void MainController::fwdClick() {
    m_.revArmPos = m_.revArmSet[0] + m_.revArmNormal;
    const BarState& b = p_.bar(Bar::RevArm);
    setBarPosition(Bar::RevArm,
                   toInt(static_cast<long double>(m_.revArmNormal) * b.max / m_.revArmMax));
    p_.fwd.enabled = false;
    p_.rev.enabled = true;
    p_.center.enabled = true;
    m_.frontCutoffText.clear();
    m_.rearCutoffText.clear();
    changed();
}

void MainController::centerClick() {
    setBarPosition(Bar::RevArm, 0);
    m_.revArmPos = m_.revArmSet[0];
    p_.fwd.enabled = true;
    p_.rev.enabled = true;
    p_.center.enabled = false;
    m_.frontCutoffText.clear();
    m_.rearCutoffText.clear();
    changed();
}

void MainController::setReverseArm(float position) {
    m_.revArmPos = position;
    setBarPosition(Bar::RevArm, setting::revArmBarPosition(m_, position));
    changed();
}

void MainController::calcCentRevArm() {
    centreReverseArm(m_);
    centerClick();
}

}  // namespace tevrane
