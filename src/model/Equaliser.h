// Tuning a few dimensions until the valve events agree: front and back cut-off
// at the notches, forward and reverse alike, equal leads, a wanted full-gear
// cut-off. NLopt's BOBYQA (bounded, derivative-free) minimises the weighted
// sum of the squared differences over the freed dimensions, with a few
// restarts from inside the bounds, where a local search can stop short.
//
// The notches stay where they were found for the starting design (a real
// quadrant's notches do not move when a rod is lengthened), so the optimiser
// sees a smooth function. A design the solver had to mend anywhere on the
// way (a clamp), or whose port stops cutting off, counts as infeasible:
// never as a good result.
#pragma once

#include <atomic>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "model/Model.h"
#include "model/NotchFinder.h"
#include "model/Sensitivity.h"

namespace tevrane {

// What to equalise, each with its weight (0: not asked for).
struct EqualiseGoals {
    double frontBack = 1.0;       // front and back cut-off alike at each notch
    double forwardReverse = 0.0;  // forward and reverse cut-off alike at the same travel
    double leads = 0.0;           // front and back lead alike at each notch
    double fullGear = 0.0;        // the full-gear cut-off at fullGearTarget
    double fullGearTarget = 0.0;  // percent of stroke
};

// Leads are compared in thousandths of the length unit, so that a lead
// difference of 0.001 counts as much as a cut-off difference of 1 %.
inline constexpr double kLeadScale = 1000.0;

// Where the events are measured: fixed for a whole tuning run.
struct EqualisePlan {
    EqualiseGoals goals;
    float revArmCentre = 0;
    // The notches of the starting design (both senses, mean of the ends).
    std::vector<NotchPoint> notches;
    // The reverse settings at the forward notches' travel mirrored about the
    // centre: forward and reverse are alike when these give what the forward
    // notches give.
    struct Mirror {
        size_t notch = 0;  // the forward notch in `notches`
        float revArm = 0;
    };
    std::vector<Mirror> mirrored;
    // Full travel forward and reverse.
    float fullForward = 0, fullReverse = 0;
};

EqualisePlan makePlan(const Engine& start, float revArmCentre, std::span<const NotchTarget> targets,
                      const EqualiseGoals& goals);

// How well balanced a design is: each asked-for term as the root mean square
// of its differences (percent of stroke; leads in thousandths), and the
// weighted difference sqrt(sum of weight * mean square).
struct Balance {
    double weighted = 0;
    double frontBack = 0, forwardReverse = 0, leads = 0, fullGear = 0;
    bool feasible = true;  // no clamp, every cut-off the plan needs exists
};
Balance balance(const Engine& e, const EqualisePlan& plan);

// A freed dimension and its bounds.
struct FreeDimension {
    int id = 0;
    float low = 0, high = 0;
};
inline constexpr int kMaxFreeDimensions = 6;
inline constexpr double kDefaultBoundFraction = 0.05;
// A dimension of value 0 has no 5 % to go by: it may move this far either way.
inline constexpr float kZeroValueBound = 0.05f;
// Default bounds: +-5 % of the value.
FreeDimension defaultBounds(const Engine& e, int id);
// Whether an id may be freed: the dimensions that move the events.
bool isFreeable(int id);

struct EqualiseOptions {
    int starts = 4;            // the first from the design itself
    int maxEvaluations = 800;  // over all starts
};

struct EqualiseProgress {
    int evaluations = 0;
    int maxEvaluations = 0;
    double best = 0;  // weighted difference of the best feasible design so far
};

struct DimensionChange {
    int id = 0;
    float before = 0, after = 0;
};

struct EqualiseResult {
    std::vector<FreeDimension> free;
    std::vector<DimensionChange> changes;  // every freed dimension, changed or not
    Balance before, after;
    Engine tuned;  // the start with the best values found (the start itself if none was better)
    int evaluations = 0;
    bool cancelled = false;
    // A feasible design better than the start was found.
    bool improved = false;
    std::string message;  // empty, or why nothing could be done
};

// Tunes the free dimensions of `start` against the plan. `cancel`, when
// given, stops the run at the next evaluation; the best design found so far
// is still reported. `progress` is called after every evaluation (on the
// calling thread).
EqualiseResult equalise(const Engine& start, const EqualisePlan& plan, std::span<const FreeDimension> free,
                        const EqualiseOptions& options = {}, const std::atomic<bool>* cancel = nullptr,
                        const std::function<void(const EqualiseProgress&)>& progress = {});

// Writes a result's changed dimensions into the model through the dynamic
// variables, each one undo record of its own (as one bar gesture makes), the
// bars' slots following the new values. Unchanged dimensions record nothing.
void applyChanges(Model& m, std::span<const DimensionChange> changes);

}  // namespace tevrane
