#include "dialogs/Line.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/SettingKeyFilter.h"
#include "model/Format.h"
#include "platform/QtCanvas.h"

namespace tevrane {

namespace {

using drawlines::kRows;

// The window at normal font, in pixels; the large font scales every figure.
constexpr int kWidth = 592;
constexpr int kHeight = 501;
constexpr int kFontPixels = 14;

struct Rect {
    int x, y, w, h;
};
constexpr Rect kTypeBox = {6, 4, 76, 62};
constexpr Rect kColourBox = {86, 4, 222, 62};
constexpr Rect kRefBox = {312, 4, 180, 62};
constexpr int kRadioTop = 20, kRadioPitch = 20, kRadioHeight = 18, kRadioLeft = 8;
constexpr int kColourColumn = 70, kRefColumn = 84;
constexpr Rect kDrawClose = {498, 6, 88, 20};
constexpr Rect kClearLine = {498, 27, 88, 20};
constexpr Rect kClose = {498, 48, 88, 20};

// The row panels and what sits on them (x relative to the panel).
constexpr int kPanelX = 8, kPanelTop = 106, kPanelPitch = 17, kPanelWidth = 480, kPanelHeight = 16;
struct Span {
    int x, w;
};
constexpr Span kNumber = {2, 22};
constexpr Span kTypeLabel = {28, 44};
constexpr Span kColourLabel = {74, 48};
constexpr Span kRefLabel = {124, 58};
constexpr int kBoxX[4] = {186, 259, 332, 405};
constexpr int kBoxWidth = 70;

// The column headings: two lines over the rows.
struct Heading {
    int x, y;
    const char* text;
};
constexpr Heading kHeadings[6] = {
    {kPanelX + 2, 70, "Item"},
    {kPanelX + 2, 86, "No."},
    {kPanelX + kTypeLabel.x, 86, "Type     Color     Ref to"},
    {kPanelX + kBoxX[0], 70, "Line1Vert   Line1Horz     Line2Vert   Line2Horz"},
    {kPanelX + kBoxX[0], 86, "CirCentV    CirCentH                        CirRadius"},
    {0, 0, nullptr},
};

const char* const kTypeNames[2] = {"Line", "Circle"};
const char* const kRefNames[drawlines::kModes] = {"0,0", "Pivot1", "Piv1/0,0", "Piv1/Piv2"};

constexpr Colour kAqua = rgb(0, 255, 255);

void setBackground(QWidget* w, Colour c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, toQColor(c));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void uncheckAll(QButtonGroup* g) {
    g->setExclusive(false);
    for (QAbstractButton* b : g->buttons()) b->setChecked(false);
    g->setExclusive(true);
}

void checkOnly(QButtonGroup* g, int id) {
    if (id < 0 || !g->button(id)) {
        uncheckAll(g);
        return;
    }
    if (!g->button(id)->isChecked()) g->button(id)->setChecked(true);
}

void setTextIfChanged(QLabel* l, const std::string& s) {
    const QString t = QString::fromStdString(s);
    if (l->text() != t) l->setText(t);
}

}  // namespace

TDrawLines::TDrawLines(const Model& m, Overlay& overlay, SoundPlayer& sound, QWidget* parent)
    : QDialog(parent), m_(m), logic_(m, overlay, sound) {
    setObjectName(QStringLiteral("DrawLines"));
    setWindowTitle(QStringLiteral("Draw Lines"));
    setModal(true);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("Nimbus Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontPixels);
    setFont(font);
    setBackground(this, colours::white);

    auto group = [this](QGroupBox*& box, QButtonGroup*& g, const char* title, const char* name) {
        box = new QGroupBox(QString::fromUtf8(title), this);
        box->setObjectName(QString::fromUtf8(name));
        setBackground(box, colours::silver);
        g = new QButtonGroup(this);
        g->setExclusive(true);
    };
    group(typeBox_, typeGroup_, "  Type    ", "LineType");
    group(colourBox_, colourGroup_, "  Color  ", "LineColor");
    group(refBox_, refGroup_, "  Referenced to  ", "LineRef");
    auto radios = [](QGroupBox* box, QButtonGroup* g, auto& buttons, const char* const* names) {
        for (size_t i = 0; i < buttons.size(); ++i) {
            auto* b = new QRadioButton(QString::fromUtf8(names[i]), box);
            b->setAutoExclusive(false);  // the group decides, and can be emptied
            g->addButton(b, static_cast<int>(i));
            buttons[i] = b;
        }
    };
    radios(typeBox_, typeGroup_, typeButtons_, kTypeNames);
    radios(colourBox_, colourGroup_, colourButtons_, drawlines::kColourNames);
    radios(refBox_, refGroup_, refButtons_, kRefNames);
    connect(typeGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        logic_.typeClick(id);
        sync();
    });
    connect(colourGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        logic_.colourClick(id);
        sync();
    });
    connect(refGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        logic_.refClick(id);
        sync();
    });

    auto button = [this](const char* caption, const char* name, void (drawlines::DrawLinesLogic::*handler)()) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        // Return in a box is discarded by the key filter; no button takes it
        // over as the default.
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, handler] {
            (logic_.*handler)();
            sync();
        });
        return b;
    };
    drawClose_ = button("Draw Close", "DrawClose", &drawlines::DrawLinesLogic::drawCloseClick);
    clearLine_ = button("Clear Line", "ClearLine", &drawlines::DrawLinesLogic::clearLineClick);
    close_ = button("Close", "Close", &drawlines::DrawLinesLogic::closeClick);
    linesData_ = new QPushButton(this);
    linesData_->setObjectName(QStringLiteral("LinesData"));
    linesData_->hide();
    connect(linesData_, &QPushButton::clicked, this, [this] { LinesDataClick(); });

    for (size_t i = 0; kHeadings[i].text; ++i) {
        headings_[i] = new QLabel(QString::fromUtf8(kHeadings[i].text), this);
        headings_[i]->setTextFormat(Qt::PlainText);
    }

    for (int r = 1; r <= kRows; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        row.panel = new QFrame(this);
        row.panel->setObjectName(QStringLiteral("Panel%1").arg(r));
        setBackground(row.panel, colours::white);
        row.number = new QLabel(QString::number(r), row.panel);
        row.number->setObjectName(QStringLiteral("LineNo%1").arg(r));
        row.number->installEventFilter(this);
        row.type = new QLabel(row.panel);
        row.colour = new QLabel(row.panel);
        row.ref = new QLabel(row.panel);
        for (int c = 0; c < 4; ++c) {
            auto* e = new QLineEdit(row.panel);
            e->setObjectName(QStringLiteral("Edit%1_%2").arg(r).arg(c + 1));
            e->setFrame(false);
            QPalette p = e->palette();
            p.setColor(QPalette::Base, toQColor(colours::silver));
            e->setPalette(p);
            // Every change of the text comes through the key filter.
            e->setAttribute(Qt::WA_InputMethodEnabled, false);
            e->setAcceptDrops(false);
            e->setContextMenuPolicy(Qt::NoContextMenu);
            e->installEventFilter(this);
            row.box[static_cast<size_t>(c)] = e;
        }
    }
    layoutControls(1.0f, 1.0f);
    sync();
}

