#include "main/Main.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QToolBar>

#include <cmath>
#include <vector>

#include "controls/DynVarScrollBar.h"
#include "dialogs/DimensionDialog.h"
#include "main/ControlLayout.h"
#include "main/ToolIcons.h"
#include "model/Format.h"
#include "platform/Clock.h"
#include "platform/QtCanvas.h"
#include "platform/QtPainterCanvas.h"

namespace tevrane {

namespace {
// Start volume of the program's sound: half of full on both channels.
constexpr std::uint32_t kStartVolume = stereoVolume(32768, 32768);
// Client size at start: the panel and the default engine at the home view.
constexpr int kStartWidth = 660;
constexpr int kStartHeight = 420;

// The slot (1..4) of a dynamic-variable bar, 0 for every other bar.
int dynVarSlot(Bar b) {
    switch (b) {
        case Bar::DynVar1: return 1;
        case Bar::DynVar2: return 2;
        case Bar::DynVar3: return 3;
        case Bar::DynVar4: return 4;
        default: return 0;
    }
}

QRect scaled(const layout::Rect& r, float sx, float sy) {
    return QRect(toInt(r.x * static_cast<long double>(sx)), toInt(r.y * static_cast<long double>(sy)),
                 toInt(r.w * static_cast<long double>(sx)), toInt(r.h * static_cast<long double>(sy)));
}
}  // namespace

// ---- picture -------------------------------------------------------------------

QRegion toWindowPixels(const QRegion& device, qreal ratio) {
    const long k = std::lround(ratio);
    if (k >= 1 && std::abs(ratio - static_cast<qreal>(k)) < 1e-9) {
        // A whole ratio that divides every edge keeps the rectangles apart
        // and in their bands: the region is made at once, not rectangle by
        // rectangle (which costs the square of their number).
        std::vector<QRect> rects;
        rects.reserve(static_cast<std::size_t>(device.rectCount()));
        bool exact = true;
        for (const QRect& r : device) {
            if (r.x() % k != 0 || r.y() % k != 0 || r.width() % k != 0 || r.height() % k != 0) {
                exact = false;
                break;
            }
            const int kk = static_cast<int>(k);
            rects.emplace_back(r.x() / kk, r.y() / kk, r.width() / kk, r.height() / kk);
        }
        if (exact) {
            QRegion region;
            if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
            return region;
        }
    }
    QRegion logical;
    for (const QRect& r : device) {
        const QRectF f(r.x() / ratio, r.y() / ratio, r.width() / ratio, r.height() / ratio);
        logical += f.toAlignedRect();
    }
    return logical;
}

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    pictures_[0] = QtCanvas::whiteImage();
    pictures_[1] = QtCanvas::whiteImage();
}

QImage& PictureView::beginFrame() {
    // A window moved to a screen of another pixel density gets pictures of
    // that density before it draws.
    if (devicePixelRatioF() != ratio_) allocate(size());
    const int back = 1 - front_;
    // Only the tiles its last frame drew in hold ink.
    fillTiles(pictures_[back], ink_[back], colours::white);
    drawn_[back] = QRect();
    return pictures_[back];
}

void PictureView::endFrame(const QRect& drawn, const InkTiles* inked) {
    const int back = 1 - front_;
    drawn_[back] = drawn.intersected(pictures_[back].rect());
    if (!inked) {
        ink_[back].reset(pictures_[back].width(), pictures_[back].height());
        ink_[back].markRect(drawn_[back].left(), drawn_[back].top(), drawn_[back].right(), drawn_[back].bottom());
    } else {
        ink_[back] = *inked;
    }
    // Outside both frames' ink both pictures are white; inside, much of a
    // frame (the labels, the fixed parts) is as it was. Only what really
    // changed is repainted, so the controls over the picture are not
    // redrawn for a picture that did not change under them.
    lastChange_ = changedTiles(pictures_[front_], pictures_[back], ink_[front_], ink_[back]);
    if (highDensity()) lastChange_ = toWindowPixels(lastChange_, ratio_);
    front_ = back;
    if (!lastChange_.isEmpty()) update(lastChange_);
}

