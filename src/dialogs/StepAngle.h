// "Step Angle": the driver's step per animation tick set to a typed value
// between 0.01 and 45 degrees, kept exactly as typed (the step bar only shows
// where it lies on its logarithmic scale). The run state is kept.
#pragma once

#include "dialogs/SettingDialog.h"

namespace tevrane {

struct Model;
class MainController;

class TStpAng : public SettingDialog {
public:
    TStpAng(Model& m, MainController& c, QWidget* parent = nullptr);

    void FormActivate() override;
    void OKBtnClick() override;

private:
    Model& m_;
    MainController& c_;
};

}  // namespace tevrane
