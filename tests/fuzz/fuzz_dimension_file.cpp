// Fuzz target of the dimension data file: any bytes are opened as a design
// the way the main window opens a file (the checks, the limits and the
// reverse-arm bar that follow a load), then the design is solved and drawn:
// animation ticks (solver, screen conversion, outlines), the pictures of
// the mechanism and the port events diagram, each on a recording canvas.
// Every 1400-byte pattern is a valid file, so NaNs, infinities, huge values
// and denormals all arrive here; none may crash, hang or be undefined.
//
// A byte after the design (the file reader ignores it) picks the display
// options, so hostile designs meet the steam display, the wide pen and every
// graph of the diagram too.
#include <cstddef>
#include <cstdint>
#include <span>

#include "diagrams/core/PortsPlot.h"
#include "files/DimensionFile.h"
#include "main/core/MainController.h"
#include "main/core/Renderer.h"
#include "platform/RecordingCanvas.h"

using namespace tevrane;

namespace {
// The program as it stands when the user first opens a file: started, and
// solved once.
const Model& startedModel() {
    static const Model m = [] {
        Model s;
        initModel(s);
        Panel p;
        initPanel(s, p);
        MainController c(s, p);
        c.tick();
        return s;
    }();
    return m;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Model m = startedModel();
    Panel p;
    initPanel(m, p);
    MainController c(m, p);

    if (!decodeDimensions(m, {data, size}).ok) return 0;
    c.dimensionsLoaded();

    if (size > kDimensionFileSize) {
        const std::uint8_t options = data[kDimensionFileSize];
        m.steamDisplay = options & 1;
        m.screenDataOn = !(options & 2);
        m.lineWidth = options & 4 ? 2 : 1;
        m.pivotDataOn = options & 8;
        m.portGraphMode = "FRBB"[(options >> 4) & 3];
    }

    // A few animation frames, so what the picture carries from frame to
    // frame (cut-off readouts, the error flash) runs on the design too.
    RecordingHost host;
    RenderState state;
    for (int frame = 0; frame < 3; ++frame) {
        c.tick();
        RecordingCanvas picture;
        runFrame(m, state, picture, host, FrameClock{"01/01/2026", "12:00:00"});
    }

    RecordingCanvas ports;
    drawPorts(m, ports, true, advanceUndoLine(m));
    return 0;
}