void PictureView::allocate(QSize logical) {
    logical = logical.expandedTo(QSize(1, 1));
    const qreal ratio = devicePixelRatioF();
    const QSize device = ratio == 1.0 ? logical : (QSizeF(logical) * ratio).toSize();
    if (ratio == ratio_ && device == pictures_[front_].size()) return;
    // The picture on show keeps what it shows where it fits, so a resize
    // does not flash white before the next frame; the other one starts white.
    QImage shown = QtCanvas::whiteImage(device.width(), device.height());
    const QRect kept = ratio == ratio_ ? drawn_[front_].intersected(shown.rect()) : QRect();
    if (!kept.isEmpty()) {
        QPainter p(&shown);
        p.drawImage(kept.topLeft(), pictures_[front_], kept);
    }
    shown.setDevicePixelRatio(ratio);
    pictures_[front_] = std::move(shown);
    drawn_[front_] = kept;
    ink_[front_].reset(device.width(), device.height());
    if (!kept.isEmpty()) ink_[front_].markRect(kept.left(), kept.top(), kept.right(), kept.bottom());
    pictures_[1 - front_] = QtCanvas::whiteImage(device.width(), device.height());
    pictures_[1 - front_].setDevicePixelRatio(ratio);
    drawn_[1 - front_] = QRect();
    ink_[1 - front_].reset(device.width(), device.height());
    ratio_ = ratio;
    update();
}

int PictureView::wholeDeviceScale() const {
    // The ratio the next frame's pictures are made for.
    const qreal ratio = devicePixelRatioF();
    const long k = std::lround(ratio);
    return k >= 1 && k <= 8 && std::abs(ratio - static_cast<qreal>(k)) < 1e-9 ? static_cast<int>(k) : 0;
}

void PictureView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    allocate(e->size());
}

void PictureView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!highDensity()) {
        for (const QRect& r : e->region()) p.drawImage(r.topLeft(), picture(), r);
        return;
    }
    // The picture is in device pixels: it is copied pixel for pixel in the
    // window's device pixels, through an image of ratio 1 over the same
    // rows, rather than scaled down and up again.
    const QImage& shown = picture();
    const QImage pixels(shown.constBits(), shown.width(), shown.height(), shown.bytesPerLine(), shown.format());
    p.setWorldTransform(QTransform::fromScale(1.0 / ratio_, 1.0 / ratio_));
    for (const QRect& r : e->region()) {
        const QRect source = QRectF(r.x() * ratio_, r.y() * ratio_, r.width() * ratio_, r.height() * ratio_)
                                 .toAlignedRect()
                                 .intersected(pixels.rect());
        if (!source.isEmpty()) p.drawImage(source.topLeft(), pixels, source);
    }
}

void PictureView::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    emit mousePressed(e->button(), pos.x(), pos.y());
}

// ---- window ----------------------------------------------------------------------

TMainForm::TMainForm(Model& m, Panel& p, MainController& c, WindowRegistry& windows,
                     SoundPlayer& sound, Clock& clock, QWidget* parent)
    : QMainWindow(parent), m_(m), p_(p), c_(c), windows_(windows), sound_(sound), clock_(clock) {
    // Main window creation: the model's start values, the reverse arm bar's
    // range from them, and the start volume.
    initModel(m_);
    initPanel(m_, p_);
    sound_.setVolume(kStartVolume);

    view_ = new PictureView(this);
    setCentralWidget(view_);
    buildMenu();
    buildControls();
    buildToolBar();
    resize(kStartWidth, kStartHeight + menuBar()->sizeHint().height());

    c_.onPanelChanged = [this] { syncFromPanel(); };
    c_.onDrawLinesClick = [this] { DrawLines1Click(); };
    connect(view_, &PictureView::mousePressed, this, &TMainForm::FormMouseDown);
    syncFromPanel();

    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TMainForm::onTimer);
    elapsed_.start();
    pacer_.start(elapsed_.nsecsElapsed() / 1000);
    Timer1Timer();  // the first picture at once, before the window shows
    scheduleNextTick();
}

