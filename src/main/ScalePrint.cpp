#include "main/ScalePrint.h"

#include <QBuffer>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRadioButton>

#include <cmath>

#include "files/FileAccess.h"
#include "main/core/FitView.h"
#include "main/core/ScalePlan.h"
#include "model/Format.h"
#include "model/Solver.h"
#include "platform/QtPainterCanvas.h"

namespace tevrane {

namespace {

// Bands round each sheet's tile, in millimetres of paper: room for the crop
// marks at the sides and top, and for the scale bar and title block below.
constexpr double kSideBandMm = 8, kTopBandMm = 8, kBottomBandMm = 24;
constexpr double kCropMarkMm = 5;

double px(double mm) { return mm * kPixelsPerMm; }

// A scale bar's length as written under it: whole units without decimals.
std::string trimmedNumber(double v) { return fixed(v, 1, v >= 1 ? 0 : 3); }

// The crosshead's places at the two dead centres (driver angle 0 and 180),
// where the stroke's ends lie: a builder checks the scale by measuring
// between them.
void drawDeadCentreMarks(Canvas& c, const Model& m, const ViewSetting& v) {
    for (const float angle : {0.0f, 180.0f}) {
        const LinkageSolution s = solveLinkage(m, angle, m.revArmPos);
        const long double x = static_cast<long double>(s.pivotX[3]) * v.scale + v.offsetX;
        const long double y = -static_cast<long double>(s.pivotY[3]) * v.scale + v.offsetY;
        const int ix = toInt(x), iy = toInt(y);
        c.setPenColour(colours::black);
        c.setPenWidth(1);
        c.line(ix, iy - 40, ix, iy + 41);
        c.line(ix - 6, iy, ix + 7, iy);
        c.textOut(ix + 3, iy + 28, angle == 0.0f ? "front dead centre" : "back dead centre");
    }
}

void drawScaleBar(Canvas& c, const ScalePlan& plan, const ScaleRequest& r, int x, int y) {
    const double units = scaleBarUnits(plan);
    const int length = toInt(units * plan.pixelsPerUnit);
    c.setPenColour(colours::black);
    c.setPenWidth(1);
    c.line(x, y, x + length + 1, y);
    for (int k = 0; k <= 10; ++k) {
        const int tx = x + toInt(k * units / 10 * plan.pixelsPerUnit);
        c.line(tx, y - (k % 5 == 0 ? 8 : 4), tx, y + 1);
    }
    c.textOut(x - 2, y + 4, "0");
    const std::string end = trimmedNumber(units) + " " + r.unitText.toStdString();
    c.textOut(x + length - 4, y + 4, end);
    c.textOut(x, y - 22, "Scale " + r.ratioText.toStdString() + ", design length unit " + r.unitText.toStdString());
}

}  // namespace

int paintToScale(QPagedPaintDevice& device, const Model& live, const RenderState& st, const ScaleRequest& r,
                 const TitleBlock& title) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                     QPageLayout::Millimeter));
    const QRectF paper = device.pageLayout().paintRect(QPageLayout::Millimeter);
    const double tileWmm = paper.width() - 2 * kSideBandMm;
    const double tileHmm = paper.height() - kTopBandMm - kBottomBandMm;
    const std::optional<ScalePlan> plan =
        planToScale(gearExtent(live, live.revArmPos), r.unitMm, r.ratio, tileWmm, tileHmm);
    if (!plan) return 0;

    QPainter p;
    if (!p.begin(&device)) return 0;
    // The painter draws in picture pixels (1/96 inch) from the printable
    // area's corner.
    const double toDevice = device.logicalDpiX() / 96.0;
    p.scale(toDevice, device.logicalDpiY() / 96.0);
    const int pageW = toInt(px(paper.width())), pageH = toInt(px(paper.height()));
    QtPainterCanvas page(p, pageW, pageH);
    const QRectF tile(px(kSideBandMm), px(kTopBandMm), plan->tileWidth, plan->tileHeight);

    int sheet = 0;
    for (int row = 0; row < plan->rows; ++row) {
        for (int col = 0; col < plan->columns; ++col) {
            if (sheet++ > 0) device.newPage();
            // The gear's tile: the drawing without the readouts, in the
            // sheet's own view, cut at the tile's edges.
            Model m = live;
            m.screenDataOn = false;
            const ViewSetting v = sheetView(*plan, col, row);
            m.viewScale = v.scale;
            m.viewOffsetX = v.offsetX;
            m.viewOffsetY = v.offsetY;
            pivotsToScreen(m);
            computeOutlines(m);
            p.save();
            p.translate(tile.topLeft());
            p.setClipRect(QRectF(QPointF(0, 0), tile.size()));
            {
                QtPainterCanvas canvas(p, toInt(tile.width()), toInt(tile.height()));
                drawMechanism(m, st, canvas);
                drawDeadCentreMarks(canvas, m, v);
            }
            p.restore();

            // Crop marks outside each corner of the tile, on both edges.
            page.setPenColour(colours::black);
            page.setPenWidth(1);
            const int l = toInt(tile.left()), t = toInt(tile.top()), rr = toInt(tile.right()), b = toInt(tile.bottom());
            const int mark = toInt(px(kCropMarkMm));
            for (const int x : {l, rr}) {
                page.line(x, t - mark, x, t - 1);
                page.line(x, b + 2, x, b + mark + 1);
            }
            for (const int y : {t, b}) {
                page.line(l - mark, y, l - 1, y);
                page.line(rr + 2, y, rr + mark + 1, y);
            }
            page.textOut(l, 2, "Sheet " + std::to_string(sheet) + " of " + std::to_string(plan->sheets()) +
                                   ": column " + std::to_string(col + 1) + " of " + std::to_string(plan->columns) +
                                   ", row " + std::to_string(row + 1) + " of " + std::to_string(plan->rows) +
                                   "; trim at the marks");
            drawScaleBar(page, *plan, r, l + 4, b + toInt(px(14)));
            drawTitleBlock(page, title, pageW, pageH);
        }
    }
    p.end();
    return sheet;
}

