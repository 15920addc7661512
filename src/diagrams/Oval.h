// The window of the oval diagram: valve travel against piston travel over one turn, one oval per reverse-arm position, over the port threshold lines, with the mid-gear lead and lap table.
#pragma once

#include "diagrams/PositionDiagram.h"

namespace tevrane {

class TOvalDia : public PositionDiagramWindow {
    Q_OBJECT
public:
    TOvalDia(const Model& m, GearCommands& c, std::function<QDialog*()> positionsDialog,
         QWidget* parent = nullptr);

protected:
    DiagramControls drawDiagram(const Model& m, Canvas& c, bool clearFirst,
                                const UndoLines& undo) override;
};

}  // namespace tevrane