TMainForm::~TMainForm() {
    c_.onPanelChanged = nullptr;
    c_.onDrawLinesClick = nullptr;
}

void TMainForm::FitClick() { c_.fitClick(view_->width(), view_->height()); }

void TMainForm::FormMouseDown(Qt::MouseButton button, int x, int y) {
    const MouseButton b = button == Qt::LeftButton    ? MouseButton::Left
                          : button == Qt::RightButton ? MouseButton::Right
                                                      : MouseButton::Middle;
    c_.formMouseDown(b, x, y);
}

void TMainForm::updateCursor() {
    // The hourglass says that the picture is showing a dimension and a press
    // ends it; otherwise the cross says that the next press picks a pivot.
    const bool cross = c_.pickPending();
    if (cross == crossCursor_ && pointerShown_ == waitShown_) return;
    crossCursor_ = cross;
    waitShown_ = pointerShown_;
    if (pointerShown_)
        view_->setCursor(Qt::WaitCursor);
    else if (cross)
        view_->setCursor(Qt::CrossCursor);
    else
        view_->unsetCursor();
}

void TMainForm::closeEvent(QCloseEvent* e) {
    sound_.setVolume(kStartVolume);
    timer_.stop();
    QMainWindow::closeEvent(e);
}

// ---- the animation tick -----------------------------------------------------------

void TMainForm::onTimer() {
    if (!p_.timerRunning) return;
    Timer1Timer();
    scheduleNextTick();
}

void TMainForm::scheduleNextTick() {
    if (!p_.timerRunning) return;
    timer_.start(pacer_.nextDelayMillis(elapsed_.nsecsElapsed() / 1000));
}

void TMainForm::Timer1Timer() {
    c_.tick();
    QRect drawn;
    const FrameClock fc{clock_.shortDate(), clock_.longTime()};
    // On a screen of more than one device pixel to a picture pixel the
    // picture is drawn at the device's resolution, so lines and letters stay
    // sharp: the same shapes on the same picture pixels, finer.
    const int scale = view_->wholeDeviceScale();
    if (scale > 0) {
        InkTiles inked;
        {
            QtCanvas canvas(view_->beginFrame(), scale);
            runFrame(m_, renderState_, canvas, *this, fc);
            drawn = canvas.touched();
            inked = canvas.inkTiles();
        }
        view_->endFrame(drawn, &inked);
    } else {
        // A ratio between whole numbers (150 %): smoothed by a painter.
        QImage& picture = view_->beginFrame();
        InkTiles inked;
        inked.reset(picture.width(), picture.height());
        QPainter painter(&picture);
        QtPainterCanvas canvas(painter, view_->width(), view_->height());
        canvas.trackInk(&inked, picture.devicePixelRatio());
        runFrame(m_, renderState_, canvas, *this, fc);
        painter.end();
        view_->endFrame(picture.rect(), &inked);
    }
    // Only when the picture changed the UnDo button, the error entry or the
    // bars' state do the widgets need mirroring.
    if (pictureChangedPanel_) {
        pictureChangedPanel_ = false;
        syncFromPanel();
    }
    // The draw-lines window and the pivot data rows set what a press picks
    // without a handler of this window in between.
    updateCursor();
}

// ---- renderer host -----------------------------------------------------------------

void TMainForm::setCaption(CaptionWindow w, const std::string& caption) {
    QWidget* target = w == CaptionWindow::Main ? static_cast<QWidget*>(this) : windows_.window(w);
    if (!target) return;
    const QString text = QString::fromStdString(caption);
    if (target->windowTitle() != text) target->setWindowTitle(text);
}

