// "Pivot Data Table": the six picked pivots over one driver revolution as
// plain text, rebuilt each time the window opens, to be selected and copied
// to the clipboard. The text area takes edits and pastes; they last until
// the window opens again.
#pragma once

#include <QDialog>

#include <memory>

#include "model/Model.h"

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;

namespace tevrane {

class Clock;

class TDataTable : public QDialog {
    Q_OBJECT
public:
    // The date and time in the header come from the system clock.
    TDataTable(const Model& m, QWidget* parent = nullptr);
    // ... or from the clock given (tests).
    TDataTable(const Model& m, Clock& clock, QWidget* parent = nullptr);
    ~TDataTable() override;

    QPlainTextEdit* dataMemo() const { return memo_; }
    QMenuBar* menu() const { return menuBar_; }
    QMenu* editMenu() const { return editMenu_; }
    QAction* closeItem() const { return close_; }
    QAction* spacerItem() const { return spacer_; }
    QAction* cutItem() const { return cut_; }
    QAction* copyItem() const { return copy_; }
    QAction* pasteItem() const { return paste_; }
    QAction* selectAllItem() const { return selectAll_; }

    // Each time the window opens: the table is built anew from the model.
    void FormActivate();
    // "&Edit" opening: "Cu&t" and "&Copy" come on once there is a selection,
    // "&Paste" follows whether the clipboard holds any text.
    void EditClick();
    void CutClick();
    void CopyClick();
    void PasteClick();
    void SelectAllClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void build();
    // Fits the text area to the table's widest line in the current font.
    void fitToText(const QString& widest);

    const Model& m_;
    std::unique_ptr<Clock> ownClock_;
    Clock& clock_;
    QMenuBar* menuBar_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* close_ = nullptr;
    QAction* spacer_ = nullptr;
    QAction* cut_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    QAction* selectAll_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
};

}  // namespace tevrane
