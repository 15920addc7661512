#include "dialogs/RefPoint.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/ClassicFont.h"
#include "dialogs/SettingKeyFilter.h"
#include "dialogs/core/RefPointLogic.h"
#include "model/GearCommands.h"
#include "model/Model.h"

namespace tevrane {

namespace {
constexpr int kWidth = 252;
// Room under the buttons for the line that names the coordinates' unit.
constexpr int kHeight = 104;
constexpr int kEditWidth = 56;
constexpr int kEditHeight = 17;
constexpr int kButtonWidth = 52;
constexpr int kButtonHeight = 21;

struct Box {
    const char* label;
    const char* name;
    int x, y;
};
// Point 1 on the first row, point 2 on the second; vertical left, horizontal
// right.
constexpr Box kBoxes[4] = {
    {"RefPt V1", "RefPtV1", 6, 8},
    {"RefPt H1", "RefPtH1", 128, 8},
    {"RefPt V2", "RefPtV2", 6, 32},
    {"RefPt H2", "RefPtH2", 128, 32},
};
}  // namespace

TRefPnts::TRefPnts(const Model& m, GearCommands& c, QWidget* parent) : QDialog(parent), m_(m), c_(c) {
    setWindowTitle(QStringLiteral("Reference Points"));
    setFont(classic::dialogFont());
    setFixedSize(kWidth, kHeight);
    setModal(true);

    for (int k = 0; k < 4; ++k) {
        const Box& b = kBoxes[k];
        auto* label = new QLabel(QString::fromUtf8(b.label), this);
        label->move(b.x, b.y + 2);
        label->adjustSize();
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromUtf8(b.name));
        e->setFrame(false);
        e->setGeometry(b.x + 56, b.y, kEditWidth, kEditHeight);
        // Digits, one ".", one "-" and backspace; every other key is dropped.
        e->installEventFilter(new SettingKeyFilter(true, e));
        edits_[k] = e;
    }

    auto button = [&](const char* caption, const char* name, int x) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setGeometry(x, 60, kButtonWidth, kButtonHeight);
        // Return in a box is dropped by the key filter; no button takes it.
        b->setAutoDefault(false);
        return b;
    };
    ok_ = button("OK", "OKBtn", 62);
    cancel_ = button("Cancel", "CancelBtn", 128);
    zero_ = button("Zero", "ZeroBtn", 194);
    unit_ = new QLabel(this);
    unit_->setObjectName(QStringLiteral("RefPtUnit"));
    unit_->setGeometry(6, 85, kWidth - 12, 16);
    connect(ok_, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    connect(zero_, &QPushButton::clicked, this, [this] { ZeroBtnClick(); });
}

void TRefPnts::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TRefPnts::FormActivate() {
    const float values[4] = {m_.pivotY[kRefPoint1], m_.pivotX[kRefPoint1], m_.pivotY[kRefPoint2],
                             m_.pivotX[kRefPoint2]};
    for (int k = 0; k < 4; ++k) edits_[k]->setText(QString::fromStdString(refpoint::boxText(values[k])));
    unit_->setText(QStringLiteral("From the driver centre, in ") + QString::fromUtf8(unitName(m_.lengthUnit)) +
                   QStringLiteral(" (") + QString::fromUtf8(unitSymbol(m_.lengthUnit)) + QStringLiteral(")"));
    // A stray Return or Space must not store anything.
    cancel_->setFocus();
}

void TRefPnts::OKBtnClick() {
    float v[4];
    for (int k = 0; k < 4; ++k) v[k] = refpoint::boxValue(edits_[k]->text().toStdString());
    c_.refPointsOk(v[0], v[1], v[2], v[3]);
    accept();
}

void TRefPnts::CancelBtnClick() {
    c_.refPointsCancel();
    reject();
}

void TRefPnts::ZeroBtnClick() {
    c_.refPointsZero();
    reject();
}

}  // namespace tevrane
