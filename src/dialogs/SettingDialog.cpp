#include "dialogs/SettingDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/ClassicFont.h"
#include "dialogs/SettingKeyFilter.h"
#include "model/Format.h"

namespace tevrane {

namespace {
constexpr int kButtonWidth = 52;
constexpr int kButtonHeight = 21;
constexpr int kEditWidth = 56;
constexpr int kEditHeight = 17;
}  // namespace

SettingDialog::SettingDialog(const QString& caption, int width, int height, int entryTop,
                             bool allowMinus, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    setFont(classic::dialogFont());
    setFixedSize(width, height);
    setModal(true);

    addLabel(QStringLiteral("Enter"), 2, entryTop + 3);

    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("Edit1"));
    edit_->setFrame(false);
    edit_->setGeometry(34, entryTop + 2, kEditWidth, kEditHeight);
    edit_->installEventFilter(new SettingKeyFilter(allowMinus, edit_));

    // The buttons sit at the right edge, "Cancel" last.
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("CancelBtn"));
    cancel_->setGeometry(width - 4 - kButtonWidth, entryTop, kButtonWidth, kButtonHeight);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OKBtn"));
    ok_->setGeometry(width - 10 - 2 * kButtonWidth, entryTop, kButtonWidth, kButtonHeight);
    // Return in the edit box is discarded by the key filter; neither button
    // should take it over as the dialog's default.
    ok_->setAutoDefault(false);
    cancel_->setAutoDefault(false);

    setTabOrder(edit_, ok_);
    setTabOrder(ok_, cancel_);

    connect(ok_, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
}

QLabel* SettingDialog::addLabel(const QString& text, int x, int y) {
    auto* label = new QLabel(text, this);
    label->move(x, y);
    label->adjustSize();
    return label;
}

double SettingDialog::typedValue() const { return parseDecimal(edit_->text().toStdString()); }

void SettingDialog::CancelBtnClick() { reject(); }

void SettingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

}  // namespace tevrane
