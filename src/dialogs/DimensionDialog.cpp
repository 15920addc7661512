#include "dialogs/DimensionDialog.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>

#include "model/Format.h"
#include "platform/QtCanvas.h"

namespace tevrane {

namespace {

// The character a key event types, as the box's key filter sees it, or 0 for
// keys that type nothing (cursor movement, Tab, Delete, shortcuts), which the
// box handles on its own.
char typedCharacter(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace) return kBackspace;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return kCarriageReturn;
    const QString t = e->text();
    if (t.size() != 1) return t.isEmpty() ? 0 : '\x7f';  // several characters: never typed
    const char16_t u = t.at(0).unicode();
    if (u < 0x20 || u == 0x7f) return 0;
    // Characters outside ASCII can never be part of a number; 0x7f stands for
    // "some other character" and is dropped by the filter.
    return u < 0x80 ? static_cast<char>(u) : '\x7f';
}

}  // namespace

DimensionDialog::DimensionDialog(const Model& m, GearCommands& c, const DimensionLayout& layout,
                                 QWidget* parent)
    : QDialog(parent), m_(m), c_(c), layout_(layout) {
    setWindowTitle(QString::fromStdString(layout_.caption));
    setFixedSize(layout_.width, layout_.height);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(fontPixelSize(kDefaultFontSize));
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(kWindowColour));
    setPalette(pal);
    setAutoFillBackground(false);  // paintEvent draws the whole surface

    surface_ = QtCanvas::whiteImage(layout_.width, layout_.height);

    // Boxes first, in row order, so that Tab walks them top to bottom and
    // left column before right; then the two push buttons.
    for (size_t i = 0; i < layout_.rows.size(); ++i) {
        const DimensionRow& row = layout_.rows[i];
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("Edit%1").arg(row.edit));
        e->setFrame(false);
        QPalette ep = e->palette();
        ep.setColor(QPalette::Base, toQColor(row.role == RowRole::Dynamic ? kDynamicBoxColour
                                                                         : kWindowColour));
        e->setPalette(ep);
        // Every character must come through the key filter.
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
        e->setAcceptDrops(false);
        e->installEventFilter(this);
        // Deleting, cutting and pasting change the text without a typed key;
        // they are edits for the undo history all the same.
        connect(e, &QLineEdit::textEdited, this, [this, i] { c_.typeInDimension(layout_.rows[i].id); });
        edits_.push_back(e);
    }
    for (const DimensionRow& row : layout_.rows) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("SmallButton%1").arg(row.edit));
        // A click takes the focus (so the box being edited is left first), but
        // Tab does not stop on these.
        b->setFocusPolicy(Qt::ClickFocus);
        b->setAutoDefault(false);
        const int n = row.edit;
        connect(b, &QPushButton::clicked, this, [this, n] { SmallButtonClick(n); });
        smallButtons_.push_back(b);
    }
    reset_ = new QPushButton(QString::fromStdString(layout_.reset.caption), this);
    reset_->setObjectName(QString::fromStdString(layout_.reset.caption));
    reset_->installEventFilter(this);
    connect(reset_, &QPushButton::clicked, this, [this] { resetClick(); });

    unitCaption_ = new QLabel(this);
    unitCaption_->setObjectName(QStringLiteral("UnitCaption"));
    close_ = new QPushButton(QString::fromStdString(layout_.close.caption), this);
    close_->setObjectName(QStringLiteral("Close"));
    connect(close_, &QPushButton::clicked, this, [this] { CloseClick(); });
    layoutControls(1.0f, 1.0f);
}

void DimensionDialog::layoutControls(float sx, float sy) {
    // With the large font the labels are drawn at scaled positions, so the
    // form, its boxes and buttons grow by the same factors; otherwise the
    // labels would run under the boxes.
    if (sx == scaleX_ && sy == scaleY_) return;
    scaleX_ = sx;
    scaleY_ = sy;
    auto sc = [&](int v, float f) { return toInt(v * static_cast<long double>(f)); };
    auto place = [&](QWidget* w, int x, int y, int width, int height) {
        w->setGeometry(sc(x, sx), sc(y, sy), sc(width, sx), sc(height, sy));
    };
    setFixedSize(sc(layout_.width, sx), sc(layout_.height, sy));
    QFont f = font();
    f.setPixelSize(sc(fontPixelSize(kDefaultFontSize), sy));
    setFont(f);
    surface_ = QtCanvas::whiteImage(sc(layout_.width, sx), sc(layout_.height, sy));
    for (size_t i = 0; i < layout_.rows.size(); ++i) {
        const DimensionRow& row = layout_.rows[i];
        place(edits_[i], boxX(row.column), row.boxY(), kBoxWidth, kBoxHeight);
        place(smallButtons_[i], smallButtonX(row.column), row.smallButtonY(), kSmallButtonWidth,
              row.smallButtonHeight());
    }
    place(reset_, layout_.reset.x, layout_.reset.y, layout_.reset.width, layout_.reset.height);
    place(close_, layout_.close.x, layout_.close.y, layout_.close.width, layout_.close.height);
    place(unitCaption_, 1, layout_.unitCaptionY, layout_.reset.x - 8, kRowPitch);
}