QString writeToScalePdf(const QString& path, const Model& m, const RenderState& st, const ScaleRequest& r,
                        const TitleBlock& title) {
    // Made whole in memory, then written by the one writer of every file: a
    // full disk leaves any old file as it was.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int sheets = 0;
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Tevrane Outside Admission"));
        pdf.setTitle(QStringLiteral("Tevrane Outside Admission to scale"));
        pdf.setResolution(600);
        sheets = paintToScale(pdf, m, st, r, title);
    }
    buffer.close();
    if (sheets == 0)
        return QStringLiteral("The gear cannot be laid out at that scale (no size, or more than 400 sheets)");
    const std::string failure = writeFileAtomically(
        QFile::encodeName(path).toStdString(),
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
    return QString::fromStdString(failure);
}

bool askPrintKind(QWidget* parent, bool& toScale, ScaleRequest& r, LengthUnit designUnit) {
    useDesignUnit(r, designUnit);
    QDialog d(parent);
    d.setWindowTitle(QStringLiteral("Print"));
    auto* form = new QFormLayout(&d);
    auto* fitted = new QRadioButton(QStringLiteral("Fitted to the page"), &d);
    auto* scaled = new QRadioButton(QStringLiteral("To scale, on as many sheets as needed"), &d);
    fitted->setChecked(!toScale);
    scaled->setChecked(toScale);
    auto* ratio = new QComboBox(&d);
    ratio->addItems({QStringLiteral("1:1"), QStringLiteral("1:2"), QStringLiteral("1:4"), QStringLiteral("1:8"),
                     QStringLiteral("2:1")});
    ratio->setCurrentText(r.ratioText);
    // The gear is measured in the design's own unit: a design in
    // millimetres prints a millimetre of it as a millimetre at 1:1.
    auto* unit = new QLabel(r.unitText + QStringLiteral(" (") + QString::fromUtf8(unitName(designUnit)) +
                                QStringLiteral(", the design's)"),
                            &d);
    unit->setObjectName(QStringLiteral("DesignUnit"));
    form->addRow(fitted);
    form->addRow(scaled);
    form->addRow(QStringLiteral("Scale (paper : gear)"), ratio);
    form->addRow(QStringLiteral("Design length unit"), unit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    form->addRow(buttons);
    if (d.exec() != QDialog::Accepted) return false;
    toScale = scaled->isChecked();
    r.ratioText = ratio->currentText();
    r.ratio = parseScaleRatio(r.ratioText.toStdString()).value_or(1.0);
    return true;
}

void printToScaleWithPreview(QWidget* parent, const Model& m, const RenderState& st, const ScaleRequest& r,
                             const TitleBlock& title) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Tevrane Outside Admission to scale"));
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) { paintToScale(*target, m, st, r, title); });
    dialog.exec();
}

}  // namespace tevrane
