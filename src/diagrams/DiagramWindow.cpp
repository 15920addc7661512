#include "diagrams/DiagramWindow.h"

#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "main/core/TitleBlock.h"
#include "model/Format.h"
#include "platform/QtCanvas.h"
#include "platform/QtClock.h"
#include "platform/QtPictureExport.h"

namespace tevrane {

// ---- DiagramSurface ----------------------------------------------------------

DiagramSurface::DiagramSurface(QImage& image, QWidget* parent) : QWidget(parent), image_(image) {
    fitImage();
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DiagramSurface::fitImage() { setFixedSize(image_.size()); }

void DiagramSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void DiagramSurface::mouseMoveEvent(QMouseEvent* e) {
    QWidget::mouseMoveEvent(e);
    emit mouseMoved();
}

// ---- DiagramWindow -----------------------------------------------------------

DiagramWindow::DiagramWindow(Model& m, MainController& c, const DiagramLayout& layout, QWidget* parent)
    : QDialog(parent), m_(m), c_(c), layout_(layout), dyn_(m) {
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);

    surface_ = QtCanvas::whiteImage(layout.clientWidth, layout.clientHeight);
    view_ = new DiagramSurface(surface_, this);
    menu_ = new QMenuBar(this);
    menu_->setNativeMenuBar(false);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->setMenuBar(menu_);
    box->addWidget(view_);
    clampNotice_ = new QLabel(this);
    clampNotice_->setObjectName(QStringLiteral("ClampNotice"));
    clampNotice_->setStyleSheet(QStringLiteral("QLabel { color: red; font-weight: bold; padding: 2px 4px; }"));
    clampNotice_->setWordWrap(true);
    clampNotice_->hide();
    box->addWidget(clampNotice_);
    box->setSizeConstraint(QLayout::SetFixedSize);

    close_ = new QPushButton(QStringLiteral("Close"), view_);
    close_->setObjectName(layout.closeName);
    close_->setGeometry(layout.closeRect);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);

    for (int k = 1; k <= 4; ++k) {
        auto* bar = new DynVarScrollBar(view_);
        bar->setObjectName(layout.barPrefix + QString::number(k));
        bar->setGeometry(kDiagramBarX, kDiagramBarY[k], kDiagramBarWidth, kDiagramBarHeight);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this, k](int p) { dynVarChange(k, p); });
        connect(bar, &DynVarScrollBar::entered, this, [this, k] { dynVarEnter(k); });
        connect(bar, &DynVarScrollBar::released, this, [this, k] { dynVarScrollEnd(k); });
        bars_[static_cast<size_t>(k)] = bar;
    }

    undo_ = new QPushButton(QStringLiteral("UnDo"), view_);
    undo_->setObjectName(layout.undoName);
    undo_->setGeometry(kDiagramUndoX, kDiagramUndoY, kDiagramUndoWidth, kDiagramUndoHeight);
    undo_->hide();
    undo_->setEnabled(false);
    connect(undo_, &QPushButton::clicked, this, &DiagramWindow::undoDnClick);

    connect(view_, &DiagramSurface::mouseMoved, this, [this] { formMouseMove(); });
    fitToFont();
    move(0, 10);
}

void DiagramWindow::fitToFont() {
    const int width = toInt(static_cast<long double>(layout_.clientWidth) * m_.fontScaleX);
    // The plot goes down under the large font, below the taller panel band.
    const int height = layout_.clientHeight + layout_.plotShift(m_);
    if (surface_.width() != width || surface_.height() != height) {
        surface_ = QtCanvas::whiteImage(width, height);
        view_->fitImage();
    }
    const QRect r = layout_.closeRect;
    close_->setGeometry(toInt(static_cast<long double>(r.x()) * m_.fontScaleX),
                        toInt(static_cast<long double>(r.y()) * m_.fontScaleY),
                        toInt(static_cast<long double>(r.width()) * m_.fontScaleX),
                        toInt(static_cast<long double>(r.height()) * m_.fontScaleY));
}

DynVarScrollBar* DiagramWindow::dynBar(int k) const {
    return k >= 1 && k <= 4 ? bars_[static_cast<size_t>(k)] : nullptr;
}

