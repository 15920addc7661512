// "Set Zoom of Dimensional Graphic Position": the zoom factor of the view that
// shows where a dimension lies on the mechanism (the small buttons of the
// dimension dialogs). Roughly the locomotive's gauge in the units used.
#pragma once

#include "dialogs/SettingDialog.h"

namespace tevrane {

struct Model;
class GearCommands;

class TGraphZoom : public SettingDialog {
public:
    TGraphZoom(const Model& m, GearCommands& commands, QWidget* parent = nullptr);

    void FormActivate() override;
    void OKBtnClick() override;

private:
    const Model& m_;
    GearCommands& commands_;
};

}  // namespace tevrane