TDrawLines::~TDrawLines() {
    // No more leave sequences while the rows are taken down.
    for (int r = 1; r <= kRows; ++r) {
        rows_[static_cast<size_t>(r)].number->removeEventFilter(this);
        for (QLineEdit* e : rows_[static_cast<size_t>(r)].box) e->removeEventFilter(this);
    }
}

void TDrawLines::layoutControls(float sx, float sy) {
    // With the large font every text grows, so the window and its controls
    // grow by the same factors.
    if (sx == scaleX_ && sy == scaleY_) return;
    scaleX_ = sx;
    scaleY_ = sy;
    auto sc = [](int v, float f) { return toInt(v * static_cast<long double>(f)); };
    auto place = [&](QWidget* w, Rect r) { w->setGeometry(sc(r.x, sx), sc(r.y, sy), sc(r.w, sx), sc(r.h, sy)); };
    setFixedSize(sc(kWidth, sx), sc(kHeight, sy));
    QFont f = font();
    f.setPixelSize(sc(kFontPixels, sy));
    setFont(f);

    place(typeBox_, kTypeBox);
    place(colourBox_, kColourBox);
    place(refBox_, kRefBox);
    auto placeRadios = [&](auto& buttons, int columns, int columnWidth, int boxWidth) {
        const int rowsPerColumn = (static_cast<int>(buttons.size()) + columns - 1) / columns;
        for (size_t i = 0; i < buttons.size(); ++i) {
            // Filled column by column, as a radio group with columns is.
            const int col = static_cast<int>(i) / rowsPerColumn;
            const int rowInCol = static_cast<int>(i) % rowsPerColumn;
            const int width = columns == 1 ? boxWidth - 2 * kRadioLeft : columnWidth;
            place(buttons[i], {kRadioLeft + col * columnWidth, kRadioTop + rowInCol * kRadioPitch, width,
                               kRadioHeight});
        }
    };
    placeRadios(typeButtons_, 1, 0, kTypeBox.w);
    placeRadios(colourButtons_, 3, kColourColumn, kColourBox.w);
    placeRadios(refButtons_, 2, kRefColumn, kRefBox.w);
    place(drawClose_, kDrawClose);
    place(clearLine_, kClearLine);
    place(close_, kClose);

    for (size_t i = 0; kHeadings[i].text; ++i) {
        headings_[i]->move(sc(kHeadings[i].x, sx), sc(kHeadings[i].y, sy));
        headings_[i]->adjustSize();
    }
    for (int r = 1; r <= kRows; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        // Every row keeps a pixel of white below it at any scale: its height
        // is what is left of the pitch once that pixel is taken.
        const int top = sc(kPanelTop + (r - 1) * kPanelPitch, sy);
        const int height = sc(kPanelTop + r * kPanelPitch, sy) - top - (kPanelPitch - kPanelHeight);
        row.panel->setGeometry(sc(kPanelX, sx), top, sc(kPanelWidth, sx), height);
        auto inRow = [&](QWidget* w, int x, int width) { w->setGeometry(sc(x, sx), 0, sc(width, sx), height); };
        inRow(row.number, kNumber.x, kNumber.w);
        inRow(row.type, kTypeLabel.x, kTypeLabel.w);
        inRow(row.colour, kColourLabel.x, kColourLabel.w);
        inRow(row.ref, kRefLabel.x, kRefLabel.w);
        for (int c = 0; c < 4; ++c) inRow(row.box[static_cast<size_t>(c)], kBoxX[c], kBoxWidth);
    }
}

