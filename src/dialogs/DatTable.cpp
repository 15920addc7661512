#include "dialogs/DatTable.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include "dialogs/core/PivotTable.h"
#include "model/Format.h"
#include "platform/QtClock.h"

namespace tevrane {

namespace {

inline constexpr int kTextPixels = 12;  // the table's text height at the normal font
inline constexpr int kViewHeight = 400;  // the visible part of the table
inline constexpr int kMinViewWidth = 620;

// The table lines its columns up with blanks, which only works when every
// character is as wide as every other: a proportional face (the serif the
// window was drawn for among them) sets a blank narrower than a digit and
// the columns drift apart. So the text takes a fixed-width face.
QFont tableFont(float scaleY) {
    QFont f(QStringLiteral("Courier New"));
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                   QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Mono")});
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    f.setPixelSize(std::max(1, toInt(kTextPixels * static_cast<long double>(scaleY))));
    return f;
}

}  // namespace

TDataTable::TDataTable(const Model& m, QWidget* parent)
    : TDataTable(m, *new QtClock, parent) {
    ownClock_.reset(&clock_);
}

TDataTable::TDataTable(const Model& m, Clock& clock, QWidget* parent)
    : QDialog(parent), m_(m), clock_(clock) {
    setObjectName(QStringLiteral("DataTable"));
    setWindowTitle(QStringLiteral("Pivot Data Table"));
    setModal(true);

    menuBar_ = new QMenuBar(this);
    close_ = menuBar_->addAction(QStringLiteral("&Close "));
    connect(close_, &QAction::triggered, this, &QDialog::reject);
    // Fourteen blanks keep "&Close " apart from "&Edit"; choosing it does
    // nothing.
    spacer_ = menuBar_->addAction(QString(14, QLatin1Char(' ')));
    editMenu_ = menuBar_->addMenu(QStringLiteral("&Edit"));
    cut_ = editMenu_->addAction(QStringLiteral("Cu&t"));
    copy_ = editMenu_->addAction(QStringLiteral("&Copy"));
    paste_ = editMenu_->addAction(QStringLiteral("&Paste"));
    selectAll_ = editMenu_->addAction(QStringLiteral("Select&All"));
    connect(editMenu_, &QMenu::aboutToShow, this, &TDataTable::EditClick);
    connect(cut_, &QAction::triggered, this, &TDataTable::CutClick);
    connect(copy_, &QAction::triggered, this, &TDataTable::CopyClick);
    connect(paste_, &QAction::triggered, this, &TDataTable::PasteClick);
    connect(selectAll_, &QAction::triggered, this, &TDataTable::SelectAllClick);

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("DataMemo"));
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Its own context menu would cut and copy behind the menu's states.
    memo_->setContextMenuPolicy(Qt::NoContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(memo_);
}

TDataTable::~TDataTable() = default;

void TDataTable::showEvent(QShowEvent* e) {
    FormActivate();
    QDialog::showEvent(e);
}

void TDataTable::FormActivate() {
    memo_->clear();
    cut_->setEnabled(false);
    copy_->setEnabled(false);
    selectAll_->setEnabled(true);
    build();
}

void TDataTable::build() {
    // The table is solved on the model's engine by the pure solver, so the
    // animation's driver angle and its running or stopped state are not
    // touched at all: the next tick carries on where it was.
    const std::string text = pivotTableText(m_, clock_.shortDate(), clock_.longTime());
    // The widest line sets the window's width (the rows are all about as
    // wide as the column heads).
    std::size_t widestStart = 0, widestLength = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end - start > widestLength) widestStart = start, widestLength = end - start;
        start = end + 1;
    }
    memo_->setFont(tableFont(m_.fontScaleY));
    // The last line's newline would leave an empty line under the table.
    std::string shown = text;
    if (!shown.empty() && shown.back() == '\n') shown.pop_back();
    memo_->setPlainText(QString::fromStdString(shown));
    memo_->moveCursor(QTextCursor::Start);
    fitToText(QString::fromStdString(text.substr(widestStart, widestLength)));
}

void TDataTable::fitToText(const QString& widest) {
    const QFontMetrics fm(memo_->font());
    const int frame = 2 * memo_->frameWidth();
    const int textWidth = fm.horizontalAdvance(widest) + 2 * static_cast<int>(memo_->document()->documentMargin()) +
                          fm.averageCharWidth();
    int width = std::max(kMinViewWidth, textWidth + memo_->verticalScrollBar()->sizeHint().width() + frame);
    // The whole width when the screen has room; otherwise the text scrolls
    // sideways.
    if (const QScreen* s = screen()) width = std::min(width, s->availableGeometry().width() - 16);
    const int height = toInt(kViewHeight * static_cast<long double>(m_.fontScaleY)) + menuBar_->sizeHint().height();
    setFixedSize(width, height);
}

void TDataTable::EditClick() {
    if (memo_->textCursor().hasSelection()) {
        cut_->setEnabled(true);
        copy_->setEnabled(true);
    }
    paste_->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
}

void TDataTable::CutClick() {
    memo_->cut();
    selectAll_->setEnabled(true);
}

void TDataTable::CopyClick() {
    memo_->copy();
    selectAll_->setEnabled(true);
}

void TDataTable::PasteClick() { memo_->paste(); }

void TDataTable::SelectAllClick() {
    memo_->selectAll();
    cut_->setEnabled(true);
    copy_->setEnabled(true);
    selectAll_->setEnabled(false);
}

}  // namespace tevrane
