// The steam diagram without its window: a simulated indicator diagram,
// cylinder pressure against piston travel for the front and the rear end, one
// closed curve for each reverse-arm position the user picked. The pressure is
// a simple step model, not thermodynamics: each end is in one of four phases
// chosen by the port openings, and each phase changes the pressure by a fixed
// rule per 4-degree step of the driver. Draws on any Canvas.
//
// The main window's steam display (main/core/SteamDisplay.h) already owns the
// name drawSteam; this plot is drawSteamDiagram.
#pragma once

#include <optional>
#include <vector>

#include "diagrams/core/DiagramPanel.h"
#include "diagrams/core/PortsPlot.h"
#include "model/Model.h"
#include "platform/Canvas.h"

namespace tevrane {

// Pressure cap of admission and floor of blow-down, in model units.
inline constexpr float kSteamMaxPressure = 303.0f;
inline constexpr float kSteamMinPressure = 5.0f;

// ---- the pressure rules (x piston position, xp the previous one) ------------
// Every rule keeps the pressure in single precision, as the state holds it.
float blowDown(float p, float releasePressure);
float frontCompression(float p, float xp, float x);
float rearCompression(float p, float xp, float x);
float frontAdmission(float p, float steamOpening, float x);
float rearAdmission(float p, float steamOpening, float x);
float frontExpansion(float p, float xp, float x);
float rearExpansion(float p, float xp, float x);

// Window pixels of a piston position and of a pressure.
int steamPixelX(double piston);
int steamPixelY(double pressure);

// Phases of one cylinder end, as the characters the state holds.
enum class SteamPhase : char { Exhaust = '1', Compression = '2', Admission = '3', Expansion = '4' };

// One end of the cylinder.
struct CylinderEnd {
    float pressure = 0;
    float previousPressure = 0;
    float releasePressure = 0;
    SteamPhase phase = SteamPhase::Exhaust;
    bool labelWritten = false;  // the curve number of this cycle is out
    float previousSteam = 0;    // steam opening of the previous step
    // Piston position of the last cut-off found in this curve, not yet listed.
    std::optional<float> cutOffPiston;
};

// The model that runs through all positions of one drawing: the state is not
// reset between positions, so each curve starts where the last one left the
// cylinder.
class SteamCycle {
public:
    SteamCycle();

    // A new position: the curve counter counts on and both ends may label
    // their curve again.
    void startCurve();
    // Step r (1..150) of the current curve with the solver's sample at it:
    // both phase steps, the two plot steps (from the second step of the
    // drawing on; lines only past the settling steps 1..60), then the sample
    // becomes the previous one.
    void step(const PortSample& s, int r, Canvas& c);
    // The end of the current curve: each end's cut-off entry in the list,
    // from the last cut-off it met in this curve (settling steps included).
    // Every cut-off lands on the same entry of the list, so an entry is
    // written once with the figure that stays: text goes onto the surface
    // without a background, and figures written over each other would be
    // unreadable.
    void finishCurve(Canvas& c);

    const CylinderEnd& front() const { return front_; }
    const CylinderEnd& rear() const { return rear_; }
    float previousPiston() const { return previousPiston_; }
    int curve() const { return curve_; }

private:
    void plotEnd(bool isFront, CylinderEnd& end, float x, float steam, int r, Canvas& c);
    void writeCutOff(bool isFront, CylinderEnd& end, Canvas& c);

    CylinderEnd front_, rear_;
    float previousPiston_ = 0;
    int curve_ = 0;
};

// Steps per position, of which the first ones only settle the model.
inline constexpr int kSteamSteps = 150;
inline constexpr int kSteamSettlingSteps = 60;
inline constexpr float kSteamStartAngle = 96.0f;

// The positions drawn: 1 to revArmSetCount (never more than nine).
std::vector<float> steamPositions(const Model& m);
// Whether the driver runs forward at a position (at or above the centre).
bool steamRunsForward(float position, float centre);

// The solver's samples of every step of every position, in order, from the
// engine alone (the solver is pure): the driver starts at 96 degrees and is
// never reset between positions.
std::vector<PortSample> sweepSteam(const Engine& e, float centre, const std::vector<float>& positions);
// The positions of such a sweep at which some step had to be mended.
int clampedPositions(const std::vector<PortSample>& samples);

// The piston travel grid (nine rows of short and tall ticks, one tall tick
// per 10 percent of stroke) and its percent labels "100" .. "10" at row y,
// shared with the oval diagram.
void drawPistonGrid(Canvas& c);
void drawPistonPercentLabels(Canvas& c, int y);

// Grid, axes, vertical title, axis labels and the position list's headings
// and centre line. The list's lines are the shared ones of PositionList.h,
// written as each curve starts.
void drawSteamFrame(const Model& m, Canvas& c);

// The whole diagram over what is there (the window clears first): frame, the
// curves, cut-off list and curve labels, then the shared panel and undo line.
// Solves from the engine alone, on a second core ahead of the drawing; the
// live motion, pivots and solver results stay as they were.
DiagramControls drawSteamDiagram(Model& m, Canvas& c);

}  // namespace tevrane
