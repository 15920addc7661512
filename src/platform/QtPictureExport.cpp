#include "platform/QtPictureExport.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>
#include <array>

#include "files/FileAccess.h"
#include "platform/QtCanvas.h"
#include "platform/QtPainterCanvas.h"

namespace tevrane {

namespace {

const QString kProgramName = QStringLiteral("Tevrane Outside Admission");

struct FormatName {
    PictureFormat format;
    const char* suffix;
    const char* filter;
};
constexpr std::array<FormatName, 3> kFormats = {{
    {PictureFormat::Png, "png", "PNG Image (*.png)"},
    {PictureFormat::Svg, "svg", "SVG Drawing (*.svg)"},
    {PictureFormat::Pdf, "pdf", "PDF Document (*.pdf)"},
}};

// The picture on a painter's device, white first, scaled by the largest
// factor that fits `area` and kept in proportion, at the area's top left.
bool drawScaled(QPainter& p, const QRectF& area, QSize size, const DrawPicture& draw) {
    if (!p.isActive() || size.isEmpty() || area.isEmpty()) return false;
    const double scale = std::min(area.width() / size.width(), area.height() / size.height());
    p.save();
    p.translate(area.topLeft());
    p.scale(scale, scale);
    QtPainterCanvas canvas(p, size.width(), size.height());
    canvas.clear(colours::white);
    draw(canvas);
    p.restore();
    return true;
}

bool writePng(QIODevice& file, QSize size, const DrawPicture& draw) {
    QImage image = QtCanvas::whiteImage(size.width(), size.height());
    {
        // The canvas finishes its pixels when it goes out of scope.
        QtCanvas canvas(image);
        draw(canvas);
    }
    return image.save(&file, "PNG");
}

bool writeSvg(QIODevice& file, QSize size, const DrawPicture& draw) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);  // the screen's: a picture pixel is a CSS pixel
    svg.setTitle(kProgramName);
    QPainter p;
    if (!p.begin(&svg)) return false;
    drawScaled(p, QRectF(QPointF(0, 0), QSizeF(size)), size, draw);
    return p.end();
}

bool writePdf(QIODevice& file, QSize size, const DrawPicture& draw) {
    QPdfWriter pdf(&file);
    pdf.setCreator(kProgramName);
    pdf.setTitle(kProgramName);
    // One page the size the picture has on a 96 dpi screen, without margins.
    const QSizeF points(size.width() * 0.75, size.height() * 0.75);
    if (!pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch)))
        return false;
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p;
    if (!p.begin(&pdf)) return false;
    drawScaled(p, QRectF(0, 0, pdf.width(), pdf.height()), size, draw);
    return p.end();
}

}  // namespace

std::optional<PictureFormat> pictureFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const FormatName& f : kFormats)
        if (suffix == QLatin1String(f.suffix)) return f.format;
    return std::nullopt;
}

bool exportPicture(const QString& path, QSize size, const DrawPicture& draw, QString* error) {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const std::optional<PictureFormat> format = pictureFormatOf(path);
    if (!format) return fail(QStringLiteral("Unknown picture format (the name must end in .png, .svg or .pdf)"));
    if (size.isEmpty()) return fail(QStringLiteral("The picture is empty"));

    // The picture is made in memory whole, then written by the one writer of
    // every file: a full disk or a failed writer leaves the old file as it was.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool written = false;
    switch (*format) {
        case PictureFormat::Png: written = writePng(buffer, size, draw); break;
        case PictureFormat::Svg: written = writeSvg(buffer, size, draw); break;
        case PictureFormat::Pdf: written = writePdf(buffer, size, draw); break;
    }
    buffer.close();
    if (!written || bytes.isEmpty()) return fail(QStringLiteral("The picture could not be made"));
    const std::string failure = writeFileAtomically(
        QFile::encodeName(path).toStdString(),
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
    if (!failure.empty()) return fail(QString::fromStdString(failure));
    return true;
}

bool printPicture(QPrinter& printer, QSize size, const DrawPicture& draw) {
    QPainter p;
    if (!p.begin(&printer)) return false;
    // The painter's origin is the corner of the printable area.
    const bool drawn = drawScaled(p, QRectF(0, 0, printer.width(), printer.height()), size, draw);
    return p.end() && drawn;
}

void exportPictureWithDialog(QWidget* parent, const QString& name, QSize size, const DrawPicture& draw) {
    exportPictureWithDialog(parent, name, [&](PictureFormat) { return SizedPicture{size, draw}; });
}

void exportPictureWithDialog(QWidget* parent, const QString& name, const PictureForFormat& pictureFor) {
    QFileDialog dialog(parent, QStringLiteral("Export Picture"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const FormatName& f : kFormats) filters << QLatin1String(f.filter);
    dialog.setNameFilters(filters);
    auto suffixOf = [](const QString& filter) {
        for (const FormatName& f : kFormats)
            if (filter == QLatin1String(f.filter)) return QString::fromLatin1(f.suffix);
        return QString::fromLatin1(kFormats.front().suffix);
    };
    // A name typed without its suffix gets that of the chosen filter.
    dialog.setDefaultSuffix(suffixOf(filters.front()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, suffixOf](const QString& f) { dialog.setDefaultSuffix(suffixOf(f)); });
    dialog.selectFile(name + QStringLiteral(".png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString path = dialog.selectedFiles().front();
    if (!pictureFormatOf(path)) path += QLatin1Char('.') + suffixOf(dialog.selectedNameFilter());
    QString error;
    const SizedPicture picture = pictureFor(pictureFormatOf(path).value_or(PictureFormat::Png));
    if (!exportPicture(path, picture.size, picture.draw, &error))
        QMessageBox::critical(parent, kProgramName,
                              QStringLiteral("Cannot export %1: %2").arg(QFileInfo(path).fileName(), error));
}

void printPictureWithPreview(QWidget* parent, QSize size, const DrawPicture& draw) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(size.width() > size.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(kProgramName);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [size, &draw](QPrinter* target) { printPicture(*target, size, draw); });
    dialog.exec();
}

}  // namespace tevrane
