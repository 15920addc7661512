#include "dialogs/DrvAng.h"

#include <QLineEdit>
#include <QPushButton>

#include "dialogs/core/SettingLogic.h"
#include "model/GearCommands.h"
#include "model/Model.h"

namespace tevrane {

TDrivAng::TDrivAng(const Model& m, GearCommands& c, QWidget* parent)
    : SettingDialog(QStringLiteral("Driver Angle"), 208, 47, 22, false, parent), m_(m), c_(c) {
    addLabel(QStringLiteral("Min = 0.00"), 2, 3);
    addLabel(QStringLiteral("Max = 360.00"), 120, 3);
}

void TDrivAng::FormActivate() {
    edit()->setText(QString::fromStdString(setting::drivAngEditText(m_)));
    cancelButton()->setFocus();
}

void TDrivAng::OKBtnClick() {
    c_.setDriverAngle(setting::clampDriverAngle(typedValue()));
    accept();
}

}  // namespace tevrane
