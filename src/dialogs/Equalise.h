// "Equalise": setting the valve gear. One page shows how far each event moves
// when each dimension grows by a small step (copied, saved as CSV); the other
// frees up to six dimensions within bounds and tunes them on a worker thread
// until the chosen events agree without any lead falling below the least
// allowed, then shows the events before and after (each design at its own
// notches) and the changed dimensions, to "Apply" (one undo record per
// dimension) or "Discard". The computing is the Qt-free Sensitivity and Equaliser, the texts
// dialogs/core/EqualiseText.
#pragma once

#include <QDialog>

#include <array>
#include <atomic>
#include <memory>
#include <optional>

#include "dialogs/core/EqualiseText.h"
#include "model/Equaliser.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QThread;

namespace tevrane {

class GearCommands;

class TEqualise : public QDialog {
    Q_OBJECT
public:
    TEqualise(const Model& m, GearCommands& c, QWidget* parent = nullptr);
    ~TEqualise() override;

    // ---- controls, for the tests ----------------------------------------------
    QTabWidget* tabs() const { return tabs_; }
    QLineEdit* notchesEdit() const { return notches_; }
    QLineEdit* stepEdit() const { return step_; }
    QLineEdit* leastLeadEdit() const { return leastLead_; }
    QPlainTextEdit* sensitivityText() const { return sensText_; }
    QTableWidget* dimensionTable() const { return dims_; }
    QPlainTextEdit* resultText() const { return resultText_; }
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* tuneButton() const { return tune_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* applyButton() const { return apply_; }
    QPushButton* discardButton() const { return discard_; }
    QLabel* statusLabel() const { return status_; }
    bool running() const { return worker_ != nullptr; }
    const std::optional<EqualiseResult>& result() const { return result_; }
    // Frees (or binds again) the dimension of an id in the table.
    void setFree(int id, bool free);

    // ---- handlers ------------------------------------------------------------------
    void FormActivate();
    void ComputeClick();
    void CopyClick();
    void SaveClick();
    void TuneClick();
    void CancelClick();
    void ApplyClick();
    void DiscardClick();

    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    struct Outcome;
    void fillDimensions();
    void dimensionItemChanged(int row, int column);
    void showProgress(int evaluations, int maxEvaluations, double best);
    void finished(std::shared_ptr<Outcome> outcome);
    void setRunning(bool running);
    void showFreedCount();
    void stopWorker();
    std::vector<FreeDimension> freeDimensions(std::string& why) const;
    EqualiseGoals goals(std::string& why) const;

    const Model& m_;
    GearCommands& c_;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* notches_ = nullptr;
    QLineEdit* step_ = nullptr;
    QPushButton* compute_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* save_ = nullptr;
    QPlainTextEdit* sensText_ = nullptr;
    QTableWidget* dims_ = nullptr;
    std::array<QCheckBox*, kGoalCount> goalBoxes_{};
    std::array<QLineEdit*, kGoalCount> weights_{};
    QLineEdit* fullTarget_ = nullptr;
    QLabel* leastLeadLabel_ = nullptr;
    QLineEdit* leastLead_ = nullptr;
    QPushButton* tune_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* discard_ = nullptr;
    QPushButton* close_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPlainTextEdit* resultText_ = nullptr;

    QThread* worker_ = nullptr;
    std::atomic<bool> stop_{false};
    std::atomic<int> shownEvaluations_{0};
    std::optional<EqualiseResult> result_;
    bool filling_ = false;
    int run_ = 0;  // the tuning run whose posts are shown
};

}  // namespace tevrane
