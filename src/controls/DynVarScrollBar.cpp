#include "controls/DynVarScrollBar.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "controls/core/DynVarBars.h"

namespace tevrane {

DynVarScrollBar::DynVarScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    setRange(-kDynVarBarRange, kDynVarBarRange);
    setSingleStep(1);
    setPageStep(kDynVarBarLargeChange);
    setValue(0);
    // Clicking the bar gives it the focus, which starts a gesture.
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void DynVarScrollBar::focusInEvent(QFocusEvent* e) {
    QScrollBar::focusInEvent(e);
    emit entered();
}

void DynVarScrollBar::mouseReleaseEvent(QMouseEvent* e) {
    QScrollBar::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton || e->button() == Qt::MiddleButton) emit released();
}

void DynVarScrollBar::keyReleaseEvent(QKeyEvent* e) {
    QScrollBar::keyReleaseEvent(e);
    if (e->isAutoRepeat()) return;
    switch (e->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End: emit released(); break;
        default: break;
    }
}

void DynVarScrollBar::wheelEvent(QWheelEvent* e) { e->ignore(); }

}  // namespace tevrane
