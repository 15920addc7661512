// The port events diagram without its window: for 19 reverse-arm settings
// from mid gear out to the maximum travel the driver is swept through a full
// turn, and the piston positions at which each port edge opens and closes are
// joined row to row. Draws on any Canvas, so it runs without a window.
#pragma once

#include <array>
#include <optional>

#include "diagrams/core/DiagramPanel.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "platform/Canvas.h"

namespace tevrane {

// The eight port events in the order they are tested at every sample.
enum class PortEvent : int {
    FrontAdmission = 0,    // front steam edge opens
    FrontRelease = 1,      // front exhaust edge opens
    RearAdmission = 2,     // rear steam edge opens
    RearRelease = 3,       // rear exhaust edge opens
    FrontCutOff = 4,       // front steam edge closes
    FrontCompression = 5,  // front exhaust edge closes
    RearCutOff = 6,        // rear steam edge closes
    RearCompression = 7,   // rear exhaust edge closes
};
inline constexpr int kPortEventCount = 8;

// What one sample of the sweep reads from the solver.
struct PortSample {
    double piston = 0;  // 0..640 over the stroke
    double frontSteam = 0;
    double frontExhaust = 0;
    double rearSteam = 0;
    double rearExhaust = 0;
    bool clamped = false;  // the solver had to mend the linkage here
};

// Reads the piston position and the four openings the solver left in the model.
PortSample samplePorts(const Model& m);
PortSample samplePorts(const GearSolution& g);

// An opening that was lapped (< 0) and now is open or exactly on the edge.
bool isRisingEdge(double previous, double current);
// An opening that was open (> 0) and now is closed or exactly on the edge.
bool isFallingEdge(double previous, double current);

// Piston position where the opening crosses zero, interpolated linearly between
// the previous sample and this one. Never NaN or infinite: without a usable
// crossing it gives the current position.
double crossingPosition(double pistonPrevious, double piston, double openingPrevious, double opening);

// The events between two samples, each with the interpolated piston position
// of its crossing; kinds that did not occur are empty.
using PortEvents = std::array<std::optional<double>, kPortEventCount>;
PortEvents detectPortEvents(const PortSample& previous, const PortSample& current);

// Front-port events are measured from the left edge of the grid, rear-port
// ones from the right: 540 pixels span the full stroke.
bool isFrontEvent(PortEvent e);
int eventPixelX(PortEvent e, double position);

// Window rows: row i (0..18) of a graph lies at y 343 - 16 i.
int portRowY(int row);
// The normal-travel line's height (it lies on no row in general).
int normalTravelY(const Model& m);

// The line one event kind draws from its previous event to a new one: from
// the previous event's x at the height of the row before to the new x at this
// row's height. The first event of a kind in a pass draws nothing.
struct PortSegment {
    PortEvent kind;
    IPoint from, to;
};
class PortEventTrail {
public:
    std::optional<PortSegment> add(PortEvent e, int row, int x);

private:
    std::array<std::optional<int>, kPortEventCount> lastX_{};
};

// Colour of an event's line in the forward and in the reverse graph.
Colour portEventColour(PortEvent e, bool reverse);

// Frame, grid, labels, the vertical title and the legend of one graph.
void drawPortsFrame(const Model& m, Canvas& c, bool reverse);

// The front-port cycle sketch drawn around row 13, from the pixel positions of
// its four events on that row (unrounded). Parts whose events were not seen on
// row 13 are left out.
struct PortAnnotation {
    std::optional<double> admission, cutOff, release, compression;
};
void drawPortAnnotation(Canvas& c, const PortAnnotation& a);

// The samples of one graph: 19 reverse-arm settings from mid gear out to the
// maximum travel (forwards or backwards), each swept through 91 driver
// angles 4 degrees apart from the first step past 0, turning the way the
// engine runs in that gear.
inline constexpr int kPortRows = 19;
inline constexpr int kPortSamples = 91;
struct PortSweep {
    std::array<float, kPortRows> revArm{};
    std::array<std::array<PortSample, kPortSamples>, kPortRows> samples{};
};
// Solves the rows on a copy of the engine. The rows are independent, so they
// are shared out between the free cores; the result is the same however they
// were shared.
PortSweep sweepPorts(const Engine& e, float revArmCentre, bool reverse);
// Both graphs at once, the forward one and the reverse one side by side.
std::array<PortSweep, 2> sweepPortsBoth(const Engine& e, float revArmCentre);
// The settings (rows) of a sweep at which some sample had to be mended.
int clampedRows(const PortSweep& s);

// One graph ('F' forward, 'R' reverse) drawn over what is there: frame, the
// 19 rows, the annotation when asked for, then the shared panel and undo line.
// The sweep solves on its own copy of the engine and writes nothing of the
// model's motion or pivots.
DiagramControls drawPortsPass(Model& m, Canvas& c, char mode, bool annotate);
// The same from a sweep already made.
DiagramControls drawPortsPass(Model& m, Canvas& c, const PortSweep& sweep, bool reverse,
                              bool annotate);

// A whole redraw for m.portGraphMode: 'B' clears and draws the forward graph
// with its annotation and then the reverse graph over it; 'F' and 'R' draw one
// graph, after clearing when clearFirst is set.
DiagramControls drawPorts(Model& m, Canvas& c, bool clearFirst);

}  // namespace tevrane