void TMainForm::setUndoButton(bool visible, int top) {
    if (p_.undoDn.visible == visible && p_.undoTop == top) return;
    p_.undoDn.visible = visible;
    p_.undoTop = top;
    pictureChangedPanel_ = true;
}

void TMainForm::setErrorItemVisible(bool visible) {
    if (p_.item(Item::Error).visible == visible) return;
    p_.item(Item::Error).visible = visible;
    pictureChangedPanel_ = true;
}

void TMainForm::setDynVarBarEnabled(int k, bool enabled) {
    if (k < 1 || k > 4 || p_.bar(dynVarBar(k)).enabled == enabled) return;
    p_.bar(dynVarBar(k)).enabled = enabled;
    pictureChangedPanel_ = true;
}

void TMainForm::playSound(const std::string& fileName) { sound_.play(fileName); }
void TMainForm::setVolume(std::uint32_t volume) { sound_.setVolume(volume); }
void TMainForm::beep() { sound_.beep(); }

namespace {
const char* dimensionWindowName(DimensionWindow w) {
    return w == DimensionWindow::Frame ? "TFrameDi" : "TCylDimen";
}
}  // namespace

void TMainForm::closeDimensionWindow(DimensionWindow w) {
    if (auto* d = dynamic_cast<DimensionDialog*>(windows_.window(dimensionWindowName(w))))
        d->stepAside();
}

void TMainForm::reopenDimensionWindow(DimensionWindow w) {
    // The dialog's modal loop must not run inside this frame: the ticks it
    // lets through would draw while this one is half done. It opens as soon
    // as the frame is finished, as if from its menu item.
    const WindowRow* row = rowNamed(dimensionWindowName(w));
    if (!row) return;
    QMetaObject::invokeMethod(this, [this, row] { openWindow(*row); }, Qt::QueuedConnection);
}

void TMainForm::setPointerDisplayShown(bool shown) {
    if (pointerShown_ == shown) return;
    pointerShown_ = shown;
    pictureChangedPanel_ = true;  // the controls over its marks step aside
}

bool TMainForm::coversPointerMarks(const QWidget* w) const {
    // The dimension's name at (30, 75) in large letters and the hourglass
    // below it fall on the presets and the reference point controls; the
    // picture cannot draw over controls, so they make way while it runs.
    static constexpr layout::Rect kMarks{0, 73, 240, 70};
    return pointerShown_ && w->geometry().intersects(scaled(kMarks, m_.fontScaleX, m_.fontScaleY));
}

// ---- controls ------------------------------------------------------------------------

QScrollBar* TMainForm::makeBar(Bar b, const char* hint) {
    QScrollBar* s = nullptr;
    if (const int k = dynVarSlot(b)) {
        // A dynamic-variable gesture runs from the bar getting the focus to
        // the user letting go of it; the focus then leaves the bar, so that
        // the next use starts a new gesture.
        auto* d = new DynVarScrollBar(view_);
        connect(d, &DynVarScrollBar::entered, this, [this, k] { c_.dynVarEnter(k); });
        connect(d, &DynVarScrollBar::released, this, [this, k] {
            if (c_.dynVarScrollEnd(k)) bars_[Bar::RevArm]->setFocus();
        });
        s = d;
    } else {
        s = new QScrollBar(Qt::Horizontal, view_);
    }
    s->setToolTip(QString::fromUtf8(hint));
    s->setFocusPolicy(Qt::StrongFocus);
    bars_[b] = s;
    connect(s, &QScrollBar::valueChanged, this, [this, b](int v) {
        if (syncing_) return;
        c_.setBarPosition(b, v);
        c_.changed();
    });
    return s;
}

