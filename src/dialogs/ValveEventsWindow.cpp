#include "dialogs/ValveEventsWindow.h"

#include <algorithm>

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "dialogs/core/CheckReport.h"
#include "dialogs/core/EventsForms.h"
#include "files/FileAccess.h"
#include "platform/Canvas.h"

namespace tevrane {

namespace {

// Only the panel of the dynamic-variable bars and the undo line is drawn; the
// tables are widgets below it.
DiagramLayout eventsLayout() {
    DiagramLayout l;
    l.clientWidth = 632;
    l.clientHeight = 74;
    l.closeName = QStringLiteral("CloseEvents");
    l.closeRect = QRect(447, 2, 75, 25);
    l.barPrefix = QStringLiteral("SBDynVarVE");
    l.undoName = QStringLiteral("UnDoDnVE");
    return l;
}

const QColor kOverTolerance(255, 205, 205);  // pale red: front and back disagree
const QColor kOutOfReach(255, 232, 190);     // pale amber: no setting gives it
const QColor kDifferenceRow(242, 242, 242);  // the front-minus-back lines

// Figures in columns read best when every digit is as wide as every other.
QFont tableFont() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setStyleHint(QFont::Monospace);
    return f;
}

QTableWidget* newTable(QWidget* parent, const QString& name) {
    auto* t = new QTableWidget(parent);
    t->setObjectName(name);
    t->setFont(tableFont());
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::ContiguousSelection);
    t->verticalHeader()->setDefaultSectionSize(QFontMetrics(t->font()).height() + 4);
    t->setWordWrap(false);
    return t;
}

QTableWidgetItem* newItem(const std::string& text, bool number) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setTextAlignment(number ? (Qt::AlignRight | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignVCenter));
    return item;
}

bool isNumberColumn(int c) {
    const auto col = static_cast<EventsColumn>(c);
    return col != EventsColumn::Sense && col != EventsColumn::End && col != EventsColumn::Note;
}

// The table's height: about twenty lines, so that the mid gear and the
// notches below it stay on a 1024-line screen.
constexpr int kTableLines = 20;

}  // namespace

