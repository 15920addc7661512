// The window of the sine diagram: valve travel against driver angle, one curve per reverse-arm position, over the port threshold lines, with the mid-gear lead and lap table.
#pragma once

#include "diagrams/PositionDiagram.h"

namespace tevrane {

class TSineDia : public PositionDiagramWindow {
    Q_OBJECT
public:
    TSineDia(const Model& m, GearCommands& c, std::function<QDialog*()> positionsDialog,
         QWidget* parent = nullptr);

protected:
    DiagramControls drawDiagram(const Model& m, Canvas& c, bool clearFirst,
                                const UndoLines& undo) override;
};

}  // namespace tevrane
