// "&OpenDimensions" and "Save&AsDimensions": the file dialogs, the file
// system and the messages. The bytes are the dimension file's own business
// (files/DimensionFile); what a load changes besides the dimensions is the
// controller's (dimensionsLoaded). Then "&Export..." and "&Print..." of the
// picture.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "files/DimensionFile.h"
#include "files/FileAccess.h"
#include "main/Main.h"
#include "report/DesignReportPdf.h"
#include "main/ScalePrint.h"
#include "main/core/FitView.h"
#include "main/core/TitleBlock.h"
#include "main/core/Renderer.h"
#include "platform/Clock.h"
#include "platform/QtCanvas.h"
#include "platform/QtPictureExport.h"

namespace tevrane {

namespace {

// The open filter has a blank before its first separator, the save filter none.
const QString kOpenFilters = QStringLiteral("Data File (*.dtv) ;;All Files (*.*)");
const QString kSaveFilters = QStringLiteral("Data File (*.dtv);;All Files (*.*)");

}  // namespace

QString TMainForm::openDimensionsFile(const QString& path) {
    // A folder, a pipe or a device is refused without waiting on it, and no
    // more of a file is read than a design can hold.
    const FileHead file = readFileHead(QFile::encodeName(path).toStdString(), kDesignReadLimit);
    if (!file.failure.empty()) return QString::fromStdString(file.failure);
    // The whole file is checked before any field is stored: a failed open
    // leaves every dimension and the file name as they were.
    const DecodeResult r = decodeDimensions(m_, file.bytes);
    if (!r.ok) return QString::fromStdString(r.message);
    m_.currentFileName = displayFileName(QDir::toNativeSeparators(path).toStdString());
    c_.dimensionsLoaded();
    if (onLinesRowsChanged) onLinesRowsChanged();
    return {};
}

QString TMainForm::saveDimensionsFile(const QString& path) {
    // Written beside the old file and put in its place only when complete, so
    // a failed save leaves any old file as it was, and the captions keep the
    // old name.
    const std::string failure = writeFileAtomically(QFile::encodeName(path).toStdString(), encodeDimensions(m_));
    if (!failure.empty()) return QString::fromStdString(failure);
    m_.currentFileName = displayFileName(QDir::toNativeSeparators(path).toStdString());
    return {};
}

void TMainForm::showFileError(const QString& message) {
    QMessageBox::critical(this, QStringLiteral("Tevrane Outside Admission"), message);
}

void TMainForm::OpenDimensionsClick() {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(kOpenFilters);
    dialog.setDefaultSuffix(QStringLiteral("dtv"));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (onLinesValuesCleared) onLinesValuesCleared();
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString error = openDimensionsFile(dialog.selectedFiles().front());
        if (!error.isEmpty()) showFileError(error);
    }
    // Also after a cancel, the draw-lines window shows its data again.
    if (onLinesDataRefresh) onLinesDataRefresh();
    syncFromPanel();
}

void TMainForm::SaveAsDimensionsClick() {
    QFileDialog dialog(this, QStringLiteral("Save As....."));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(kSaveFilters);
    dialog.setDefaultSuffix(QStringLiteral("dtv"));
    // Qt asks before an existing file is replaced.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString error = saveDimensionsFile(dialog.selectedFiles().front());
    if (!error.isEmpty()) showFileError(error);
}

QString TMainForm::compareWithFile(const QString& path) {
    // Read as a design is opened, into a model of its own: the live design
    // and its file name stay as they are, also when the read fails.
    const FileHead file = readFileHead(QFile::encodeName(path).toStdString(), kDesignReadLimit);
    if (!file.failure.empty()) return QString::fromStdString(file.failure);
    Model reference;
    initModel(reference);
    const DecodeResult r = decodeDimensions(reference, file.bytes);
    if (!r.ok) return QString::fromStdString(r.message);
    afterDimensionsLoaded(reference);
    c_.compareWith(reference, reference.revArmCentre(),
                   displayFileName(QDir::toNativeSeparators(path).toStdString()));
    return {};
}

void TMainForm::CompareWithClick() {
    QFileDialog dialog(this, QStringLiteral("Compare with....."));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(kOpenFilters);
    dialog.setDefaultSuffix(QStringLiteral("dtv"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString error = compareWithFile(dialog.selectedFiles().front());
        if (!error.isEmpty()) showFileError(QStringLiteral("The design to compare with cannot be read: ") + error);
    }
    syncFromPanel();
}

namespace {
// The frame on the screen now: the model and frame state as they were when
// it was drawn, the animation ticks on behind the dialogs, so they are kept
// apart from the moment the item is chosen. The gear is fitted to the
// picture above its title block, which names the design and the setting.
DrawPicture frameAsDrawn(const Model& live, const RenderState& st, QSize size, const std::string& date) {
    Model m = live;
    fitForPicture(m, size.width(), size.height(), kTitleBlockHeight);
    const TitleBlock title = titleBlockOf(m, date);
    return [m, st, title, size](Canvas& c) {
        drawMechanism(m, st, c);
        drawTitleBlock(c, title, size.width(), size.height());
    };
}
// As `tevrane --export mechanism` writes a PNG; printing scales it to the page.
const QSize kExportSize = kScreenPictureSize;
}  // namespace

void TMainForm::ExportPictureClick() {
    const QString name = m_.currentFileName.empty() ? QStringLiteral("tevrane")
                                                    : QString::fromStdString(m_.currentFileName);
    // The gear as it is now, fitted to a PNG of a screen's proportions or to
    // the page of an SVG or PDF drawing, as `tevrane --export mechanism` does.
    const Model m = m_;
    const RenderState st = renderState_;
    const std::string date = clock_.shortDate();
    exportPictureWithDialog(this, name, [m, st, date](PictureFormat format) {
        const QSize size = format == PictureFormat::Png ? kScreenPictureSize : kPagePictureSize;
        return SizedPicture{size, frameAsDrawn(m, st, size, date)};
    });
}

void TMainForm::PrintPictureClick() {
    // The frame as it is now, whichever way it is printed.
    const Model m = m_;
    const RenderState st = renderState_;
    const std::string date = clock_.shortDate();
    if (!askPrintKind(this, printToScale_, scaleRequest_, m.lengthUnit)) return;
    if (printToScale_)
        printToScaleWithPreview(this, m, st, scaleRequest_, titleBlockOf(m, date));
    else
        printPictureWithPreview(this, kExportSize, frameAsDrawn(m, st, kExportSize, date));
}

void TMainForm::DesignReportClick() {
    // The design as it is when the item is chosen; the animation ticks on
    // behind the dialog.
    const Model m = m_;
    const QString name = m.currentFileName.empty() ? QStringLiteral("tevrane-report")
                                                   : QString::fromStdString(m.currentFileName) + QStringLiteral(" report");
    QFileDialog dialog(this, QStringLiteral("Design report"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF Document (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(name + QStringLiteral(".pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error = writeDesignReport(dialog.selectedFiles().front(), m, m.currentFileName);
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty()) showFileError(error);
}

}  // namespace tevrane