DimensionDialog::~DimensionDialog() {
    // The boxes outlive this part of the dialog by a moment: no more leave
    // sequences once the rows are gone.
    for (QLineEdit* e : edits_) e->removeEventFilter(this);
    reset_->removeEventFilter(this);
}

QLineEdit* DimensionDialog::edit(int n) const {
    for (size_t i = 0; i < layout_.rows.size(); ++i)
        if (layout_.rows[i].edit == n) return edits_[i];
    return nullptr;
}

QPushButton* DimensionDialog::smallButton(int n) const {
    for (size_t i = 0; i < layout_.rows.size(); ++i)
        if (layout_.rows[i].edit == n) return smallButtons_[i];
    return nullptr;
}

int DimensionDialog::rowIndexOfEdit(const QObject* o) const {
    for (size_t i = 0; i < edits_.size(); ++i)
        if (edits_[i] == o) return static_cast<int>(i);
    return -1;
}

void DimensionDialog::FormActivate() {
    layoutControls(m_.fontScaleX, m_.fontScaleY);
    unitCaption_->setText(QString::fromStdString(dimensionUnitCaption(m_.lengthUnit)));
    {
        QtCanvas canvas(surface_);
        drawDimensionLabels(canvas, layout_, m_.fontScaleX, m_.fontScaleY);
    }
    update();
    for (size_t i = 0; i < layout_.rows.size(); ++i) {
        edits_[i]->setText(QString::fromStdString(rowText(m_, layout_.rows[i])));
        edits_[i]->setCursorPosition(0);
    }
}

void DimensionDialog::EditExit(int n) {
    const DimensionRow* row = layout_.rowOfEdit(n);
    if (!row) return;
    const QLineEdit* e = edit(n);
    c_.setDimension(row->id, leftValue(m_, *row, e->text().toStdString(), e->isModified()));
}

void DimensionDialog::SmallButtonClick(int n) {
    if (const DimensionRow* row = layout_.rowOfEdit(n)) c_.showDimension(row->id);
}

void DimensionDialog::stepAside() {
    if (!isVisible()) return;
    leaveBoxBeingEdited();
    // Past this class's done(): no re-centring now.
    QDialog::done(QDialog::Rejected);
}

void DimensionDialog::CloseClick() { accept(); }

void DimensionDialog::leaveBoxBeingEdited() {
    const int index = rowIndexOfEdit(focusWidget());
    if (index < 0) return;
    // Moving the focus to "Close" runs the box's leave sequence, as a click
    // on "Close" does. A dialog that is not the active window gets no focus
    // events, so its box is left here directly.
    const bool focusEventsDelivered = edits_[static_cast<size_t>(index)]->hasFocus();
    close_->setFocus(Qt::OtherFocusReason);
    if (!focusEventsDelivered) EditExit(layout_.rows[static_cast<size_t>(index)].edit);
}

void DimensionDialog::done(int result) {
    // "Close", the window frame (its close button, Alt+F4) and a reject all
    // end here: the value being typed is kept and the reverse arm re-centred.
    if (isVisible()) {
        leaveBoxBeingEdited();
        c_.recentreReverseArm();
    }
    QDialog::done(result);
}

void DimensionDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
    close_->setFocus(Qt::OtherFocusReason);
}

void DimensionDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, surface_);
}

void DimensionDialog::keyPressEvent(QKeyEvent* e) {
    // The dialog has no cancel button: Escape leaves it open, as in every
    // dialog of the program. It closes through "Close" or the window frame.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool DimensionDialog::editKeyPress(int index, QKeyEvent* e) {
    const char key = typedCharacter(e);
    if (key == 0) return false;
    const DimensionRow& row = layout_.rows[static_cast<size_t>(index)];
    const KeyVerdict v = filterKey(edits_[static_cast<size_t>(index)]->text().toStdString(), key);
    if (v.marksEdited) c_.typeInDimension(row.id);
    if (v.moveFocus) {
        // Leaving the box runs its commit; the dialog stays open.
        close_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return !v.insert;
}

bool DimensionDialog::eventFilter(QObject* watched, QEvent* e) {
    if (watched == reset_) {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick)
            resetMouseDown();
        return false;
    }
    const int index = rowIndexOfEdit(watched);
    if (index < 0) return QDialog::eventFilter(watched, e);
    switch (e->type()) {
        case QEvent::KeyPress:
            return editKeyPress(index, static_cast<QKeyEvent*>(e));
        case QEvent::FocusOut: {
            // Only a move of the focus inside the dialog leaves the box; the
            // window losing activation or a context menu opening does not.
            const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
            if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason)
                EditExit(layout_.rows[static_cast<size_t>(index)].edit);
            return false;
        }
        default:
            return false;
    }
}

}  // namespace tevrane