TValveEvents::TValveEvents(const Model& m, GearCommands& c, QWidget* parent)
    : DiagramWindow(m, c, eventsLayout(), parent) {
    setObjectName(QStringLiteral("ValveEvents"));
    setWindowTitle(QStringLiteral("Valve Events"));
    targetList_ = defaultNotchTargets();

    QAction* undo = menuBar()->addAction(QStringLiteral("&UnDo"), this, &DiagramWindow::undoMenuClick);
    undo->setObjectName(QStringLiteral("UnDoEvents"));
    QAction* dyn = menuBar()->addAction(QStringLiteral("DynamicVari"), this, &DiagramWindow::dynamicVariClick);
    dyn->setObjectName(QStringLiteral("DynamicVariEvents"));

    auto* body = new QWidget(this);
    auto* v = new QVBoxLayout(body);
    v->setContentsMargins(6, 4, 6, 6);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("Settings:"), body));
    settings_ = new QComboBox(body);
    settings_->setObjectName(QStringLiteral("SettingsChoice"));
    settings_->addItem(QStringLiteral("Port diagram settings (19)"));
    settings_->addItem(QStringLiteral("Reverse arm positions (up to 9)"));
    controls->addWidget(settings_);
    angles_ = new QCheckBox(QStringLiteral("Driver angles"), body);
    angles_->setObjectName(QStringLiteral("AnglesBox"));
    controls->addWidget(angles_);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(QStringLiteral("Mark front/back differences over:"), body));
    tolerance_ = new QDoubleSpinBox(body);
    tolerance_->setObjectName(QStringLiteral("ToleranceBox"));
    tolerance_->setRange(0.0, 100.0);
    tolerance_->setDecimals(2);
    tolerance_->setSingleStep(0.25);
    tolerance_->setValue(kDefaultEventsTolerance);
    tolerance_->setSuffix(QStringLiteral(" % of stroke"));
    controls->addWidget(tolerance_);
    controls->addStretch(1);
    copy_ = new QPushButton(QStringLiteral("Copy"), body);
    copy_->setObjectName(QStringLiteral("CopyEvents"));
    save_ = new QPushButton(QStringLiteral("Save CSV..."), body);
    save_->setObjectName(QStringLiteral("SaveEvents"));
    controls->addWidget(copy_);
    controls->addWidget(save_);
    v->addLayout(controls);

    table_ = newTable(body, QStringLiteral("EventsTable"));
    table_->setColumnCount(kEventsColumns);
    table_->verticalHeader()->hide();
    table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() +
                           kTableLines * table_->verticalHeader()->defaultSectionSize() + 4);
    v->addWidget(table_);
    note_ = new QLabel(body);
    note_->setObjectName(QStringLiteral("EventsNote"));
    // The explanation of signs and units is one long sentence: it wraps
    // rather than running past the window's edge.
    note_->setWordWrap(true);
    v->addWidget(note_);
    findings_ = new QListWidget(body);
    findings_->setObjectName(QStringLiteral("FindingsList"));
    findings_->setFixedHeight(5 * QFontMetrics(findings_->font()).height() + 8);
    v->addWidget(findings_);

    auto* lower = new QHBoxLayout;
    auto* midBox = new QVBoxLayout;
    midCaption_ = new QLabel(body);
    midCaption_->setObjectName(QStringLiteral("MidGearCaption"));
    midBox->addWidget(midCaption_);
    midGear_ = newTable(body, QStringLiteral("MidGearTable"));
    midGear_->setColumnCount(3);
    midGear_->setRowCount(3);
    midGear_->setHorizontalHeaderLabels({QStringLiteral("Front"), QStringLiteral("Back"), QStringLiteral("F-B")});
    midGear_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    midGear_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    midBox->addWidget(midGear_);
    midBox->addStretch(1);
    lower->addLayout(midBox);

    auto* notchBox = new QVBoxLayout;
    auto* targetsRow = new QHBoxLayout;
    targetsRow->addWidget(new QLabel(QStringLiteral("Notch finder: cut-offs wanted (% of stroke)"), body));
    // The full gear has its own box; the text holds the cut-offs.
    std::vector<NotchTarget> cutOffs;
    for (const NotchTarget& t : targetList_)
        if (!t.fullGear) cutOffs.push_back(t);
    targets_ = new QLineEdit(QString::fromStdString(notchTargetsText(cutOffs)), body);
    targets_->setObjectName(QStringLiteral("TargetsBox"));
    targetsRow->addWidget(targets_, 1);
    fullGear_ = new QCheckBox(QStringLiteral("Full gear"), body);
    fullGear_->setObjectName(QStringLiteral("FullGearBox"));
    fullGear_->setChecked(true);
    targetsRow->addWidget(fullGear_);
    notchBox->addLayout(targetsRow);
    targetsError_ = new QLabel(body);
    targetsError_->setStyleSheet(QStringLiteral("color: #b00000"));
    targetsError_->hide();
    notchBox->addWidget(targetsError_);
    notches_ = newTable(body, QStringLiteral("NotchTable"));
    notches_->setColumnCount(kNotchColumns);
    notches_->verticalHeader()->hide();
    notches_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    notches_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    showUnit(m.lengthUnit);
    notchBox->addWidget(notches_);
    reach_ = new QLabel(body);
    reach_->setObjectName(QStringLiteral("ReachText"));
    reach_->setFont(tableFont());
    notchBox->addWidget(reach_);
    lower->addLayout(notchBox, 1);
    v->addLayout(lower);

    layout()->addWidget(body);

    // Enter in the targets' or the tolerance box takes the value; it must not
    // press a button of the dialog (the first would be "Close").
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    connect(settings_, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
    // The tolerance marks the table and judges the notches' cut-offs.
    connect(tolerance_, &QDoubleSpinBox::valueChanged, this, [this] { recompute(); });
    connect(angles_, &QCheckBox::toggled, this, [this] { showReport(); });
    connect(targets_, &QLineEdit::editingFinished, this, &TValveEvents::TargetsChange);
    connect(fullGear_, &QCheckBox::toggled, this, &TValveEvents::TargetsChange);
    connect(copy_, &QPushButton::clicked, this, &TValveEvents::CopyClick);
    connect(save_, &QPushButton::clicked, this, &TValveEvents::SaveClick);
}

