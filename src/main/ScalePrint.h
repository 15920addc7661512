// Printing the gear to scale: the gear at a chosen ratio to the design's own
// length, tiled over as many A4 sheets as it needs, each with crop marks at
// its tile's corners, the sheet's place in the set, a scale bar, the two
// dead-centre marks of the crosshead and the title block, so the sheets can
// be trimmed, joined and laid on the frames as a template.
#pragma once

#include <QString>

#include "main/core/Renderer.h"
#include "main/core/TitleBlock.h"
#include "model/Model.h"

class QPagedPaintDevice;
class QWidget;

namespace tevrane {

struct ScaleRequest {
    double ratio = 1.0;   // paper length over true length
    double unitMm = 25.4; // millimetres in one unit of the design's length
    QString ratioText = QStringLiteral("1:1");
    QString unitText = QStringLiteral("in");
};

// The design's unit as the sheets measure and name it.
inline void useDesignUnit(ScaleRequest& r, LengthUnit u) {
    r.unitMm = u == LengthUnit::Millimetre ? 1.0 : kMillimetresPerInch;
    r.unitText = QString::fromUtf8(unitSymbol(u));
}

// Draws the sheets on a device already set to A4 portrait (the device's
// page layout is set here). Returns the number of sheets, 0 when the plan
// makes no sense or would need too many.
int paintToScale(QPagedPaintDevice& device, const Model& m, const RenderState& st, const ScaleRequest& r,
                 const TitleBlock& title);

// The same as a PDF file, written whole or not at all; "" or the reason.
QString writeToScalePdf(const QString& path, const Model& m, const RenderState& st, const ScaleRequest& r,
                        const TitleBlock& title);

// The main window's choice between a print fitted to the page and one to
// scale (with its ratio; the length unit is the design's, shown); false when
// cancelled.
bool askPrintKind(QWidget* parent, bool& toScale, ScaleRequest& r, LengthUnit designUnit);

// The to-scale sheets under a print preview.
void printToScaleWithPreview(QWidget* parent, const Model& m, const RenderState& st, const ScaleRequest& r,
                             const TitleBlock& title);

}  // namespace tevrane
