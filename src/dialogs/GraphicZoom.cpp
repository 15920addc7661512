#include "dialogs/GraphicZoom.h"

#include <QLineEdit>
#include <QPushButton>

#include "dialogs/core/SettingLogic.h"
#include "model/GearCommands.h"
#include "model/Model.h"

namespace tevrane {

TGraphZoom::TGraphZoom(const Model& m, GearCommands& commands, QWidget* parent)
    : SettingDialog(QStringLiteral("Set Zoom of Dimensional Graphic Position"), 270, 68, 43, false,
                    parent),
      m_(m),
      commands_(commands) {
    addLabel(QStringLiteral("Min = 0.5"), 2, 3);
    addLabel(QStringLiteral("Max = 2000.0"), 180, 3);
    addLabel(QStringLiteral("Approximate Factor = Locomotive Gauge in Units Used"), 2, 21);
}

void TGraphZoom::FormActivate() {
    edit()->setText(QString::fromStdString(setting::graphZoomEditText(m_)));
    cancelButton()->setFocus();
}

void TGraphZoom::OKBtnClick() {
    commands_.setGraphicZoom(typedValue());
    accept();
}

}  // namespace tevrane
