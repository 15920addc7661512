// The port events window: when the two cylinder ports open and close, as
// percent of piston travel, for 19 reverse-arm settings from mid gear out to
// the maximum travel; forward, reverse or both graphs.
#pragma once

#include "diagrams/DiagramWindow.h"

class QAction;

namespace tevrane {

class TPortDia : public DiagramWindow {
    Q_OBJECT
public:
    TPortDia(const Model& m, GearCommands& c, QWidget* parent = nullptr);

    QAction* forwardGraphAction() const { return forwardGraph1_; }
    QAction* reverseGraphAction() const { return reverseGraph1_; }
    QAction* bothGraphsAction() const { return bothGraphs1_; }
    QAction* reDrawAction() const { return reDraw1_; }
    QAction* unDoAction() const { return unDoPorts_; }
    QAction* dynamicVariAction() const { return dynamicVari1_; }

public slots:
    void ForwardGraph1Click();
    void ReverseGraph1Click();
    void BothGraphs1Click();
    void ReDraw1Click();

protected:
    DiagramControls drawDiagram(const Model& m, Canvas& c, bool clearFirst,
                                const UndoLines& undo) override;

private:
    QAction* forwardGraph1_ = nullptr;
    QAction* reverseGraph1_ = nullptr;
    QAction* bothGraphs1_ = nullptr;
    QAction* reDraw1_ = nullptr;
    QAction* unDoPorts_ = nullptr;
    QAction* dynamicVari1_ = nullptr;
};

}  // namespace tevrane