void TDrawLines::sync() {
    const drawlines::LinesView& v = logic_.view();
    for (int r = 1; r <= kRows; ++r) {
        Row& row = rows_[static_cast<size_t>(r)];
        const drawlines::RowView& rv = v.rows[static_cast<size_t>(r)];
        setTextIfChanged(row.type, rv.type);
        setTextIfChanged(row.colour, rv.colour);
        setTextIfChanged(row.ref, rv.ref);
        // A box changes only when the logic changed its text, so what is
        // being typed stays until the box is left.
        for (size_t c = 0; c < 4; ++c) {
            if (row.shown[c] == rv.box[c]) continue;
            row.shown[c] = rv.box[c];
            row.box[c]->setText(QString::fromStdString(rv.box[c]));
            row.box[c]->setCursorPosition(0);
        }
        const Colour want = r == logic_.highlightRow() ? kAqua : colours::white;
        if (row.panel->palette().color(QPalette::Window) != toQColor(want)) setBackground(row.panel, want);
    }
    drawClose_->setEnabled(v.drawCloseEnabled);
    checkOnly(typeGroup_, m_.drawLinesTypeChoice);
    checkOnly(colourGroup_, m_.drawLinesColourChoice);
    checkOnly(refGroup_, m_.drawLinesRefChoice);
    if (logic_.takeCloseRequest() && isVisible()) QDialog::done(QDialog::Accepted);
}

void TDrawLines::FormActivate() {
    layoutControls(m_.fontScaleX, m_.fontScaleY);
    logic_.activate();
    sync();
}

void TDrawLines::LinesDataClick() {
    logic_.linesDataClick();
    sync();
}

void TDrawLines::clearValueLabels() {
    logic_.clearValueLabels();
    sync();
}

void TDrawLines::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

bool TDrawLines::findBox(const QObject* o, int& r, int& column) const {
    for (int k = 1; k <= kRows; ++k)
        for (int c = 0; c < 4; ++c)
            if (rows_[static_cast<size_t>(k)].box[static_cast<size_t>(c)] == o) {
                r = k;
                column = c;
                return true;
            }
    return false;
}

void TDrawLines::leaveBoxBeingEdited() {
    int r = 0, c = 0;
    if (!findBox(focusWidget(), r, c)) return;
    logic_.leaveBox(r, c, box(r, c)->text().toStdString());
}

void TDrawLines::reject() {
    // Closed by its frame: what is being typed is kept, then as "Close".
    if (isVisible()) {
        leaveBoxBeingEdited();
        logic_.closeClick();
        sync();
    }
    QDialog::reject();
}

void TDrawLines::keyPressEvent(QKeyEvent* e) {
    // Escape leaves the window open, as in every dialog of the program.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TDrawLines::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress) {
        for (int r = 1; r <= kRows; ++r)
            if (watched == rows_[static_cast<size_t>(r)].number &&
                static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
                logic_.itemLabelClick(r);
                sync();
                return true;
            }
    }
    int r = 0, c = 0;
    if (!findBox(watched, r, c)) return QDialog::eventFilter(watched, e);
    switch (e->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(e);
            char typed = 0;
            if (typedCharacter(*key, typed))
                return !logic_.acceptKey(r, c, box(r, c)->text().toStdString(), typed);
            // The box of a circle's missing coordinate takes no key at all;
            // Tab still moves on.
            const bool lockedBox = !logic_.acceptKey(r, c, std::string(), '0');
            return lockedBox && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab &&
                   key->key() != Qt::Key_Escape;
        }
        case QEvent::FocusOut: {
            // Only a move of the focus inside the window leaves the box.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                logic_.leaveBox(r, c, box(r, c)->text().toStdString());
            return false;
        }
        default:
            return false;
    }
}

}  // namespace tevrane
