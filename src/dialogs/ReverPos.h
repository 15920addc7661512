// "Reverse Arm Position": the reverse arm set by typing its position. The
// dialog shows the normal, centre and limit positions of the current engine
// and forces the typed position between the limits.
#pragma once

#include "dialogs/SettingDialog.h"

namespace tevrane {

struct Model;
class GearCommands;

class TRevPos : public SettingDialog {
public:
    TRevPos(const Model& m, GearCommands& c, QWidget* parent = nullptr);

    void FormActivate() override;
    void OKBtnClick() override;

    // The five value labels: 0..2 the top row, 3..4 the second row.
    QLabel* valueLabel(int i) const { return values_[i]; }

private:
    const Model& m_;
    GearCommands& c_;
    QLabel* unit_ = nullptr;  // the design's length unit, between Min and Max
    QLabel* values_[5] = {};
};

}  // namespace tevrane