QPushButton* TMainForm::makeButton(const std::string& name, const char* caption, const char* hint,
                                   void (TMainForm::*handler)()) {
    auto* btn = new QPushButton(QString::fromUtf8(caption), view_);
    btn->setToolTip(QString::fromUtf8(hint));
    btn->setFocusPolicy(Qt::TabFocus);
    buttons_[name] = btn;
    if (handler) connect(btn, &QPushButton::clicked, this, handler);
    return btn;
}

void TMainForm::buildControls() {
    makeBar(Bar::RevArm, "Set Reverse Arm Between Max & Min");
    makeBar(Bar::DrvAng, "Set Driver Angle From 0 to 360 Deg");
    makeBar(Bar::StepAng, "Set Driver Step Angle to Predefined Values");
    makeBar(Bar::PanVert, "Pan Vertical");
    makeBar(Bar::PanHorz, "Pan Horizontal");
    makeBar(Bar::Zoom, "Zoom In / Out");
    makeBar(Bar::DynVar1, "Change Last Variable Clicked");
    makeBar(Bar::DynVar2, "Change Next to Last Variable Clicked");
    makeBar(Bar::DynVar3, "Change 2nd to Last Variable Clicked");
    makeBar(Bar::DynVar4, "Change 3rd to Last Variable Clicked");
    makeBar(Bar::Ref1Vert, "Change Ref Point 1 Vert");
    makeBar(Bar::Ref1Horz, "Change Ref Point 1 Horz");
    makeBar(Bar::Ref2Vert, "Change Ref Point 2 Vert");
    makeBar(Bar::Ref2Horz, "Change Ref Point 2 Horz");

    makeButton("Rev", "Rev", "Set Reverse Arm to Normal Reverse", &TMainForm::RevClick);
    makeButton("Center", "Cen", "Set Reverse Arm to Mid Gear", &TMainForm::CenterClick);
    makeButton("Fwd", "Fwd", "Set Reverse Arm to Normal Forward", &TMainForm::FwdClick);
    makeButton("Deg00", "0.0", "Set Driver to 0 Deg", &TMainForm::Deg00Click);
    makeButton("Deg180", "180", "Set Driver Angle to 180 Deg", &TMainForm::Deg180Click);
    makeButton("Run", "Stop", "Start / Stop Driver Rotation", &TMainForm::RunClick);
    makeButton("Step1", "1.0", "Set Driver Step Angle to 1 Deg", &TMainForm::Step1Click);
    makeButton("Step10", "10.0", "Set Driver Step Angle to 10 Deg", &TMainForm::Step10Click);
    makeButton("Step45", "45.0", "Set Driver Step Angle to 45 Deg", &TMainForm::Step45Click);
    makeButton("Preset0", "P", "Select First to Change Presets", &TMainForm::Preset0Click);
    for (int n = 1; n <= 6; ++n) {
        const std::string num = std::to_string(n);
        const std::string hint = "Pan & Zoom to Preset " + num;
        QPushButton* b = makeButton("Preset" + num, num.c_str(), hint.c_str(), nullptr);
        connect(b, &QPushButton::clicked, this, [this, n] { PresetClick(n); });
    }
    makeButton("NormVHZ", "Norm", "Return Pan & Zoom to Normal", &TMainForm::NormVHZClick);
    makeButton("UnDoDn", "UnDo", "Undo the Last Change", &TMainForm::UnDoDnClick);
    makeButton("DataTableBut", "DataTable", "Show the Pivot Data Table", &TMainForm::DataTableButClick);
    makeButton("RefPt1", "RP1", "Pan to Ref Point 1", &TMainForm::RefPt1Click);
    makeButton("RefPt2", "RP2", "Pan to Ref Point 2", &TMainForm::RefPt2Click);
    makeButton("RefPt1Zero", "0", "Zero Reference Point 1", &TMainForm::RefPt1ZeroClick);
    makeButton("RefPt2Zero", "0", "Zero Reference Point 2", &TMainForm::RefPt2ZeroClick);

    dynFrame_ = new QFrame(view_);
    dynFrame_->setFrameShape(QFrame::Box);
    dynFrame_->setAttribute(Qt::WA_TransparentForMouseEvents);
    dynFrame_->lower();
    refFrame_ = new QFrame(view_);
    refFrame_->setFrameShape(QFrame::Box);
    refFrame_->setAttribute(Qt::WA_TransparentForMouseEvents);
    refFrame_->lower();
}

