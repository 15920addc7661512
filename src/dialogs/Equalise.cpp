#include "dialogs/Equalise.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "dialogs/core/EqualiseText.h"
#include "files/FileAccess.h"
#include "model/GearCommands.h"
#include "model/Dimensions.h"
#include "model/Format.h"

namespace tevrane {

namespace {

enum Column { kFreeColumn = 0, kNameColumn, kValueColumn, kLowColumn, kHighColumn, kColumnCount };

// The tables line their columns up with blanks: a fixed-width face.
QFont tableFont() {
    QFont f(QStringLiteral("Liberation Mono"));
    f.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Courier New")});
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPixelSize(12);
    return f;
}

QPlainTextEdit* tableView(QWidget* parent, const char* name) {
    auto* t = new QPlainTextEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setReadOnly(true);
    t->setLineWrapMode(QPlainTextEdit::NoWrap);
    t->setFont(tableFont());
    return t;
}

QString number(double v, int decimals) { return QString::fromStdString(fixed(v, 0, decimals)); }

// Dimensions a valve setter adjusts first, freed when no bar is bound.
constexpr int kSuggested[] = {16, 19, 13};

}  // namespace

// What the worker hands back.
struct TEqualise::Outcome {
    EqualiseResult result;
    std::string text;
};

TEqualise::TEqualise(const Model& m, GearCommands& c, QWidget* parent) : QDialog(parent), m_(m), c_(c) {
    setObjectName(QStringLiteral("Equalise"));
    setWindowTitle(QStringLiteral("Equalise Valve Events"));
    setModal(true);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Notches (cut-off %):"), this));
    notches_ = new QLineEdit(QString::fromStdString(notchTargetsText(defaultNotchTargets())), this);
    notches_->setObjectName(QStringLiteral("Notches"));
    notches_->setToolTip(QStringLiteral("Cut-offs in percent of stroke and \"full\" for the full gear"));
    top->addWidget(notches_, 1);

    tabs_ = new QTabWidget(this);

    // ---- sensitivity page ----
    auto* sens = new QWidget(tabs_);
    auto* sensLayout = new QVBoxLayout(sens);
    auto* sensBar = new QHBoxLayout;
    sensBar->addWidget(new QLabel(QStringLiteral("Step:"), sens));
    step_ = new QLineEdit(QStringLiteral("0.01"), sens);
    step_->setObjectName(QStringLiteral("Step"));
    step_->setMaximumWidth(80);
    sensBar->addWidget(step_);
    compute_ = new QPushButton(QStringLiteral("Compute"), sens);
    copy_ = new QPushButton(QStringLiteral("Copy"), sens);
    save_ = new QPushButton(QStringLiteral("Save CSV..."), sens);
    sensBar->addWidget(compute_);
    sensBar->addStretch(1);
    sensBar->addWidget(copy_);
    sensBar->addWidget(save_);
    sensLayout->addLayout(sensBar);
    sensText_ = tableView(sens, "SensitivityText");
    sensLayout->addWidget(sensText_, 1);
    tabs_->addTab(sens, QStringLiteral("Sensitivity"));

    // ---- tuning page ----
    auto* tune = new QWidget(tabs_);
    auto* tuneLayout = new QVBoxLayout(tune);
    auto* upper = new QHBoxLayout;
    dims_ = new QTableWidget(0, kColumnCount, tune);
    dims_->setObjectName(QStringLiteral("Dimensions"));
    dims_->setHorizontalHeaderLabels({QStringLiteral("Free"), QStringLiteral("Dimension"), QStringLiteral("Value"),
                                      QStringLiteral("Low"), QStringLiteral("High")});
    dims_->verticalHeader()->setVisible(false);
    dims_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    dims_->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    dims_->setSelectionMode(QAbstractItemView::NoSelection);
    dims_->setMinimumWidth(520);
    upper->addWidget(dims_, 3);

    auto* goalsGrid = new QGridLayout;
    goalsGrid->addWidget(new QLabel(QStringLiteral("Equalise"), tune), 0, 0);
    goalsGrid->addWidget(new QLabel(QStringLiteral("Weight"), tune), 0, 1);
    const char* goalNames[] = {"Front and back cut-off at the notches", "Forward and reverse alike",
                               "Equal leads (thousandths)", "Full-gear cut-off", "Equal work front and back"};
    for (int i = 0; i < kGoalCount; ++i) {
        goalBoxes_[static_cast<size_t>(i)] = new QCheckBox(QString::fromLatin1(goalNames[i]), tune);
        weights_[static_cast<size_t>(i)] = new QLineEdit(QStringLiteral("1"), tune);
        weights_[static_cast<size_t>(i)]->setMaximumWidth(70);
        goalsGrid->addWidget(goalBoxes_[static_cast<size_t>(i)], i + 1, 0);
        goalsGrid->addWidget(weights_[static_cast<size_t>(i)], i + 1, 1);
    }
    goalBoxes_[0]->setChecked(true);
    goalBoxes_[4]->setToolTip(QStringLiteral(
        "The work of one stroke of each end at each notch, from the theoretical indicator cards at 100 psi gauge "
        "in the chest, atmospheric exhaust and 8 % clearance: front and back within the same share of their mean."));
    goalsGrid->addWidget(new QLabel(QStringLiteral("Full-gear target %:"), tune), kGoalCount + 1, 0, Qt::AlignRight);
    fullTarget_ = new QLineEdit(number(kDefaultFullGearTarget, 0), tune);
    fullTarget_->setMaximumWidth(70);
    goalsGrid->addWidget(fullTarget_, kGoalCount + 1, 1);
    leastLeadLabel_ = new QLabel(tune);
    leastLeadLabel_->setObjectName(QStringLiteral("LeastLeadLabel"));
    goalsGrid->addWidget(leastLeadLabel_, kGoalCount + 2, 0, Qt::AlignRight);
    leastLead_ = new QLineEdit(tune);
    leastLead_->setObjectName(QStringLiteral("LeastLead"));
    leastLead_->setMaximumWidth(70);
    leastLead_->setPlaceholderText(QStringLiteral("0"));
    leastLead_->setToolTip(QStringLiteral(
        "No lead at the port diagram's 19 settings, either sense, either end, may end below this: the steam "
        "port's opening at the end's dead centre, in length units, negative while still lapped. Empty: 0, or the "
        "design's own smallest lead where that is already below 0."));
    goalsGrid->addWidget(leastLead_, kGoalCount + 2, 1);
    auto* buttons = new QHBoxLayout;
    tune_ = new QPushButton(QStringLiteral("Tune"), tune);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), tune);
    apply_ = new QPushButton(QStringLiteral("Apply"), tune);
    discard_ = new QPushButton(QStringLiteral("Discard"), tune);
    for (QPushButton* b : {tune_, cancel_, apply_, discard_}) buttons->addWidget(b);
    goalsGrid->addLayout(buttons, 7, 0, 1, 2);
    progress_ = new QProgressBar(tune);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    goalsGrid->addWidget(progress_, 8, 0, 1, 2);
    status_ = new QLabel(tune);
    status_->setObjectName(QStringLiteral("Status"));
    status_->setWordWrap(true);
    goalsGrid->addWidget(status_, 9, 0, 1, 2);
    goalsGrid->setRowStretch(10, 1);
    upper->addLayout(goalsGrid, 2);
    tuneLayout->addLayout(upper, 2);
    resultText_ = tableView(tune, "ResultText");
    tuneLayout->addWidget(resultText_, 3);
    tabs_->addTab(tune, QStringLiteral("Tuning"));

    close_ = new QPushButton(QStringLiteral("Close"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabs_, 1);
    layout->addLayout(bottom);
    resize(1180, 760);

    connect(compute_, &QPushButton::clicked, this, &TEqualise::ComputeClick);
    connect(copy_, &QPushButton::clicked, this, &TEqualise::CopyClick);
    connect(save_, &QPushButton::clicked, this, &TEqualise::SaveClick);
    connect(tune_, &QPushButton::clicked, this, &TEqualise::TuneClick);
    connect(cancel_, &QPushButton::clicked, this, &TEqualise::CancelClick);
    connect(apply_, &QPushButton::clicked, this, &TEqualise::ApplyClick);
    connect(discard_, &QPushButton::clicked, this, &TEqualise::DiscardClick);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(dims_, &QTableWidget::cellChanged, this, &TEqualise::dimensionItemChanged);
    setRunning(false);
}