void DiagramWindow::redraw(bool clearFirst) {
    DiagramControls controls;
    {
        // The canvas finishes its pixels when it goes out of scope.
        QtCanvas canvas(surface_);
        undoTextBefore_ = m_.undoText;
        controls = drawDiagram(m_, canvas, clearFirst);
    }
    applyControls(controls);
    view_->update();
}

void DiagramWindow::applyControls(const DiagramControls& controls) {
    for (int k = 1; k <= 4; ++k) {
        DynVarScrollBar* bar = bars_[static_cast<size_t>(k)];
        bar->setVisible(controls.barsVisible);
        bar->setEnabled(controls.barEnabled[static_cast<size_t>(k)]);
    }
    undo_->setVisible(controls.undoVisible);
    undo_->setEnabled(m_.undoButtonsEnabled);
    const std::string notice = clampNoticeText(controls.clamps);
    clampNotice_->setText(QString::fromStdString(notice));
    clampNotice_->setVisible(!notice.empty());
}

void DiagramWindow::dynVarEnter(int k) { dyn_.enter(k); }

void DiagramWindow::dynVarChange(int k, int position) {
    if (resettingBar_) {
        // The bar springing back to 0: a step of nothing, no drawing of its own.
        dyn_.change(k, position);
        return;
    }
    if (dyn_.change(k, position)) {
        resettingBar_ = true;
        bars_[static_cast<size_t>(k)]->setValue(0);
        resettingBar_ = false;
    }
    redraw(true);
}

void DiagramWindow::dynVarScrollEnd(int k) {
    if (!dyn_.release(k)) return;
    // The next use of a bar gets the focus again and starts a new gesture.
    close_->setFocus();
    redraw(false);
    c_.changed();
}

void DiagramWindow::undoDnClick() {
    undoNewestRecord(m_);
    c_.changed();
    redraw(true);
}

void DiagramWindow::undoMenuClick() {
    c_.toggleUndo();
    redraw(!m_.undoEnabled);
}

void DiagramWindow::dynamicVariClick() {
    c_.toggleDynamicVari();
    redraw(true);
}

void DiagramWindow::addPictureItems() {
    export_ = menu_->addAction(QStringLiteral("&Export..."), this, &DiagramWindow::exportClick);
    export_->setObjectName(QStringLiteral("Export"));
    print_ = menu_->addAction(QStringLiteral("&Print..."), this, &DiagramWindow::printClick);
    print_->setObjectName(QStringLiteral("Print"));
}

void DiagramWindow::drawPicture(Canvas& c) {
    // A drawing pass moves the shared undo line on: a copy of the model,
    // with the undo line the window's last pass started from, draws that
    // pass's picture, and the window's next pass sees nothing of it.
    Model copy = m_;
    copy.undoText = undoTextBefore_;
    drawDiagram(copy, c, true);
}

QSize DiagramWindow::titledPictureSize() const {
    return QSize(surface_.width(), surface_.height() + kTitleBlockHeight);
}

void DiagramWindow::drawTitledPicture(Canvas& c) {
    // The diagram as the window shows it, with the title block in a band of
    // its own below.
    drawPicture(c);
    const QSize size = titledPictureSize();
    drawTitleBlock(c, titleBlockOf(m_, QtClock().shortDate()), size.width(), size.height());
}

void DiagramWindow::exportClick() {
    const QString design = QString::fromStdString(m_.currentFileName);
    const QString name = (design.isEmpty() ? QStringLiteral("tevrane") : design) + QLatin1Char('-') +
                         layout_.pictureName;
    exportPictureWithDialog(this, name, titledPictureSize(), [this](Canvas& c) { drawTitledPicture(c); });
}

void DiagramWindow::printClick() {
    printPictureWithPreview(this, titledPictureSize(), [this](Canvas& c) { drawTitledPicture(c); });
}

void DiagramWindow::formActivate() {
    c_.stopTimer();
    redraw(true);
    close_->setFocus();
}

void DiagramWindow::formClose() { c_.startTimer(); }

void DiagramWindow::showEvent(QShowEvent* e) {
    if (!e->spontaneous()) fitToFont();
    QDialog::showEvent(e);
    if (!e->spontaneous()) formActivate();
}

void DiagramWindow::done(int result) {
    if (isVisible()) formClose();
    QDialog::done(result);
}

}  // namespace tevrane
