// The "Set Reverse Arm Positions" dialog: up to nine reverse-arm positions for
// the steam, oval and sine diagrams and their vertical scale. Its labels are
// drawn on the dialog's own surface; the edit boxes filter keys, reveal the
// next position as the user types, and store their value when left.
#pragma once

#include <QDialog>
#include <QImage>

#include <array>

#include "diagrams/core/RevArmSet.h"
#include "model/GearCommands.h"
#include "model/Model.h"

class QLineEdit;
class QPushButton;

namespace tevrane {

class TSetRevArm : public QDialog {
    Q_OBJECT
public:
    TSetRevArm(const Model& m, GearCommands& commands, QWidget* parent = nullptr);

    // Box 1..9 is Edit1..Edit9 (positions), box 10 is Edit10 (vertical scale).
    QLineEdit* edit(int box) const;
    QPushButton* close1() const { return close1_; }
    const QImage& surface() const { return surface_; }

public slots:
    void FormActivate();
    void Close1Click();
    // The key-press handler of box 1..10: true when the key may go into the box.
    bool EditKeyPress(int box, char key);
    // The exit handler of box 1..10: the box's text is stored.
    void EditExit(int box);

protected:
    void showEvent(QShowEvent* e) override;
    void done(int result) override;
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int boxOf(QObject* o) const;
    void placeControls();
    void applyBoxes(bool texts);

    const Model& m_;
    GearCommands& commands_;
    QImage surface_;
    RevArmBoxes boxes_;
    std::array<QLineEdit*, kRevArmBoxCount + 1> edits_{};
    QPushButton* close1_ = nullptr;
};

}  // namespace tevrane
