// "Frame Dimensions": the 21 linkage dimensions, 19 of them dynamic variables,
// and the two reverse-arm travel limits.
#pragma once

#include "dialogs/DimensionDialog.h"

namespace tevrane {

class TFrameDi : public DimensionDialog {
    Q_OBJECT
public:
    TFrameDi(const Model& m, GearCommands& c, QWidget* parent = nullptr);

    // A mouse button going down on "ResetFrameDim" already restores the
    // defaults; the click also clears the undo history.
    void ResetFrameDimMouseDown();
    void ResetFrameDimClick();

protected:
    void resetMouseDown() override { ResetFrameDimMouseDown(); }
    void resetClick() override { ResetFrameDimClick(); }
};

}  // namespace tevrane
