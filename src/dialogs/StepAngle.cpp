#include "dialogs/StepAngle.h"

#include <QLineEdit>
#include <QPushButton>

#include "dialogs/core/SettingLogic.h"
#include "main/core/MainController.h"
#include "model/Model.h"

namespace tevrane {

TStpAng::TStpAng(Model& m, MainController& c, QWidget* parent)
    : SettingDialog(QStringLiteral("Step Angle"), 208, 47, 22, false, parent), m_(m), c_(c) {
    addLabel(QStringLiteral("Min = 0.01"), 2, 3);
    addLabel(QStringLiteral("Max = 45.00"), 120, 3);
    edit()->setText(QStringLiteral("5.0"));
}

void TStpAng::FormActivate() {
    edit()->setText(QString::fromStdString(setting::stpAngEditText(m_)));
    cancelButton()->setFocus();
}

void TStpAng::OKBtnClick() {
    // Disarmed, the step bar's next change keeps the typed step instead of
    // snapping it to one of the bar's predefined steps.
    m_.stepBarArmed = false;
    const float step = setting::clampStepAngle(typedValue());
    m_.selectedStep = step;

    // Flipping the caption before the Run button's action keeps the run
    // state: a stopped animation stays stopped, a running one restarts with
    // the new step.
    Panel& panel = c_.panel();
    panel.runCaption = panel.runCaption != "Stop" ? "Stop" : "Run";
    c_.runClick();

    c_.setBarPosition(Bar::StepAng, setting::stepBarPosition(step));
    // When the bar already stood at that position its handler did not run and
    // so did not re-arm it; re-arm here, or the user's next move of the step
    // bar would be swallowed.
    m_.stepBarArmed = true;

    BarState& driverBar = panel.bar(Bar::DrvAng);
    driverBar.smallChange = setting::driverSmallChange(step);
    driverBar.largeChange = setting::driverLargeChange(step);
    c_.changed();
    accept();
}

}  // namespace tevrane
