// Pictures out of the program: the main picture or a diagram saved as a PNG
// image, an SVG drawing or a PDF document, or printed. The picture comes as a
// drawing on a Canvas: a PNG is the screen's pixels (QtCanvas), SVG, PDF and
// the printer get the same lines and texts as shapes (QtPainterCanvas).
#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <optional>

#include "platform/Canvas.h"

class QPrinter;
class QWidget;

namespace tevrane {

enum class PictureFormat { Png, Svg, Pdf };

// The format a file name asks for by its suffix (.png, .svg, .pdf, in any
// case); empty for any other name.
std::optional<PictureFormat> pictureFormatOf(const QString& path);

// Draws the whole picture on a canvas that is white to begin with.
using DrawPicture = std::function<void(Canvas&)>;

// Writes the picture of `size` pixels to `path` in the format of its suffix.
// The picture is made in memory, then written beside its place and put there
// only when complete (writeFileAtomically), so a failed export leaves any old
// file as it was. False, with the reason in
// `error` when given, if the suffix is unknown or anything failed on the way.
bool exportPicture(const QString& path, QSize size, const DrawPicture& draw, QString* error = nullptr);

// Draws the picture on the printer's page, scaled to fit its printable area
// and kept in proportion, at the top left. False when the printer could not
// be started.
bool printPicture(QPrinter& printer, QSize size, const DrawPicture& draw);

// What a window's "Export..." and "Print..." items do: the file dialog
// (PNG, SVG and PDF filters; a name without a known suffix gets the chosen
// filter's) and the export, saying in a message box what went wrong; and the
// print preview dialog with its printing. `name` is the suggested file name
// without suffix.
void exportPictureWithDialog(QWidget* parent, const QString& name, QSize size, const DrawPicture& draw);
// The same for a picture whose size depends on the format chosen in the
// dialog: a PNG of a screen's proportions, a page for SVG and PDF.
struct SizedPicture {
    QSize size;
    DrawPicture draw;
};
using PictureForFormat = std::function<SizedPicture(PictureFormat)>;
void exportPictureWithDialog(QWidget* parent, const QString& name, const PictureForFormat& pictureFor);

// The sizes a picture of the whole gear is made at: a PNG of a wide screen's
// proportions, and for SVG and PDF an A4 page across (297 x 210 mm at 96
// pixels an inch), so the drawing is a page of a report as it stands.
inline const QSize kScreenPictureSize{1600, 1000};
inline const QSize kPagePictureSize{1123, 794};
void printPictureWithPreview(QWidget* parent, QSize size, const DrawPicture& draw);

}  // namespace tevrane
