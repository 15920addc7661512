#include "dialogs/StepAngle.h"

#include <QLineEdit>
#include <QPushButton>

#include "dialogs/core/SettingLogic.h"
#include "model/GearCommands.h"
#include "model/Model.h"

namespace tevrane {

TStpAng::TStpAng(const Model& m, GearCommands& c, QWidget* parent)
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
    c_.setStepAngle(setting::clampStepAngle(typedValue()));
    accept();
}

}  // namespace tevrane