void TMainForm::placeControls() {
    using namespace layout;
    const float sx = m_.fontScaleX, sy = m_.fontScaleY;
    QFont f = font();
    f.setPixelSize(toInt(fontPixelSize(kDefaultFontSize) * static_cast<long double>(sy)));
    auto place = [&](QWidget* w, const Rect& r) {
        w->setGeometry(scaled(r, sx, sy));
        w->setFont(f);
    };
    place(toolBar_, kToolBar);
    toolBar_->setGeometry(0, 0, std::max(toolBar_->sizeHint().width(), 640), toolBar_->sizeHint().height());
    place(bars_[Bar::RevArm], kRevArmBar);
    place(bars_[Bar::DrvAng], kDrvAngBar);
    place(bars_[Bar::StepAng], kStepAngBar);
    place(bars_[Bar::PanVert], kPanVertBar);
    place(bars_[Bar::PanHorz], kPanHorzBar);
    place(bars_[Bar::Zoom], kZoomBar);
    const Bar dyn[4] = {Bar::DynVar1, Bar::DynVar2, Bar::DynVar3, Bar::DynVar4};
    for (int k = 0; k < 4; ++k) {
        Rect r = kDynVarBar;
        r.y += k * kDynVarPitch;
        place(bars_[dyn[k]], r);
    }
    place(dynFrame_, kDynFrame);
    const Bar ref[4] = {Bar::Ref1Vert, Bar::Ref1Horz, Bar::Ref2Vert, Bar::Ref2Horz};
    for (int k = 0; k < 4; ++k) {
        Rect r = kRefBar;
        r.x += (k % 2) * (r.w + 4);
        r.y += (k / 2) * (r.h + 2);
        place(bars_[ref[k]], r);
    }
    place(refFrame_, kRefFrame);
    place(buttons_["Rev"], kRevButton);
    place(buttons_["Center"], kCenButton);
    place(buttons_["Fwd"], kFwdButton);
    place(buttons_["Deg00"], kDeg00Button);
    place(buttons_["Deg180"], kDeg180Button);
    place(buttons_["Run"], kRunButton);
    place(buttons_["Step1"], kStep1Button);
    place(buttons_["Step10"], kStep10Button);
    place(buttons_["Step45"], kStep45Button);
    for (int n = 0; n <= 6; ++n) {
        Rect r = kPresetRow;
        r.x += n * kPresetRow.w;
        place(buttons_["Preset" + std::to_string(n)], r);
    }
    place(buttons_["NormVHZ"], kNormButton);
    place(buttons_["DataTableBut"], kDataTableButton);
    place(buttons_["RefPt1"], kRefPt1Button);
    place(buttons_["RefPt2"], kRefPt2Button);
    place(buttons_["RefPt1Zero"], kRefPt1Zero);
    place(buttons_["RefPt2Zero"], kRefPt2Zero);
    place(buttons_["UnDoDn"], kUnDoButton);
    // The readouts move out with the large font; make room for them.
    const int needW = toInt(kStartWidth * static_cast<long double>(sx));
    const int needH = toInt(kStartHeight * static_cast<long double>(sy));
    if (laidOutScaleX_ != 0 && (view_->width() < needW || view_->height() < needH)) {
        const QSize before = size();
        resize(std::max(width(), needW + width() - view_->width()),
               std::max(height(), needH + height() - view_->height()));
        if (!grownFrom_) grownFrom_ = GrownWindow{before, size()};
    } else if (grownFrom_ && sx <= 1.0f && sy <= 1.0f) {
        // Back at the normal font: a window that only the large font made
        // larger goes back to its size before; one the user has resized or
        // maximised since keeps the size it was given.
        if (size() == grownFrom_->to && !isMaximized() && !isFullScreen()) resize(grownFrom_->from);
        grownFrom_.reset();
    }
    laidOutScaleX_ = sx;
    laidOutScaleY_ = sy;
}