DiagramControls TValveEvents::drawDiagram(const Model& m, Canvas& c, bool,
                                      const UndoLines& undo) {
    // Every pass follows the model: a bar's step, an undo or a design loaded
    // since the last one all show in the table.
    recompute();
    c.clear(colours::white);
    c.setFontColour(colours::black);
    c.textOut(8, 4, "Valve Events");
    return drawDiagramPanel(m, c, undo);
}

void TValveEvents::recompute() {
    const auto settings =
        settings_->currentIndex() == 1 ? EventsSettings::RevArmPositions : EventsSettings::PortDiagram;
    report_ = makeEventsReport(model(), settings, targetList_, tolerance_->value());
    setWindowTitle(report_.design.empty() ? QStringLiteral("Valve Events")
                                          : QStringLiteral("Valve Events - ") + QString::fromStdString(report_.design));
    showReport();
}

void TValveEvents::showUnit(LengthUnit unit) {
    QStringList heads;
    for (int col = 0; col < kEventsColumns; ++col) {
        const auto c = static_cast<EventsColumn>(col);
        heads << QString::fromUtf8(eventsColumn(c).title) + QStringLiteral("\n") +
                     QString::fromStdString(eventsColumnUnit(c, unit));
    }
    table_->setHorizontalHeaderLabels(heads);
    const QString symbol = QString::fromUtf8(unitSymbol(unit));
    if (midCaption_) midCaption_->setText(QStringLiteral("Mid gear (lengths in ") + symbol + QStringLiteral(")"));
    if (midGear_)
        midGear_->setVerticalHeaderLabels({QStringLiteral("Steam lap, ") + symbol, QStringLiteral("Lead, ") + symbol,
                                           QStringLiteral("Exhaust clearance, ") + symbol});
    if (notches_) {
        // The settings found are reverse-arm places, lengths of the design.
        QStringList notchHeads;
        for (const char* t : notchColumnTitles()) {
            QString head = QString::fromUtf8(t);
            if (notchHeads.isEmpty()) head += QStringLiteral("\n% stroke");
            else head += QStringLiteral("\n") + symbol;
            notchHeads << head;
        }
        notches_->setHorizontalHeaderLabels(notchHeads);
    }
}

