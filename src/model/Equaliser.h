// Tuning a few dimensions until the valve events agree: front and back cut-off
// at the notches, forward and reverse alike, equal leads, a wanted full-gear
// cut-off. NLopt's BOBYQA (bounded, derivative-free) minimises the weighted
// sum of the squared differences over the freed dimensions, with a few
// restarts from inside the bounds, where a local search can stop short.
//
// While the optimiser runs, the notches stay where they were found for the
// starting design (a real quadrant's notches do not move when a rod is
// lengthened), so it sees a smooth function. Its best design then has its
// notches found again, and it is judged there: "75 %" must still give 75 %.
// A design the solver had to mend anywhere on the way (a clamp), whose port
// stops cutting off, or whose lead falls below the least allowed at any of
// the port diagram's settings counts as infeasible: never as a good result.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
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
    // Front and back alike in the work of one stroke at each notch, judged
    // on the theoretical indicator cards at the default working conditions
    // (100 psi gauge chest, atmospheric exhaust, 8 % clearance): equal
    // cut-off can still leave one end doing more work than the other.
    double work = 0.0;
    // The least lead (length units, steam port opening at the end's dead
    // centre; negative: still lapped there) any end may have at any of the
    // port diagram's 19 settings in either sense, and at the design's own
    // notches. Unset: 0, or the starting design's own smallest lead where
    // that is already below 0, so that tuning never makes the lead worse
    // than it was.
    std::optional<double> minLead;
};

// The full-gear cut-off the window and the command line offer first.
inline constexpr double kDefaultFullGearTarget = 75.0;

// Leads are compared in thousandths of the length unit, so that a lead
// difference of 0.001 counts as much as a cut-off difference of 1 %.
inline constexpr double kLeadScale = 1000.0;

// Where one end's lead is smallest: the sense, the port diagram's setting
// (0 at mid gear .. 18 at full travel) or a notch, and the end.
struct LeadPlace {
    Sense sense = Sense::Forward;
    int setting = 0;                   // -1: at a notch
    std::optional<NotchTarget> notch;  // the notch's target, when at one
    float revArm = 0;
    bool front = true;
};

// Where the events are measured: fixed for a whole tuning run.
struct EqualisePlan {
    EqualiseGoals goals;
    float revArmCentre = 0;
    std::vector<NotchTarget> targets;  // what the notches were found for
    // The lead guard: the least lead allowed, and the starting design's own
    // smallest lead (which sets the guard when the goals name none).
    double leadFloor = 0;
    double startSmallestLead = 0;
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
    // Front minus back work over their mean, percent.
    double work = 0;
    // No clamp, every cut-off the plan needs exists, and the lead guard holds.
    bool feasible = true;
    // The gear closes and cuts off wherever the plan looks (the guard aside).
    bool closes = true;
    // The smallest lead over the guard's settings, where it is, and whether
    // it is at or above the plan's least lead.
    double smallestLead = 0;
    LeadPlace smallestLeadAt;
    bool keepsLead = true;
};
Balance balance(const Engine& e, const EqualisePlan& plan);

// The plan of another design measured as `like` is: the same goals, targets,
// lead guard and notches (the same targets in the same senses), at the
// settings found again for `e`. False when `e` no longer reaches one of them.
bool planAtOwnNotches(const Engine& e, const EqualisePlan& like, EqualisePlan& out);

// The smallest lead of a design over the port diagram's 19 settings in both
// senses and the given notches, both ends, and where it is; `clamped` when a
// solve had to mend.
struct SmallestLead {
    double lead = 0;
    LeadPlace at;
    bool clamped = false;
};
SmallestLead smallestLead(const Engine& e, float revArmCentre, std::span<const NotchPoint> notches = {});

// A freed dimension and its bounds.
struct FreeDimension {
    int id = 0;
    float low = 0, high = 0;
};
inline constexpr int kMaxFreeDimensions = 6;
inline constexpr double kDefaultBoundFraction = 0.05;
// A dimension of value 0 has no 5 % to go by: it may move this far either way.
inline constexpr float kZeroValueBound = 0.05f;
// Default bounds: +-5 % of the value, or another fraction of it (a value of
// 0 moves kZeroValueBound scaled as the fraction is to 5 %).
FreeDimension defaultBounds(const Engine& e, int id, double fraction = kDefaultBoundFraction);
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
    // Each design judged at its own notches: the start at the plan's, the
    // tuned design at those found again for it (the start's when nothing
    // better was found).
    Balance before, after;
    std::vector<NotchPoint> notchesAfter;
    Engine tuned;  // the start with the best values found (the start itself if none was better)
    int evaluations = 0;
    bool cancelled = false;
    // A feasible design better than the start at its own notches was found.
    bool improved = false;
    // Some design the optimiser tried closed and cut off everywhere but
    // broke the lead guard (why a run may end without a better design).
    bool guardRefused = false;
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
