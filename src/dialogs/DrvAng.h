// "Driver Angle": the animation is stopped and the driver set to a typed
// angle between 0 and 360 degrees.
#pragma once

#include "dialogs/SettingDialog.h"

namespace tevrane {

struct Model;
class MainController;

class TDrivAng : public SettingDialog {
public:
    TDrivAng(Model& m, MainController& c, QWidget* parent = nullptr);

    void FormActivate() override;
    void OKBtnClick() override;

private:
    Model& m_;
    MainController& c_;
};

}  // namespace tevrane
