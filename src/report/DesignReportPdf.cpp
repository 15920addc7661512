#include "report/DesignReportPdf.h"

#include <QBuffer>
#include <QFile>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <span>

#include "files/FileAccess.h"
#include "platform/QtClock.h"
#include "platform/QtPainterCanvas.h"

namespace tevrane {

ReportPaper localePaper() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? kLetterPaper : kA4Paper;
}

bool designReportPdf(const Model& m, const ReportRequest& request, QByteArray& bytes, int* pageCount) {
    const ReportContent content = designReportContent(m, request);
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return false;
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("Tevrane Outside Admission"));
    pdf.setTitle(QString::fromStdString("Design report: " + content.design));
    const bool letter = std::string_view(request.paper.name) == kLetterPaper.name;
    if (!pdf.setPageLayout(QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Landscape,
                                       QMarginsF(0, 0, 0, 0))))
        return false;
    QPainter p;
    if (!p.begin(&pdf)) return false;
    // The device's pixels to a picture pixel (1/96 inch).
    const double scale = double(pdf.width()) / request.paper.width;
    p.scale(scale, scale);
    QtPainterCanvas measure(p, request.paper.width, request.paper.height);
    const std::vector<ReportPage> pages = layoutReport(content, request.paper, measure);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !pdf.newPage()) return false;
        {
            QtPainterCanvas canvas(p, request.paper.width, request.paper.height);
            drawReportPage(canvas, pages[i], request.paper);
        }
        for (const PlacedPicture& pic : pages[i].pictures) {
            p.save();
            p.translate(pic.left, pic.top);
            p.scale(double(pic.width) / pic.picture.width, double(pic.height) / pic.picture.height);
            QtPainterCanvas canvas(p, pic.picture.width, pic.picture.height);
            pic.picture.draw(canvas);
            p.restore();
        }
    }
    if (!p.end()) return false;
    buffer.close();
    if (pageCount) *pageCount = static_cast<int>(pages.size());
    return !bytes.isEmpty();
}

QString writeDesignReport(const QString& path, const Model& m, const std::string& file) {
    ReportRequest request;
    request.file = file;
    request.date = QtClock().shortDate();
    request.paper = localePaper();
    QByteArray bytes;
    if (!designReportPdf(m, request, bytes)) return QStringLiteral("The report could not be made");
    const std::string failure = writeFileAtomically(
        QFile::encodeName(path).toStdString(),
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
    return QString::fromStdString(failure);
}

}  // namespace tevrane
