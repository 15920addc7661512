#include "dialogs/DrvAng.h"

#include <QLineEdit>
#include <QPushButton>

#include "dialogs/core/SettingLogic.h"
#include "main/core/MainController.h"
#include "model/Model.h"

namespace tevrane {

TDrivAng::TDrivAng(Model& m, MainController& c, QWidget* parent)
    : SettingDialog(QStringLiteral("Driver Angle"), 208, 47, 22, false, parent), m_(m), c_(c) {
    addLabel(QStringLiteral("Min = 0.00"), 2, 3);
    addLabel(QStringLiteral("Max = 360.00"), 120, 3);
}

void TDrivAng::FormActivate() {
    edit()->setText(QString::fromStdString(setting::drivAngEditText(m_)));
    cancelButton()->setFocus();
}

void TDrivAng::OKBtnClick() {
    // Whatever the run state was, the Run button's action with the caption
    // "Stop" stops the motion.
    c_.panel().runCaption = "Stop";
    c_.runClick();
    m_.driverAngle = setting::clampDriverAngle(typedValue());
    c_.setBarPosition(Bar::DrvAng, setting::driverBarPosition(m_.driverAngle));
    m_.stepAngle = 0.0f;
    c_.panel().bar(Bar::DrvAng).enabled = true;
    c_.changed();
    accept();
}

}  // namespace tevrane
