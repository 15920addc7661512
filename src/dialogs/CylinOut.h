// "Cylinder Dimensions": the 22 dimensions of the cylinder, ports and slide
// valve, every one a dynamic variable.
#pragma once

#include "dialogs/DimensionDialog.h"

namespace tevrane {

class TCylDimen : public DimensionDialog {
    Q_OBJECT
public:
    TCylDimen(const Model& m, GearCommands& c, QWidget* parent = nullptr);

    // A mouse button going down on "ResetCylDim" already restores the
    // defaults; the click also clears the undo history. Neither touches the
    // frame dimensions or the reverse-arm bar.
    void ResetCylDimMouseDown();
    void ResetCylDimClick();

protected:
    void resetMouseDown() override { ResetCylDimMouseDown(); }
    void resetClick() override { ResetCylDimClick(); }
};

}  // namespace tevrane
