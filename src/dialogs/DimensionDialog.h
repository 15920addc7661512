// What the frame and the cylinder dimension dialogs have in common: a row of
// label, borderless edit box and small button for every dimension of a layout
// table, the numeric key filter, the sequence that runs when a box is left,
// the labels drawn on the dialog's own surface, and the "Close" button. Each
// dialog adds only its reset.
#pragma once

#include <QDialog>
#include <QImage>

#include <vector>

#include "dialogs/core/DimensionRows.h"
#include "model/GearCommands.h"
#include "model/Model.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tevrane {

class DimensionDialog : public QDialog {
    Q_OBJECT
public:
    ~DimensionDialog() override;

    // Controls by their numbers (1-based, as in the layout table).
    QLineEdit* edit(int n) const;
    QPushButton* smallButton(int n) const;
    QPushButton* resetButton() const { return reset_; }
    QPushButton* closeButton() const { return close_; }
    // The caption naming the design's length unit.
    QLabel* unitCaption() const { return unitCaption_; }
    const DimensionLayout& layout() const { return layout_; }
    // The surface the labels are drawn on; painted under the controls.
    const QImage& surface() const { return surface_; }

    // ---- handlers shared by every row ---------------------------------------
    // Each time the dialog is shown: draws the labels and fills every box.
    void FormActivate();
    // The focus left box n: commit it to the model.
    void EditExit(int n);
    // Small button n: asks the main window to show where the row's
    // dimension lies; its next frame closes this dialog and starts the
    // pointer display.
    void SmallButtonClick(int n);
    // Closes the dialog for the pointer display: the box being edited is left
    // so its value counts, but the reverse arm stays where it is. The
    // dialog comes back when the display ends, and its own close re-centres.
    void stepAside();
    // "Close": closes the dialog, which leaves the box being edited and
    // re-centres the reverse arm (see done()).
    void CloseClick();

    // Every way of closing the dialog: the box being edited is left first
    // (so its value is kept and recorded), then the reverse arm is
    // re-centred, its bar set to 0 and the cut-off readouts emptied.
    void done(int result) override;

protected:
    DimensionDialog(const Model& m, GearCommands& c, const DimensionLayout& layout,
                    QWidget* parent);

    // The dialog's reset: the steps that already run when a mouse button goes
    // down on it, and the full reset of the click.
    virtual void resetMouseDown() = 0;
    virtual void resetClick() = 0;

    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

    const Model& m_;
    GearCommands& c_;

private:
    void layoutControls(float sx, float sy);
    // Index of the box or small button among the rows, or -1.
    int rowIndexOfEdit(const QObject* o) const;
    // Runs the key filter; true when the key is consumed here.
    bool editKeyPress(int index, QKeyEvent* e);
    // Runs the leave sequence of the box that has the focus, if any.
    void leaveBoxBeingEdited();

    const DimensionLayout& layout_;
    std::vector<QLineEdit*> edits_;
    std::vector<QPushButton*> smallButtons_;
    QPushButton* reset_ = nullptr;
    QPushButton* close_ = nullptr;
    QLabel* unitCaption_ = nullptr;
    QImage surface_;
    float scaleX_ = 0.0f, scaleY_ = 0.0f;  // the font scale the controls are laid out for
};

}  // namespace tevrane
