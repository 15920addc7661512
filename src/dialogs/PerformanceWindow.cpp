#include "dialogs/PerformanceWindow.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "diagrams/core/CardPlot.h"
#include "diagrams/core/DiagramPanel.h"
#include "model/Format.h"
#include "model/NotchTargets.h"
#include "platform/ScaledCanvas.h"

namespace tevrane {

namespace {

// The cards and the table grow whole with the large font (see drawDiagram):
// the picture is that much taller.
int performanceGrowth(const Model& m) {
    return toInt(static_cast<long double>(kPerformanceHeight) * (static_cast<long double>(m.fontScaleY) - 1.0L));
}

DiagramLayout performanceLayout() {
    DiagramLayout l;
    l.clientWidth = kPerformanceWidth;
    l.clientHeight = kPerformanceHeight;
    l.plotShift = performanceGrowth;
    l.closeName = QStringLiteral("ClosePerformance");
    l.closeRect = QRect(447, 2, 75, 25);
    l.barPrefix = QStringLiteral("SBDynVarIP");
    l.undoName = QStringLiteral("UnDoDnIP");
    l.pictureName = QStringLiteral("performance");
    return l;
}

QDoubleSpinBox* numberBox(QWidget* parent, const QString& name, double low, double high, double value, int decimals,
                          const QString& suffix) {
    auto* b = new QDoubleSpinBox(parent);
    b->setObjectName(name);
    b->setRange(low, high);
    b->setDecimals(decimals);
    b->setValue(value);
    b->setSuffix(suffix);
    b->setKeyboardTracking(false);  // one recompute per value, not per key
    return b;
}

}  // namespace

TPerformance::TPerformance(const Model& m, GearCommands& c, QWidget* parent)
    : DiagramWindow(m, c, performanceLayout(), parent) {
    setObjectName(QStringLiteral("Performance"));
    setWindowTitle(QStringLiteral("Indicated Performance"));
    targetList_ = defaultNotchTargets();

    QAction* undo = menuBar()->addAction(QStringLiteral("&UnDo"), this, &DiagramWindow::undoMenuClick);
    undo->setObjectName(QStringLiteral("UnDoPerformance"));
    QAction* dyn = menuBar()->addAction(QStringLiteral("DynamicVari"), this, &DiagramWindow::dynamicVariClick);
    dyn->setObjectName(QStringLiteral("DynamicVariPerformance"));
    addPictureItems();

    // The boxes start in the design's units (psi, mph for inches; bar, km/h
    // for millimetres); useUnits follows a conversion or a load.
    units_ = powerUnitsOf(m.lengthUnit);
    const PerformanceInputs start = defaultPerformanceInputs(units_);
    const PerformanceUnitNames u = unitNames(start.units);
    const QString psi = QStringLiteral(" ") + QString::fromUtf8(u.pressure) + QStringLiteral(" gauge");

    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->addWidget(new QLabel(QStringLiteral("Notch:"), body), 0, 0);
    notch_ = new QComboBox(body);
    notch_->setObjectName(QStringLiteral("NotchChoice"));
    grid->addWidget(notch_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Cut-offs (% of stroke):"), body), 0, 2);
    targets_ = new QLineEdit(QString::fromStdString(notchTargetsText(targetList_)), body);
    targets_->setObjectName(QStringLiteral("PerformanceTargets"));
    grid->addWidget(targets_, 0, 3, 1, 3);

    grid->addWidget(new QLabel(QStringLiteral("Steam chest:"), body), 1, 0);
    const double low = units_ == PowerUnits::Metric ? -1.0 : -14.0;
    const double high = units_ == PowerUnits::Metric ? 140.0 : 2000.0;
    pressure_ = numberBox(body, QStringLiteral("ChestPressure"), low, high, start.chestPressure, 2, psi);
    grid->addWidget(pressure_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Back pressure:"), body), 1, 2);
    back_ = numberBox(body, QStringLiteral("BackPressure"), low, high, start.backPressure, 2, psi);
    grid->addWidget(back_, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Clearance:"), body), 1, 4);
    clearance_ = numberBox(body, QStringLiteral("Clearance"), 0.0, 99.0, start.clearancePercent, 1,
                           QStringLiteral(" % of swept volume"));
    grid->addWidget(clearance_, 1, 5);

    byRpm_ = new QRadioButton(QStringLiteral("Revolutions per minute"), body);
    byRpm_->setObjectName(QStringLiteral("ByRpm"));
    byRpm_->setChecked(true);
    bySpeed_ = new QRadioButton(QStringLiteral("Road speed (") + QString::fromUtf8(u.speed) + QStringLiteral(")"), body);
    bySpeed_->setObjectName(QStringLiteral("BySpeed"));
    grid->addWidget(byRpm_, 2, 0);
    grid->addWidget(bySpeed_, 2, 1);
    speed_ = numberBox(body, QStringLiteral("Speed"), 0.0, 5000.0, start.revolutionsPerMinute, 1, QString());
    grid->addWidget(speed_, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Cylinders:"), body), 2, 3);
    cylinders_ = new QSpinBox(body);
    cylinders_->setObjectName(QStringLiteral("Cylinders"));
    cylinders_->setRange(1, 16);
    cylinders_->setValue(start.cylinders);
    cylinders_->setKeyboardTracking(false);
    grid->addWidget(cylinders_, 2, 4);
    problem_ = new QLabel(body);
    problem_->setObjectName(QStringLiteral("PerformanceProblem"));
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    problem_->hide();
    grid->addWidget(problem_, 3, 0, 1, 6);
    layout()->addWidget(body);

    // Enter in a box takes the value; it must not press "Close".
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    for (QDoubleSpinBox* b : {pressure_, back_, clearance_, speed_})
        connect(b, &QDoubleSpinBox::valueChanged, this, &TPerformance::InputsChange);
    connect(cylinders_, &QSpinBox::valueChanged, this, &TPerformance::InputsChange);
    connect(bySpeed_, &QRadioButton::toggled, this, &TPerformance::InputsChange);
    connect(targets_, &QLineEdit::editingFinished, this, &TPerformance::InputsChange);
    connect(notch_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) redraw(true);
    });
}

void TPerformance::useUnits(PowerUnits units) {
    if (units == units_) return;
    const PerformanceInputs was = defaultPerformanceInputs(units_);
    const PerformanceInputs now = defaultPerformanceInputs(units);
    const bool toMetric = units == PowerUnits::Metric;
    // A value left at the old unit's default takes the new unit's default
    // (100 psi becomes 7 bar, as a designer would set it); a value the user
    // set is converted.
    const auto follow = [&](QDoubleSpinBox* b, double oldDefault, double newDefault, double perMetric) {
        const double v = b->value();
        b->setValue(v == oldDefault ? newDefault : (toMetric ? v / perMetric : v * perMetric));
    };
    const PerformanceUnitNames u = unitNames(units);
    const QString suffix = QStringLiteral(" ") + QString::fromUtf8(u.pressure) + QStringLiteral(" gauge");
    filling_ = true;
    for (QDoubleSpinBox* b : {pressure_, back_}) {
        QSignalBlocker quiet(b);
        b->setSuffix(suffix);
        b->setRange(toMetric ? -1.0 : -14.0, toMetric ? 140.0 : 2000.0);
    }
    {
        QSignalBlocker q1(pressure_), q2(back_), q3(speed_);
        follow(pressure_, was.chestPressure, now.chestPressure, kPsiPerBar);
        follow(back_, was.backPressure, now.backPressure, kPsiPerBar);
        if (bySpeed_->isChecked()) follow(speed_, -1.0, -1.0, 1.0 / kKilometresPerMile);
    }
    bySpeed_->setText(QStringLiteral("Road speed (") + QString::fromUtf8(u.speed) + QStringLiteral(")"));
    filling_ = false;
    units_ = units;
}

PerformanceInputs TPerformance::inputs() const {
    PerformanceInputs in = defaultPerformanceInputs(units_);
    in.chestPressure = pressure_->value();
    in.backPressure = back_->value();
    in.clearancePercent = clearance_->value();
    if (bySpeed_->isChecked())
        in.roadSpeed = speed_->value();
    else
        in.revolutionsPerMinute = speed_->value();
    in.cylinders = cylinders_->value();
    return in;
}

void TPerformance::InputsChange() {
    if (const auto parsed = parseNotchTargets(targets_->text().toStdString()); parsed && !parsed->empty())
        targetList_ = *parsed;
    redraw(true);
}

void TPerformance::recompute(const Model& m) {
    useUnits(powerUnitsOf(m.lengthUnit));
    const PerformanceInputs in = inputs();
    const std::string problem = performanceInputsProblem(in);
    const auto parsed = parseNotchTargets(targets_->text().toStdString());
    QString why;
    if (!problem.empty()) why = QString::fromStdString(problem);
    else if (!parsed || parsed->empty()) why = QString::fromUtf8(kNotchTargetsRule);
    problem_->setText(why);
    problem_->setVisible(!why.isEmpty());
    if (!problem.empty()) return;  // the last good table stays
    table_ = performanceTable(m, m.revArmCentre(), targetList_, in);
    fillNotchChoice();
}

void TPerformance::fillNotchChoice() {
    const int was = notch_->currentIndex();
    filling_ = true;
    notch_->clear();
    for (const SettingPerformance* s : notchList(table_)) notch_->addItem(QString::fromStdString(notchName(*s)));
    notch_->setCurrentIndex(was >= 0 && was < notch_->count() ? was : 0);
    filling_ = false;
}

DiagramControls TPerformance::drawDiagram(const Model& m, Canvas& c, bool, const UndoLines& undo) {
    // Every pass follows the model: a bar's step, an undo or a design loaded
    // since the last one all show in the cards and the table.
    recompute(m);
    c.clear(colours::white);
    const int chosen = notch_->currentIndex();
    {
        // At the large font the whole picture grows by the font's factors,
        // letters and places alike, as the panel band above it does.
        ScaledCanvas grown(c, m.fontScaleX, m.fontScaleY);
        drawPerformance(grown, table_, chosen < 0 ? size_t(0) : size_t(chosen));
    }
    return drawDiagramPanel(m, c, undo);
}

}  // namespace tevrane
