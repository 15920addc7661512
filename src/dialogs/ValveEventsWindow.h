// "Valve Events": the events of every setting as a table, forward and
// reverse, front and back with their difference (marked where it is beyond
// the tolerance), the mid gear laps and the notch finder. It is built on the
// diagram windows' frame, so its four dynamic-variable bars and "UnDo" work
// the same slots and undo stack and every change recomputes the table and
// the design's findings beneath it; like
// the diagrams it holds the animation while it is up.
#pragma once

#include <vector>

#include "diagrams/DiagramWindow.h"
#include "dialogs/core/EventsReport.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;

namespace tevrane {

class TValveEvents : public DiagramWindow {
    Q_OBJECT
public:
    TValveEvents(const Model& m, GearCommands& c, QWidget* parent = nullptr);

    QTableWidget* eventsTable() const { return table_; }
    QTableWidget* midGearTable() const { return midGear_; }
    QTableWidget* notchTable() const { return notches_; }
    QComboBox* settingsChoice() const { return settings_; }
    QDoubleSpinBox* toleranceBox() const { return tolerance_; }
    QCheckBox* anglesBox() const { return angles_; }
    QLineEdit* targetsBox() const { return targets_; }
    QCheckBox* fullGearBox() const { return fullGear_; }
    QPushButton* copyButton() const { return copy_; }
    QPushButton* saveButton() const { return save_; }
    QListWidget* findingsList() const { return findings_; }
    const EventsReport& report() const { return report_; }

    // Writes the CSV of the table shown; a failure is told in a message box
    // and false returned.
    bool saveCsv(const QString& path);

public slots:
    void CopyClick();
    void SaveClick();
    // The targets' box and "Full gear": a valid list is searched at once.
    void TargetsChange();

protected:
    DiagramControls drawDiagram(const Model& m, Canvas& c, bool clearFirst,
                                const UndoLines& undo) override;

private:
    // Computes the report from the model's engine, then shows it.
    void recompute();
    // Fills the tables from the report with the tolerance and columns chosen.
    void showReport();
    // The headings name the design's length unit.
    void showUnit(LengthUnit unit);
    // The events table as wide as its columns, within the screen.
    void fitTable();

    EventsReport report_;
    std::vector<NotchTarget> targetList_;
    QComboBox* settings_ = nullptr;
    QCheckBox* angles_ = nullptr;
    QDoubleSpinBox* tolerance_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* save_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* note_ = nullptr;
    QListWidget* findings_ = nullptr;
    QTableWidget* midGear_ = nullptr;
    QLabel* midCaption_ = nullptr;
    QLineEdit* targets_ = nullptr;
    QCheckBox* fullGear_ = nullptr;
    QLabel* targetsError_ = nullptr;
    QTableWidget* notches_ = nullptr;
    QLabel* reach_ = nullptr;
};

}  // namespace tevrane
