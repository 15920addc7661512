#include "dialogs/ReverPos.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/core/SettingLogic.h"
#include "model/GearCommands.h"
#include "model/Model.h"

namespace tevrane {

TRevPos::TRevPos(const Model& m, GearCommands& c, QWidget* parent)
    : SettingDialog(QStringLiteral("Reverse Arm Position"), 208, 64, 40, true, parent), m_(m), c_(c) {
    const int columns[5] = {2, 71, 141, 2, 141};
    for (int i = 0; i < 5; ++i) values_[i] = addLabel(QString(), columns[i], i < 3 ? 2 : 20);
    unit_ = addLabel(QString(), 71, 20);
    unit_->setObjectName(QStringLiteral("RevPosUnit"));
}

void TRevPos::FormActivate() {
    const setting::RevPosLabels labels = setting::revPosLabels(m_);
    const std::string texts[5] = {labels.top[0], labels.top[1], labels.top[2], labels.bottom[0],
                                  labels.bottom[1]};
    for (int i = 0; i < 5; ++i) {
        values_[i]->setText(QString::fromStdString(texts[i]));
        values_[i]->adjustSize();
    }
    // Every setting here is a place of the reverse arm's end, a length.
    unit_->setText(QStringLiteral("(") + QString::fromUtf8(unitSymbol(m_.lengthUnit)) + QStringLiteral(")"));
    unit_->adjustSize();
    edit()->setText(QString::fromStdString(setting::revPosEditText(m_)));
    cancelButton()->setFocus();
}

void TRevPos::OKBtnClick() {
    c_.setReverseArm(setting::clampRevArm(m_, typedValue()));
    accept();
}

}  // namespace tevrane