// ---- mirroring the panel ---------------------------------------------------------------

void TMainForm::syncFromPanel() {
    syncing_ = true;
    if (laidOutScaleX_ != m_.fontScaleX || laidOutScaleY_ != m_.fontScaleY) placeControls();
    for (auto& [b, s] : bars_) {
        const BarState& st = p_.bar(b);
        if (s->minimum() != st.min || s->maximum() != st.max) s->setRange(st.min, st.max);
        if (s->value() != st.position) s->setValue(st.position);
        if (s->singleStep() != st.smallChange) s->setSingleStep(st.smallChange);
        if (s->pageStep() != st.largeChange) s->setPageStep(st.largeChange);
        s->setEnabled(st.enabled);
        s->setVisible(st.visible && !coversPointerMarks(s));
    }
    auto btn = [&](const char* name, const ButtonState& st, bool panelButton = true) {
        QPushButton* b = buttons_[name];
        b->setEnabled(st.enabled);
        b->setVisible(st.visible && (!panelButton || p_.mainFramesVisible) && !coversPointerMarks(b));
    };
    btn("Rev", p_.rev);
    btn("Center", p_.center);
    btn("Fwd", p_.fwd);
    btn("Deg00", p_.deg00);
    btn("Deg180", p_.deg180);
    btn("Run", p_.run);
    btn("Step1", p_.step1);
    btn("Step10", p_.step10);
    btn("Step45", p_.step45);
    for (int n = 0; n <= 6; ++n) btn(("Preset" + std::to_string(n)).c_str(), p_.preset[n]);
    btn("NormVHZ", p_.norm);
    btn("RefPt1", p_.refPt1);
    btn("RefPt2", p_.refPt2);
    btn("RefPt1Zero", p_.refPt1Zero);
    btn("RefPt2Zero", p_.refPt2Zero);
    btn("DataTableBut", {p_.dataTable.enabled && windows_.window("TDataTable"), p_.dataTable.visible});
    buttons_["Run"]->setText(QString::fromStdString(p_.runCaption));

    QPushButton* undo = buttons_["UnDoDn"];
    undo->setEnabled(m_.undoButtonsEnabled);
    undo->setVisible(p_.undoDn.visible);
    const QRect ug = scaled(layout::kUnDoButton, m_.fontScaleX, m_.fontScaleY);
    if (undo->y() != p_.undoTop) undo->move(ug.x(), p_.undoTop);

    dynFrame_->setVisible(p_.dynFramesVisible && !coversPointerMarks(dynFrame_));
    refFrame_->setVisible(p_.refFramesVisible && !coversPointerMarks(refFrame_));
    toolBar_->setVisible(p_.toolBarVisible);
    updateCursor();

    for (auto& [i, a] : actions_) {
        const MenuItemState& st = p_.item(i);
        if (i != Item::Error && a->text() != QString::fromStdString(st.caption))
            a->setText(QString::fromStdString(st.caption));
        a->setVisible(st.visible);
        a->setEnabled(st.enabled && a->property("available").toBool());
    }
    for (auto& [hint, a] : tools_) {
        bool enabled = a->property("available").toBool();
        if (hint == "Draw Lines and Circles") enabled = enabled && p_.drawLinesToolEnabled;
        a->setEnabled(enabled);
    }
    if (p_.timerRunning && !timer_.isActive()) {
        pacer_.start(elapsed_.nsecsElapsed() / 1000);
        scheduleNextTick();
    } else if (!p_.timerRunning && timer_.isActive()) {
        timer_.stop();
    }
    syncing_ = false;
}

}  // namespace tevrane
