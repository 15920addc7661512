// The window of the steam (indicator) diagram: cylinder pressure against piston travel, front and rear, one closed curve per reverse-arm position, with the cut-offs listed.
#pragma once

#include "diagrams/PositionDiagram.h"

namespace tevrane {

class TSteamDia : public PositionDiagramWindow {
    Q_OBJECT
public:
    TSteamDia(const Model& m, GearCommands& c, std::function<QDialog*()> positionsDialog,
         QWidget* parent = nullptr);

protected:
    DiagramControls drawDiagram(const Model& m, Canvas& c, bool clearFirst,
                                const UndoLines& undo) override;
};

}  // namespace tevrane
