// The dynamic-variable bar of every window (the main window's four and each
// diagram's four): a horizontal scroll bar that tells when it gets the focus
// and when the user lets go of it (mouse button or scroll key released), the
// two ends of one undo-recorded gesture. Everything that would move it outside
// such a gesture is switched off: the wheel and the context menu's scroll
// commands would change the dimension with no release to record them.
#pragma once

#include <QScrollBar>

namespace tevrane {

class DynVarScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit DynVarScrollBar(QWidget* parent = nullptr);

signals:
    void entered();
    void released();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    // Only the release of a key that scrolls ends a gesture; Tab, which
    // brings the focus here, does not.
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
};

}  // namespace tevrane