TEqualise::~TEqualise() { stopWorker(); }

void TEqualise::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TEqualise::FormActivate() {
    leastLeadLabel_->setText(QStringLiteral("Least lead (") + QString::fromUtf8(unitSymbol(m_.lengthUnit)) +
                             QStringLiteral("):"));
    if (running()) return;
    fillDimensions();
    // The table of the design as it is now, once the window is up: the
    // design may have changed since it was last open.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && !running()) ComputeClick();
    });
}

void TEqualise::fillDimensions() {
    // The freed ids survive a reopening; a first opening frees the bars'
    // dimensions, or the three lengths of the valve gear proper.
    std::vector<int> freed;
    for (int r = 0; r < dims_->rowCount(); ++r)
        if (dims_->item(r, kFreeColumn)->checkState() == Qt::Checked) freed.push_back(dims_->item(r, kNameColumn)->data(Qt::UserRole).toInt());
    if (dims_->rowCount() == 0) {
        for (int k = 1; k <= 4; ++k)
            if (isFreeable(m_.dynVarId[k])) freed.push_back(m_.dynVarId[k]);
        if (freed.empty()) freed.assign(std::begin(kSuggested), std::end(kSuggested));
    }
    // The bars' dimensions first, then the freed ones, so that what is
    // freed is in sight; then the rest in the table's order.
    std::vector<int> ids;
    const std::vector<int> offered = offeredDimensions(m_);
    for (int id : offered)
        if (std::find(m_.dynVarId + 1, m_.dynVarId + 5, id) != m_.dynVarId + 5) ids.push_back(id);
    for (int id : offered)
        if (std::find(freed.begin(), freed.end(), id) != freed.end() && std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
    for (int id : offered)
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    filling_ = true;
    dims_->setRowCount(static_cast<int>(ids.size()));
    for (size_t i = 0; i < ids.size(); ++i) {
        const int r = static_cast<int>(i);
        const FreeDimension b = defaultBounds(m_, ids[i]);
        auto* free = new QTableWidgetItem;
        free->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        free->setCheckState(std::find(freed.begin(), freed.end(), ids[i]) != freed.end() ? Qt::Checked : Qt::Unchecked);
        const DimensionInfo* d = findDimension(ids[i]);
        std::string label = fixed(ids[i], 3, 0) + "  " + std::string(d ? d->name : "");
        for (int k = 1; k <= 4; ++k)
            if (m_.dynVarId[k] == ids[i]) label += "  (bar " + std::to_string(k) + ")";
        auto* name = new QTableWidgetItem(QString::fromStdString(label));
        name->setFlags(Qt::ItemIsEnabled);
        name->setData(Qt::UserRole, ids[i]);
        auto* value = new QTableWidgetItem(number(dimensionValue(m_, ids[i]), 4));
        value->setFlags(Qt::ItemIsEnabled);
        dims_->setItem(r, kFreeColumn, free);
        dims_->setItem(r, kNameColumn, name);
        dims_->setItem(r, kValueColumn, value);
        dims_->setItem(r, kLowColumn, new QTableWidgetItem(number(b.low, 4)));
        dims_->setItem(r, kHighColumn, new QTableWidgetItem(number(b.high, 4)));
    }
    dims_->resizeColumnToContents(kFreeColumn);
    filling_ = false;
    showFreedCount();
}

void TEqualise::showFreedCount() {
    int count = 0;
    for (int r = 0; r < dims_->rowCount(); ++r) count += dims_->item(r, kFreeColumn)->checkState() == Qt::Checked;
    status_->setText(QStringLiteral("%1 of at most 6 dimensions freed.").arg(count));
}

void TEqualise::setFree(int id, bool free) {
    for (int r = 0; r < dims_->rowCount(); ++r)
        if (dims_->item(r, kNameColumn)->data(Qt::UserRole).toInt() == id)
            dims_->item(r, kFreeColumn)->setCheckState(free ? Qt::Checked : Qt::Unchecked);
}

void TEqualise::dimensionItemChanged(int row, int column) {
    if (filling_ || column != kFreeColumn) return;
    int count = 0;
    for (int r = 0; r < dims_->rowCount(); ++r) count += dims_->item(r, kFreeColumn)->checkState() == Qt::Checked;
    if (count > kMaxFreeDimensions) {
        // A seventh is refused, as a wrong order of choices is everywhere.
        QApplication::beep();
        filling_ = true;
        dims_->item(row, kFreeColumn)->setCheckState(Qt::Unchecked);
        filling_ = false;
        status_->setText(QStringLiteral("At most six dimensions can be freed."));
        return;
    }
    showFreedCount();
}

std::vector<FreeDimension> TEqualise::freeDimensions(std::string& why) const {
    std::vector<FreeDimension> free;
    for (int r = 0; r < dims_->rowCount(); ++r) {
        if (dims_->item(r, kFreeColumn)->checkState() != Qt::Checked) continue;
        const int id = dims_->item(r, kNameColumn)->data(Qt::UserRole).toInt();
        const float low = parseFloat(dims_->item(r, kLowColumn)->text().toStdString());
        const float high = parseFloat(dims_->item(r, kHighColumn)->text().toStdString());
        if (!std::isfinite(low) || !std::isfinite(high) || !(low < high)) {
            why = "The bounds of dimension " + std::to_string(id) + " need a low below the high.";
            return {};
        }
        free.push_back({id, low, high});
    }
    if (free.empty()) why = "Free at least one dimension.";
    return free;
}

EqualiseGoals TEqualise::goals(std::string& why) const {
    EqualiseGoals g;
    double* w[] = {&g.frontBack, &g.forwardReverse, &g.leads, &g.fullGear, &g.work};
    bool any = false;
    for (size_t i = 0; i < kGoalCount; ++i) {
        const double v = parseDecimal(weights_[i]->text().toStdString());
        *w[i] = goalBoxes_[i]->isChecked() && v > 0.0 ? v : 0.0;
        any = any || *w[i] > 0.0;
    }
    g.fullGearTarget = parseDecimal(fullTarget_->text().toStdString());
    if (!any) why = "Choose what to equalise, with a weight above 0.";
    const std::string least = leastLead_->text().trimmed().toStdString();
    if (!least.empty()) {
        const double v = parseDecimal(least);
        if (std::isfinite(v))
            g.minLead = v;
        else if (why.empty())
            why = "The least lead is a length.";
    }
    return g;
}

void TEqualise::ComputeClick() {
    std::vector<NotchTarget> targets;
    if (!parseNotchTargets(notches_->text().toStdString(), targets)) {
        QApplication::beep();
        sensText_->setPlainText(QString::fromUtf8(kNotchTargetsRule));
        return;
    }
    const double step = parseDecimal(step_->text().toStdString());
    if (!(step != 0.0 && std::isfinite(step))) {
        QApplication::beep();
        sensText_->setPlainText(QStringLiteral("The step must not be 0."));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Engine e = m_;
    const std::vector<NotchPoint> notches = notchPoints(e, m_.revArmCentre(), targets);
    const SensitivityTable t = sensitivityTable(e, notches, step);
    sensText_->setPlainText(QString::fromStdString(tevrane::sensitivityText(t)));
    QApplication::restoreOverrideCursor();
}

void TEqualise::CopyClick() {
    QGuiApplication::clipboard()->setText(sensText_->toPlainText());
}

void TEqualise::SaveClick() {
    std::vector<NotchTarget> targets;
    const double step = parseDecimal(step_->text().toStdString());
    if (!parseNotchTargets(notches_->text().toStdString(), targets) || !(step != 0.0 && std::isfinite(step))) {
        QApplication::beep();
        return;
    }
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Sensitivity Table"), QString(),
                                                      QStringLiteral("CSV File (*.csv);;All Files (*)"));
    if (path.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Engine e = m_;
    const SensitivityTable t = sensitivityTable(e, notchPoints(e, m_.revArmCentre(), targets), step);
    const std::string csv = sensitivityCsv(t);
    QApplication::restoreOverrideCursor();
    if (const std::string failure = writeFileAtomically(QFile::encodeName(path).toStdString(), csv); !failure.empty())
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("The sensitivity table was not saved to %1:\n%2")
                                 .arg(path, QString::fromStdString(failure)));
}

void TEqualise::TuneClick() {
    if (running()) return;
    std::string why;
    std::vector<NotchTarget> targets;
    if (!parseNotchTargets(notches_->text().toStdString(), targets)) why = kNotchTargetsRule;
    const std::vector<FreeDimension> free = why.empty() ? freeDimensions(why) : std::vector<FreeDimension>{};
    const EqualiseGoals g = why.empty() ? goals(why) : EqualiseGoals{};
    if (!why.empty()) {
        QApplication::beep();
        status_->setText(QString::fromStdString(why));
        return;
    }
    result_.reset();
    resultText_->clear();
    stop_ = false;
    shownEvaluations_ = 0;
    const EqualiseOptions options;
    progress_->setRange(0, options.maxEvaluations);
    progress_->setValue(0);
    status_->setText(QStringLiteral("Finding the notches..."));

    // The worker has its own copy of the design: the animation may go on
    // solving the model meanwhile, and nothing is written until "Apply".
    const Engine start = m_;
    const float centre = m_.revArmCentre();
    const int run = ++run_;
    worker_ = QThread::create([this, run, start, centre, targets, free, g, options] {
        auto out = std::make_shared<Outcome>();
        const EqualisePlan plan = makePlan(start, centre, targets, g);
        out->result = equalise(start, plan, free, options, &stop_, [this, run](const EqualiseProgress& p) {
            // Every fourth evaluation is enough for the bar.
            if (p.evaluations - shownEvaluations_.load() < 4) return;
            shownEvaluations_ = p.evaluations;
            QMetaObject::invokeMethod(
                this, [this, run, p] { if (run == run_) showProgress(p.evaluations, p.maxEvaluations, p.best); },
                                      Qt::QueuedConnection);
        });
        out->text = equaliseResultText(start, plan, out->result);
        QMetaObject::invokeMethod(this, [this, run, out] { if (run == run_) finished(out); }, Qt::QueuedConnection);
    });
    setRunning(true);
    worker_->start();
}

void TEqualise::showProgress(int evaluations, int maxEvaluations, double best) {
    if (!running()) return;
    progress_->setRange(0, maxEvaluations);
    progress_->setValue(evaluations);
    status_->setText(QStringLiteral("Evaluations: %1 of at most %2; best weighted difference %3")
                         .arg(evaluations)
                         .arg(maxEvaluations)
                         .arg(std::isfinite(best) ? number(best, 4) : QStringLiteral("none feasible yet")));
}

void TEqualise::finished(std::shared_ptr<Outcome> outcome) {
    if (worker_) {
        worker_->wait();
        delete worker_;
        worker_ = nullptr;
    }
    result_ = outcome->result;
    resultText_->setPlainText(QString::fromStdString(outcome->text));
    progress_->setValue(progress_->maximum());
    status_->setText(QString::fromStdString(result_->improved ? "Done: \"Apply\" writes the new dimensions, \"Discard\" keeps the old."
                                                              : "Done: nothing to apply."));
    setRunning(false);
}

void TEqualise::CancelClick() { stop_ = true; }

void TEqualise::ApplyClick() {
    if (!result_ || !result_->improved) return;
    c_.applyEqualiserChanges(result_->changes);
    result_.reset();
    status_->setText(QStringLiteral("Applied: each changed dimension is one \"UnDo\" record."));
    setRunning(false);
    fillDimensions();
}

void TEqualise::DiscardClick() {
    result_.reset();
    resultText_->clear();
    progress_->setValue(0);
    status_->setText(QStringLiteral("Discarded: nothing changed."));
    setRunning(false);
}

void TEqualise::setRunning(bool running) {
    tune_->setEnabled(!running);
    cancel_->setEnabled(running);
    const bool pending = !running && result_ && result_->improved;
    apply_->setEnabled(pending);
    discard_->setEnabled(!running && result_.has_value());
    dims_->setEnabled(!running);
    notches_->setEnabled(!running);
    compute_->setEnabled(!running);
    save_->setEnabled(!running);
}

void TEqualise::stopWorker() {
    if (!worker_) return;
    ++run_;  // what the stopped run still posts is not shown
    stop_ = true;
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
}

void TEqualise::done(int r) {
    // Closing while tuning stops the run; its result is not shown.
    if (running()) {
        stopWorker();
        setRunning(false);
        status_->setText(QStringLiteral("Cancelled."));
    }
    QDialog::done(r);
}

}  // namespace tevrane
