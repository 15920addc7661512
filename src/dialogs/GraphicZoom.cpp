#include "dialogs/GraphicZoom.h"

#include <QLineEdit>
#include <QPushButton>

#include "dialogs/core/SettingLogic.h"
#include "model/Model.h"

namespace tevrane {

TGraphZoom::TGraphZoom(Model& m, QWidget* parent)
    : SettingDialog(QStringLiteral("Set Zoom of Dimensional Graphic Position"), 270, 68, 43, false,
                    parent),
      m_(m) {
    addLabel(QStringLiteral("Min = 0.5"), 2, 3);
    addLabel(QStringLiteral("Max = 2000.0"), 180, 3);
    addLabel(QStringLiteral("Approximate Factor = Locomotive Gauge in Units Used"), 2, 21);
}

void TGraphZoom::FormActivate() {
    edit()->setText(QString::fromStdString(setting::graphZoomEditText(m_)));
    cancelButton()->setFocus();
}

void TGraphZoom::OKBtnClick() {
    m_.graphicZoom = setting::clampGraphicZoom(typedValue());
    accept();
}

}  // namespace tevrane
