// "Step Angle": the driver's step per animation tick set to a typed value
// between 0.01 and 45 degrees, kept exactly as typed (the step bar only shows
// where it lies on its logarithmic scale). The run state is kept.
#pragma once

#include "dialogs/SettingDialog.h"

namespace tevrane {

struct Model;
class GearCommands;

class TStpAng : public SettingDialog {
public:
    TStpAng(const Model& m, GearCommands& c, QWidget* parent = nullptr);

    void FormActivate() override;
    void OKBtnClick() override;

private:
    const Model& m_;
    GearCommands& c_;
};

}  // namespace tevrane
