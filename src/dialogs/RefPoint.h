// "Reference Points": the two reference points typed as coordinates. "OK"
// stores them and turns reference points on; "Cancel" turns them off; "Zero"
// puts both at the origin and turns them off.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tevrane {

struct Model;
class GearCommands;

class TRefPnts : public QDialog {
public:
    TRefPnts(const Model& m, GearCommands& c, QWidget* parent = nullptr);

    // The four boxes: 0 "RefPt V1", 1 "RefPt H1", 2 "RefPt V2", 3 "RefPt H2".
    QLineEdit* edit(int box) const { return edits_[box]; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* zeroButton() const { return zero_; }
    // The line under the buttons naming the unit the coordinates are in.
    QLabel* unitLabel() const { return unit_; }

    // Fills the boxes from the points when the dialog shows.
    void FormActivate();
    void OKBtnClick();
    void CancelBtnClick();
    void ZeroBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const Model& m_;
    GearCommands& c_;
    QLineEdit* edits_[4] = {};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* zero_ = nullptr;
    QLabel* unit_ = nullptr;
};

}  // namespace tevrane
