// "Driver Angle": the animation is stopped and the driver set to a typed
// angle between 0 and 360 degrees.
#pragma once

#include "dialogs/SettingDialog.h"

namespace tevrane {

struct Model;
class GearCommands;

class TDrivAng : public SettingDialog {
public:
    TDrivAng(const Model& m, GearCommands& c, QWidget* parent = nullptr);

    void FormActivate() override;
    void OKBtnClick() override;

private:
    const Model& m_;
    GearCommands& c_;
};

}  // namespace tevrane