void TValveEvents::showReport() {
    showUnit(report_.unit);
    const std::vector<EventsRow> rows = eventsRows(report_, tolerance_->value());
    table_->setUpdatesEnabled(false);
    table_->setRowCount(static_cast<int>(rows.size()));
    QFont italic = table_->font();
    italic.setItalic(true);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const EventsRow& row = rows[static_cast<size_t>(r)];
        for (int col = 0; col < kEventsColumns; ++col) {
            const EventsCell& cell = row.cells[static_cast<size_t>(col)];
            QTableWidgetItem* item = newItem(cell.text, isNumberColumn(col));
            if (row.kind == EventsRowKind::Difference) {
                item->setFont(italic);
                item->setBackground(kDifferenceRow);
            }
            if (cell.overTolerance) item->setBackground(kOverTolerance);
            table_->setItem(r, col, item);
        }
    }
    for (int col = 0; col < kEventsColumns; ++col)
        table_->setColumnHidden(col, eventsColumn(static_cast<EventsColumn>(col)).angle && !angles_->isChecked());
    table_->resizeColumnsToContents();
    table_->setUpdatesEnabled(true);

    QString note;
    if (report_.rows.empty()) note = QStringLiteral("No reverse arm positions are set (SetRevArmPos in the steam, oval or sine diagram).");
    else if (report_.clamped)
        note = QStringLiteral("The linkage cannot close at some settings: the solver mended it there (\"linkage mended\").");
    else
        note = QString::fromStdString(eventsMeasures(report_.unit));
    note += QStringLiteral("\nDead centres (driver angle): front %1 deg, back %2 deg.")
                .arg(report_.deadCentres.front, 0, 'f', 2)
                .arg(report_.deadCentres.back, 0, 'f', 2);
    note_->setText(note);

    findings_->clear();
    if (report_.check.findings.empty()) findings_->addItem(QString::fromUtf8(kNoFindings));
    for (const Finding& f : report_.check.findings) {
        auto* item = new QListWidgetItem(QString::fromStdString(findingLine(f)), findings_);
        item->setForeground(f.severity == Severity::Error     ? QColor(176, 0, 0)
                            : f.severity == Severity::Warning ? QColor(160, 90, 0)
                                                              : QColor(60, 60, 60));
    }

    const auto mid = midGearRows(report_);
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col)
            midGear_->setItem(r, col, newItem(mid[static_cast<size_t>(r)][static_cast<size_t>(col + 1)], true));
    midGear_->resizeColumnsToContents();
    midGear_->setFixedSize(
        midGear_->verticalHeader()->sizeHint().width() + midGear_->horizontalHeader()->length() + 2 * midGear_->frameWidth(),
        midGear_->horizontalHeader()->sizeHint().height() + midGear_->verticalHeader()->length() + 2 * midGear_->frameWidth());

    const auto notchRowsNow = notchRows(report_);
    notches_->setRowCount(static_cast<int>(notchRowsNow.size()));
    for (int r = 0; r < static_cast<int>(notchRowsNow.size()); ++r)
        for (int col = 0; col < kNotchColumns; ++col) {
            const NotchCell& cell = notchRowsNow[static_cast<size_t>(r)][static_cast<size_t>(col)];
            QTableWidgetItem* item = newItem(cell.text, col > 0 && !cell.outOfReach);
            if (cell.outOfReach) item->setBackground(kOutOfReach);
            notches_->setItem(r, col, item);
        }
    notches_->resizeColumnsToContents();
    // Every target and column in sight: the list is short.
    notches_->setFixedSize(notches_->horizontalHeader()->length() + 2 * notches_->frameWidth(),
                           notches_->horizontalHeader()->sizeHint().height() +
                               std::max(3, notches_->rowCount()) * notches_->verticalHeader()->defaultSectionSize() +
                               2 * notches_->frameWidth());
    QStringList reach;
    for (const std::string& line : reachLines(report_)) reach << QString::fromStdString(line);
    reach_->setText(reach.join(QLatin1Char('\n')));
    fitTable();
}

void TValveEvents::fitTable() {
    int width = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width() + 2;
    for (int col = 0; col < kEventsColumns; ++col)
        if (!table_->isColumnHidden(col)) width += table_->columnWidth(col);
    if (const QScreen* s = screen()) width = std::min(width, s->availableGeometry().width() - 40);
    table_->setFixedWidth(width);
}

void TValveEvents::TargetsChange() {
    auto parsed = parseNotchTargets(targets_->text().toStdString());
    if (!parsed) {
        targetsError_->setText(QString::fromUtf8(kNotchTargetsRule));
        targetsError_->show();
        return;
    }
    targetsError_->hide();
    // "full" typed in the text and the box ticked name the same target once.
    const bool typedFull = std::any_of(parsed->begin(), parsed->end(), [](const NotchTarget& t) { return t.fullGear; });
    if (fullGear_->isChecked() && !typedFull) parsed->push_back({0.0, true});
    targetList_ = *parsed;
    recompute();
}

void TValveEvents::CopyClick() {
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(eventsTableTsv(report_, tolerance_->value(), angles_->isChecked())));
}

void TValveEvents::SaveClick() {
    const QString suggested =
        (report_.design.empty() ? QStringLiteral("valve-events") : QString::fromStdString(report_.design) + "-events") +
        QStringLiteral(".csv");
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Valve Events"), suggested,
                                                      QStringLiteral("CSV File (*.csv);;All Files (*)"));
    if (!path.isEmpty()) saveCsv(path);
}

bool TValveEvents::saveCsv(const QString& path) {
    const std::string failure = writeFileAtomically(QFile::encodeName(path).toStdString(), eventsReportCsv(report_));
    if (failure.empty()) return true;
    QMessageBox::warning(this, QStringLiteral("Save CSV"),
                         QStringLiteral("The valve events were not saved to %1:\n%2")
                             .arg(path, QString::fromStdString(failure)));
    return false;
}

}  // namespace tevrane
