// Running and stopping, the driver angle bar with "0.0" and "180", the step
// angle bar and the step buttons, and the driver and step angles typed in
// their setting dialogs (whose scales for the two bars they use).
#include "model/SettingRules.h"
#include "main/core/MainController.h"
#include "main/core/StepTable.h"
#include "model/Format.h"

namespace tevrane {

void MainController::runClick() {
    if (running())
        stopRunning();
    else
        startRunning();
    p_.deg00.enabled = true;
    p_.deg180.enabled = true;
    changed();
}

void MainController::stopRunning() {
    setBarPosition(Bar::DrvAng, toInt(static_cast<long double>(m_.driverAngle) * 100));
    applyStopState();
}

void MainController::startRunning() {
    m_.stepAngle = m_.selectedStep;
    p_.bar(Bar::DrvAng).enabled = false;
    p_.runCaption = "Stop";
}

void MainController::applyStopState() {
    m_.stepAngle = 0.0f;
    p_.bar(Bar::DrvAng).enabled = true;
    p_.runCaption = "Run";
}

void MainController::setDriverAngle(float angle) {
    stopRunning();
    p_.deg00.enabled = true;
    p_.deg180.enabled = true;
    m_.driverAngle = angle;
    setBarPosition(Bar::DrvAng, setting::driverBarPosition(angle));
    changed();
}

void MainController::setStepAngle(float step) {
    // Disarmed, the step bar's next change keeps the typed step instead of
    // snapping it to one of the bar's predefined steps.
    m_.stepBarArmed = false;
    m_.selectedStep = step;
    if (running())
        startRunning();
    else
        stopRunning();
    p_.deg00.enabled = true;
    p_.deg180.enabled = true;
    setBarPosition(Bar::StepAng, setting::stepBarPosition(step));
    // When the bar already stood at that position its handler did not run and
    // so did not re-arm it; re-arm here, or the user's next move of the step
    // bar would be swallowed.
    m_.stepBarArmed = true;
    BarState& driverBar = p_.bar(Bar::DrvAng);
    driverBar.smallChange = setting::driverSmallChange(step);
    driverBar.largeChange = setting::driverLargeChange(step);
    changed();
}

void MainController::deg180Click() {
    m_.driverAngle = 180.0f;
    setBarPosition(Bar::DrvAng, 18000);
    applyStopState();
    p_.deg180.enabled = false;
    p_.deg00.enabled = true;
    changed();
}

void MainController::deg00Click() {
    m_.driverAngle = 0.0f;
    setBarPosition(Bar::DrvAng, 0);
    applyStopState();
    p_.deg00.enabled = false;
    p_.deg180.enabled = true;
    changed();
}

void MainController::drvAngChanged() {
    m_.driverAngle = static_cast<float>(p_.bar(Bar::DrvAng).position / 100.0L);
    p_.deg180.enabled = true;
    p_.deg00.enabled = true;
}

void MainController::stepAngChanged() {
    if (!m_.stepBarArmed) {
        // The step angle dialog moved the bar to show a typed step: keep it.
        m_.stepBarArmed = true;
        return;
    }
    const StepChoice c = stepForPosition(p_.bar(Bar::StepAng).position);
    m_.selectedStep = c.step;
    p_.bar(Bar::DrvAng).smallChange = c.smallChange;
    p_.bar(Bar::DrvAng).largeChange = c.largeChange;
    if (running()) m_.stepAngle = m_.selectedStep;
    p_.step10.enabled = m_.selectedStep != 10.0f;
    p_.step45.enabled = m_.selectedStep != 45.0f;
    p_.step1.enabled = m_.selectedStep != 1.0f;
}


void MainController::step1Click() {
    m_.selectedStep = 1.0f;
    setBarPosition(Bar::StepAng, kStepBarOneDegree);
    p_.step1.enabled = false;
    if (running()) m_.stepAngle = m_.selectedStep;
    changed();
}

void MainController::step10Click() {
    m_.selectedStep = 10.0f;
    setBarPosition(Bar::StepAng, kStepBarTenDegrees);
    p_.step10.enabled = false;
    if (running()) m_.stepAngle = m_.selectedStep;
    changed();
}

void MainController::step45Click() {
    m_.selectedStep = 45.0f;
    setBarPosition(Bar::StepAng, kStepBarFortyFiveDegrees);
    p_.step45.enabled = false;
    if (running()) m_.stepAngle = m_.selectedStep;
    changed();
}

}  // namespace tevrane
