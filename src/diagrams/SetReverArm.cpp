#include "diagrams/SetReverArm.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QShowEvent>

#include "platform/QtCanvas.h"

namespace tevrane {

namespace {
constexpr int kClientWidth = kRevArmDialogWidth;
constexpr int kClientHeight = kRevArmDialogHeight;
}  // namespace

TSetRevArm::TSetRevArm(const Model& m, GearCommands& commands, QWidget* parent)
    : QDialog(parent), m_(m), commands_(commands) {
    setObjectName(QStringLiteral("SetRevArm"));
    setWindowTitle(QStringLiteral("Set Reverse Arm Positions"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    surface_ = QtCanvas::whiteImage(kClientWidth, kClientHeight);

    QPalette boxPalette;
    boxPalette.setColor(QPalette::Base, toQColor(colours::silver));
    for (int box = 1; box <= kRevArmBoxCount; ++box) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("Edit%1").arg(box));
        e->setFrame(false);
        e->setPalette(boxPalette);
        e->installEventFilter(this);
        edits_[static_cast<size_t>(box)] = e;
    }

    close1_ = new QPushButton(QStringLiteral("Close"), this);
    close1_->setObjectName(QStringLiteral("Close1"));
    connect(close1_, &QPushButton::clicked, this, &TSetRevArm::Close1Click);

    // Scale first, then the positions in order, then the button.
    QWidget* previous = edits_[kRevArmScaleBox];
    for (int box = 1; box <= kRevArmPositions; ++box) {
        setTabOrder(previous, edits_[static_cast<size_t>(box)]);
        previous = edits_[static_cast<size_t>(box)];
    }
    setTabOrder(previous, close1_);
    placeControls();
}

void TSetRevArm::placeControls() {
    auto place = [](QWidget* w, const RevArmRect& r) { w->setGeometry(r.x, r.y, r.w, r.h); };
    for (int box = 1; box <= kRevArmBoxCount; ++box)
        place(edits_[static_cast<size_t>(box)], revArmBoxRect(m_, box));
    place(close1_, revArmCloseRect(m_));
}

QLineEdit* TSetRevArm::edit(int box) const {
    return box >= 1 && box <= kRevArmBoxCount ? edits_[static_cast<size_t>(box)] : nullptr;
}

int TSetRevArm::boxOf(QObject* o) const {
    for (int box = 1; box <= kRevArmBoxCount; ++box)
        if (edits_[static_cast<size_t>(box)] == o) return box;
    return 0;
}

void TSetRevArm::applyBoxes(bool texts) {
    for (int box = 1; box <= kRevArmBoxCount; ++box) {
        QLineEdit* e = edits_[static_cast<size_t>(box)];
        if (texts) e->setText(QString::fromStdString(boxes_.text[static_cast<size_t>(box)]));
        e->setVisible(boxes_.visible[static_cast<size_t>(box)]);
    }
}

void TSetRevArm::FormActivate() {
    placeControls();  // the font may have changed since the last time
    // The positions after the first unused one are cleared before drawing,
    // so the labels and boxes shown are the positions the diagrams use.
    commands_.settleDiagramPositions();
    {
        QtCanvas canvas(surface_);
        canvas.clear(colours::white);
        drawRevArmDialog(m_, canvas, boxes_);
    }
    applyBoxes(true);
    close1_->setFocus();
    update();
}

void TSetRevArm::Close1Click() {
    // A box being edited is left before the button acts, as a click would.
    if (const int box = boxOf(focusWidget())) EditExit(box);
    close1_->setFocus();
    commands_.settleDiagramPositions();
    {
        QtCanvas canvas(surface_);
        drawRevArmDialog(m_, canvas, boxes_);
    }
    applyBoxes(true);
    update();
    close();
}

bool TSetRevArm::EditKeyPress(int box, char key) {
    QLineEdit* e = edit(box);
    if (!e) return false;
    const bool accepted = acceptRevArmKey(e->text().toStdString(), key);
    if (keyRevealsNext(box)) {
        {
            QtCanvas canvas(surface_);
            revealNextPosition(m_, canvas, boxes_, box);
        }
        applyBoxes(false);
        update();
    }
    return accepted;
}

void TSetRevArm::EditExit(int box) {
    QLineEdit* e = edit(box);
    if (!e) return;
    acceptRevArmEntry(commands_, box, e->text().toStdString());
}

void TSetRevArm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous()) FormActivate();
}

void TSetRevArm::done(int result) {
    // However the dialog closes (Escape, the window frame, "Close"), the box
    // being edited is accepted first, as leaving it would.
    if (const int box = boxOf(focusWidget())) EditExit(box);
    // However the dialog closes, the diagram that opened it redraws.
    commands_.finishDiagramPositions();
    QDialog::done(result);
}

void TSetRevArm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, surface_);
}

bool TSetRevArm::eventFilter(QObject* watched, QEvent* event) {
    const int box = boxOf(watched);
    if (box == 0) return QDialog::eventFilter(watched, event);

    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another application or opening a menu does not leave the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) EditExit(box);
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;

    auto* ke = static_cast<QKeyEvent*>(event);
    switch (ke->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape: return false;  // focus movement and closing stay the dialog's
        default: break;
    }
    const bool enter = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter;
    char key = 0;
    if (ke->key() == Qt::Key_Backspace)
        key = '\b';
    else if (enter)
        key = '\r';
    else if (ke->text().size() == 1 && ke->text().at(0).unicode() < 128)
        key = static_cast<char>(ke->text().at(0).unicode());
    else if (ke->text().isEmpty())
        return false;  // cursor and editing keys are not typed characters

    const bool accepted = EditKeyPress(box, key);
    if (enter) {
        // Carriage return moves on to the next box (or the button).
        focusNextChild();
        return true;
    }
    return !accepted;
}

}  // namespace tevrane
