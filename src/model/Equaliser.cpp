#include "model/Equaliser.h"
#include "model/Performance.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <nlopt.hpp>

#include "model/BothAtOnce.h"
#include "model/DynVars.h"
#include "model/EventSearch.h"
#include "model/FastGear.h"
#include "model/Solver.h"

namespace tevrane {

namespace {

// What the objective needs of one setting: both cut-offs and both leads.
struct Measured {
    std::optional<double> front, back;  // cut-off, percent of stroke
    double frontLead = 0, backLead = 0;
    // Mean effective pressure of each end's card (the work per stroke
    // over piston area and stroke, alike for both ends); only when asked.
    std::optional<double> frontMep, backMep;
    bool clamped = false;
};

struct Setting {
    float revArm = 0;
    Sense sense = Sense::Forward;
};

// The lead of both ends at one setting: the steam opening at each end's
// true dead centre, on the events' own path (so exactly as valveEvents
// gives it), the same whichever way the driver turns.
struct Leads {
    double front = 0, back = 0;
    bool clamped = false;
};
Leads leadsAt(const FastGear& gear, const DeadCentres& dc, float revArm) {
    const FastGearSample atFront = gear.at(dc.front, revArm);
    const FastGearSample atBack = gear.at(dc.back, revArm);
    return {atFront.frontSteam, atBack.rearSteam, atFront.clamps > 0 || atBack.clamps > 0};
}

// What the measurements must include beyond the cut-offs.
struct Wanted {
    bool leads = false, work = false;
};
Wanted wanted(const EqualiseGoals& g) { return {g.leads > 0, g.work > 0}; }

Measured measure(const Engine& e, const Setting& s, Wanted want) {
    const bool leads = want.leads;
    const eventsearch::CutOffs c = eventsearch::cutOffs(e, s.revArm, s.sense);
    Measured m;
    if (c.front) m.front = c.front->strokePercent;
    if (c.back) m.back = c.back->strokePercent;
    m.clamped = c.clamped;
    if (leads) {
        const Leads l = leadsAt(FastGear(e), CrankGeometry(e).deadCentres(), s.revArm);
        m.frontLead = l.front;
        m.backLead = l.back;
        m.clamped = m.clamped || l.clamped;
    }
    if (want.work) {
        const SettingPerformance p = settingPerformance(e, valveEvents(e, s.revArm, s.sense), PerformanceInputs{});
        if (p.front.usable()) m.frontMep = p.front.card.meanEffectivePressure;
        if (p.back.usable()) m.backMep = p.back.card.meanEffectivePressure;
        m.clamped = m.clamped || p.clamped;
    }
    return m;
}

// The settings a plan measures, in a fixed order: the notches, then the
// mirrored reverse settings, then full gear forward and reverse (the last
// two only while they are asked for).
std::vector<Setting> settingsOf(const EqualisePlan& p) {
    std::vector<Setting> s;
    for (const NotchPoint& n : p.notches) s.push_back({n.revArm, n.sense});
    if (p.goals.forwardReverse > 0)
        for (const auto& m : p.mirrored) s.push_back({m.revArm, Sense::Reverse});
    if (p.goals.fullGear > 0) {
        s.push_back({p.fullForward, Sense::Forward});
        s.push_back({p.fullReverse, Sense::Reverse});
    }
    return s;
}

struct Measurement {
    std::vector<Measured> settings;
    SmallestLead guard;
};

Measurement measureAll(const Engine& e, const std::vector<Setting>& settings, Wanted want, float centre,
                       std::span<const NotchPoint> notches) {
    Measurement out;
    out.settings.resize(settings.size());
    // The settings are independent: half on each core, the lead guard's
    // few solves with the second half.
    auto part = [&](size_t first) {
        for (size_t i = first; i < settings.size(); i += 2) out.settings[i] = measure(e, settings[i], want);
    };
    bothAtOnce([&] { part(0); }, [&] {
        part(1);
        out.guard = smallestLead(e, centre, notches);
    });
    return out;
}

struct MeanSquare {
    double sum = 0;
    int count = 0;
    void add(double d) {
        sum += d * d;
        ++count;
    }
    double value() const { return count ? sum / count : 0.0; }
};

// Constraint-free space for the optimiser: a design that cannot close or
// cut off scores this, far above any real imbalance.
constexpr double kInfeasible = 1e6;
// A design that breaks the lead guard scores its imbalance and this much
// for each thousandth of a length unit it falls short (and the square of
// that): steep enough that the optimiser turns back at the guard, smooth
// enough that it sees which way is back. Such a design is still never a
// result.
constexpr double kGuardWeight = 100.0;

// The weighted mean squares; the objective is their sum.
Balance balanceOf(const EqualisePlan& p, const std::vector<Measured>& m, const SmallestLead& guard) {
    Balance b;
    const EqualiseGoals& g = p.goals;
    MeanSquare frontBack, forwardReverse, leads, fullGear, work;
    const size_t notches = p.notches.size();
    for (size_t i = 0; i < m.size(); ++i) b.feasible = b.feasible && !m[i].clamped;
    b.feasible = b.feasible && !guard.clamped;
    for (size_t i = 0; i < notches; ++i) {
        const Measured& n = m[i];
        if (g.frontBack > 0 || g.forwardReverse > 0) {
            if (!n.front || !n.back) {
                b.feasible = false;
                continue;
            }
            frontBack.add(*n.front - *n.back);
        }
        if (g.leads > 0) leads.add((n.frontLead - n.backLead) * kLeadScale);
        if (g.work > 0) {
            // An end that gives no work (or absorbs it) has no share to compare.
            if (!n.frontMep || !n.backMep || !(*n.frontMep + *n.backMep > 0)) {
                b.feasible = false;
                continue;
            }
            work.add(200.0 * (*n.frontMep - *n.backMep) / (*n.frontMep + *n.backMep));
        }
    }
    size_t next = notches;
    if (g.forwardReverse > 0) {
        for (const auto& mirror : p.mirrored) {
            const Measured& f = m[mirror.notch];
            const Measured& r = m[next++];
            if (!f.front || !f.back || !r.front || !r.back) {
                b.feasible = false;
                continue;
            }
            forwardReverse.add(*f.front - *r.front);
            forwardReverse.add(*f.back - *r.back);
        }
    }
    if (g.fullGear > 0) {
        for (int k = 0; k < 2; ++k) {
            const Measured& f = m[next++];
            if (!f.front || !f.back) {
                b.feasible = false;
                continue;
            }
            fullGear.add(0.5 * (*f.front + *f.back) - g.fullGearTarget);
        }
    }
    b.frontBack = std::sqrt(frontBack.value());
    b.forwardReverse = std::sqrt(forwardReverse.value());
    b.leads = std::sqrt(leads.value());
    b.fullGear = std::sqrt(fullGear.value());
    b.work = std::sqrt(work.value());
    const double sum = g.frontBack * frontBack.value() + g.forwardReverse * forwardReverse.value() +
                       g.leads * leads.value() + g.fullGear * fullGear.value() + g.work * work.value();
    b.weighted = std::sqrt(sum);
    b.closes = b.feasible;
    b.smallestLead = guard.lead;
    b.smallestLeadAt = guard.at;
    b.keepsLead = guard.lead >= p.leadFloor;
    b.feasible = b.closes && b.keepsLead;
    return b;
}

// What the optimiser minimises.
double searchValueOf(const Balance& b, double leadFloor) {
    if (!b.closes) return kInfeasible;
    double f = b.weighted * b.weighted;
    if (!b.keepsLead) {
        const double shortBy = (leadFloor - b.smallestLead) * kLeadScale;
        f += kGuardWeight * shortBy * (1.0 + shortBy);
    }
    return f;
}

// What a result is judged by: only a design that keeps the guard counts.
double objectiveOf(const Balance& b) { return b.feasible ? b.weighted * b.weighted : kInfeasible; }

// A plan's notches and the reverse settings mirroring its forward ones.
void setNotches(EqualisePlan& p, std::vector<NotchPoint> notches) {
    p.notches = std::move(notches);
    p.mirrored.clear();
    for (size_t i = 0; i < p.notches.size(); ++i) {
        if (p.notches[i].sense != Sense::Forward) continue;
        const double travel = static_cast<double>(p.notches[i].revArm) - p.revArmCentre;
        p.mirrored.push_back({i, static_cast<float>(p.revArmCentre - travel)});
    }
}

bool sameNotch(const NotchPoint& a, const NotchPoint& b) {
    return a.sense == b.sense && a.target.fullGear == b.target.fullGear && a.target.cutOff == b.target.cutOff;
}

}  // namespace

bool planAtOwnNotches(const Engine& e, const EqualisePlan& like, EqualisePlan& out) {
    EqualisePlan p = like;
    const std::vector<NotchPoint> found = notchPoints(e, like.revArmCentre, like.targets);
    std::vector<NotchPoint> kept;
    for (const NotchPoint& n : like.notches) {
        const auto it = std::find_if(found.begin(), found.end(), [&](const NotchPoint& f) { return sameNotch(f, n); });
        if (it == found.end()) return false;
        kept.push_back(*it);
    }
    setNotches(p, std::move(kept));
    out = std::move(p);
    return true;
}

namespace {

// A design at its own notches: one that no longer reaches a notch the start
// had has no balance to compare.
Balance balanceAtOwnNotches(const Engine& e, const EqualisePlan& startPlan, EqualisePlan& own) {
    if (!planAtOwnNotches(e, startPlan, own)) {
        Balance b;
        b.closes = false;
        b.feasible = false;
        return b;
    }
    return balance(e, own);
}

// The optimiser's point as the dimensions' stored values, never outside the
// bounds (a double inside may round to a float just outside).
void put(Engine& e, std::span<const FreeDimension> free, const double* x) {
    for (size_t i = 0; i < free.size(); ++i) {
        const float v = std::clamp(static_cast<float>(x[i]), free[i].low, free[i].high);
        setDimension(e, free[i].id, v);
    }
}

// The radical inverse of i in a prime base: the Halton points that spread
// the restarts evenly over the box whatever their number.
double halton(int i, int base) {
    double f = 1.0, r = 0.0;
    for (int n = i; n > 0; n /= base) {
        f /= base;
        r += f * (n % base);
    }
    return r;
}

}  // namespace

EqualisePlan makePlan(const Engine& start, float revArmCentre, std::span<const NotchTarget> targets,
                      const EqualiseGoals& goals) {
    EqualisePlan p;
    p.goals = goals;
    p.revArmCentre = revArmCentre;
    setNotches(p, notchPoints(start, revArmCentre, targets));
    const auto forward = portDiagramSettings(start, revArmCentre, Sense::Forward);
    const auto reverse = portDiagramSettings(start, revArmCentre, Sense::Reverse);
    p.fullForward = forward.back();
    p.fullReverse = reverse.back();
    p.targets.assign(targets.begin(), targets.end());
    p.startSmallestLead = smallestLead(start, revArmCentre, p.notches).lead;
    p.leadFloor = goals.minLead ? *goals.minLead : std::min(0.0, p.startSmallestLead);
    return p;
}

Balance balance(const Engine& e, const EqualisePlan& plan) {
    const std::vector<Setting> settings = settingsOf(plan);
    const Measurement m = measureAll(e, settings, wanted(plan.goals), plan.revArmCentre, plan.notches);
    return balanceOf(plan, m.settings, m.guard);
}

SmallestLead smallestLead(const Engine& e, float revArmCentre, std::span<const NotchPoint> notches) {
    SmallestLead s;
    s.lead = std::numeric_limits<double>::infinity();
    const FastGear gear(e);
    const DeadCentres dc = CrankGeometry(e).deadCentres();
    const auto see = [&s](const Leads& l, const LeadPlace& at) {
        s.clamped = s.clamped || l.clamped;
        if (l.front < s.lead) {
            s.lead = l.front;
            s.at = at;
            s.at.front = true;
        }
        if (l.back < s.lead) {
            s.lead = l.back;
            s.at = at;
            s.at.front = false;
        }
    };
    for (const Sense sense : {Sense::Forward, Sense::Reverse}) {
        const auto settings = portDiagramSettings(e, revArmCentre, sense);
        // Mid gear is the same setting both ways: looked at once.
        for (int i = sense == Sense::Forward ? 0 : 1; i < kEventSettings; ++i) {
            const float revArm = settings[static_cast<size_t>(i)];
            see(leadsAt(gear, dc, revArm), {sense, i, std::nullopt, revArm, true});
        }
    }
    for (const NotchPoint& n : notches) see(leadsAt(gear, dc, n.revArm), {n.sense, -1, n.target, n.revArm, true});
    return s;
}

bool isFreeable(int id) {
    const auto ids = eventDimensions();
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

FreeDimension defaultBounds(const Engine& e, int id, double fraction) {
    const float v = dimensionValue(e, id);
    const float half = v == 0.0f ? static_cast<float>(kZeroValueBound * fraction / kDefaultBoundFraction)
                                 : static_cast<float>(std::fabs(v) * fraction);
    return {id, v - half, v + half};
}

namespace {

// One tuning run's search, over its rounds: the optimiser's calls land here.
struct Search {
    const Engine* start = nullptr;
    std::span<const FreeDimension> free;
    const EqualisePlan* plan = nullptr;  // this round's
    std::vector<Setting> settings;       // what this round's plan measures
    const std::atomic<bool>* cancel = nullptr;
    const std::function<void(const EqualiseProgress&)>* progress = nullptr;
    nlopt::opt* opt = nullptr;
    // The best guard-keeping point of this round: the optimiser's own
    // answer is not needed, and a start that is stopped or cancelled keeps it.
    std::vector<double> best;
    double bestValue = std::numeric_limits<double>::infinity();
    double shownBest = std::numeric_limits<double>::infinity();  // over every round
    int evaluations = 0;  // over every round
    int maxEvaluations = 0;
    bool cancelled = false;
    bool guardRefused = false;
};

double searchObjective(unsigned, const double* x, double*, void* data) {
    auto& s = *static_cast<Search*>(data);
    if (s.cancel && s.cancel->load()) {
        s.cancelled = true;
        s.opt->force_stop();
        return kInfeasible;
    }
    Engine e = *s.start;
    put(e, s.free, x);
    const Measurement m = measureAll(e, s.settings, wanted(s.plan->goals), s.plan->revArmCentre, s.plan->notches);
    const Balance b = balanceOf(*s.plan, m.settings, m.guard);
    ++s.evaluations;
    s.guardRefused = s.guardRefused || (b.closes && !b.keepsLead);
    const double f = objectiveOf(b);
    if (b.feasible && f < s.bestValue) {
        s.bestValue = f;
        for (size_t i = 0; i < s.free.size(); ++i) s.best[i] = dimensionValue(e, s.free[i].id);
    }
    if (b.feasible) s.shownBest = std::min(s.shownBest, f);
    if (*s.progress) {
        const double shown = std::isfinite(s.shownBest) ? std::sqrt(s.shownBest) : std::numeric_limits<double>::infinity();
        (*s.progress)({s.evaluations, s.maxEvaluations, shown});
    }
    return searchValueOf(b, s.plan->leadFloor);
}

// BOBYQA from each origin in turn, sharing `budget` evaluations out evenly.
void runStarts(Search& s, const std::vector<std::vector<double>>& origins, int budget) {
    const size_t n = s.free.size();
    std::vector<double> low(n), high(n), step(n);
    for (size_t i = 0; i < n; ++i) {
        low[i] = s.free[i].low;
        high[i] = s.free[i].high;
        // A tenth of the box: big enough to see past the solver's single
        // precision, small enough to stay near the start at first.
        step[i] = 0.1 * (high[i] - low[i]);
    }
    const int until = s.evaluations + budget;
    const int starts = static_cast<int>(origins.size());
    for (int k = 0; k < starts && !s.cancelled; ++k) {
        const int left = until - s.evaluations;
        if (left <= 0) break;
        std::vector<double> x = origins[static_cast<size_t>(k)];
        nlopt::opt opt(nlopt::LN_BOBYQA, static_cast<unsigned>(n));
        s.opt = &opt;
        opt.set_lower_bounds(low);
        opt.set_upper_bounds(high);
        opt.set_initial_step(step);
        opt.set_min_objective(searchObjective, &s);
        opt.set_maxeval(std::max(1, left / (starts - k)));
        // The dimensions are stored in single precision: closer than that
        // there is nothing to find.
        std::vector<double> xtol(n);
        for (size_t i = 0; i < n; ++i) xtol[i] = 2e-7 * std::max(1.0, std::fabs(x[i]));
        opt.set_xtol_abs(xtol);
        opt.set_ftol_abs(1e-12);
        double f = 0;
        try {
            opt.optimize(x, f);
        } catch (const std::exception&) {
            // Stopped (cancel), or the optimiser gave up on rounding: what
            // was seen so far is kept either way.
        }
    }
    s.opt = nullptr;
}

// The share of the evaluations the first round (at the start's notches) may
// use; the second round, at the notches of the first round's best design,
// has the rest.
constexpr double kFirstRoundShare = 0.75;

}  // namespace

EqualiseResult equalise(const Engine& start, const EqualisePlan& plan, std::span<const FreeDimension> freeIn,
                        const EqualiseOptions& options, const std::atomic<bool>* cancel,
                        const std::function<void(const EqualiseProgress&)>& progress) {
    EqualiseResult r;
    r.tuned = start;
    r.notchesAfter = plan.notches;
    for (FreeDimension f : freeIn) {
        if (!isFreeable(f.id)) continue;
        if (f.low > f.high) std::swap(f.low, f.high);
        // A dimension with no room between its bounds is not free at all.
        if (!(f.low < f.high)) continue;
        r.free.push_back(f);
    }
    for (const FreeDimension& f : r.free) r.changes.push_back({f.id, dimensionValue(start, f.id), dimensionValue(start, f.id)});
    r.before = balance(start, plan);
    r.after = r.before;
    if (r.free.empty()) {
        r.message = "No dimension is free";
        return r;
    }
    if (r.free.size() > static_cast<size_t>(kMaxFreeDimensions)) {
        r.message = "At most six dimensions can be freed";
        r.free.clear();
        r.changes.clear();
        return r;
    }
    if (plan.notches.empty()) {
        r.message = "The design gives none of the notches";
        return r;
    }

    const size_t n = r.free.size();
    std::vector<double> origin(n);
    for (size_t i = 0; i < n; ++i) origin[i] = std::clamp(dimensionValue(start, r.free[i].id), r.free[i].low, r.free[i].high);
    bool startMoved = false;  // the start lay outside the bounds
    for (size_t i = 0; i < n; ++i) startMoved = startMoved || origin[i] != dimensionValue(start, r.free[i].id);

    Search s;
    s.start = &start;
    s.free = r.free;
    s.cancel = cancel;
    s.progress = &progress;
    s.maxEvaluations = std::max(1, options.maxEvaluations);

    // The candidates the rounds end with, each to be judged at its own notches.
    std::vector<std::vector<double>> candidates;

    // First round: at the start's notches, from the design and from Halton
    // points spread over the box.
    s.plan = &plan;
    s.settings = settingsOf(plan);
    s.best = origin;
    s.bestValue = r.before.feasible && !startMoved ? objectiveOf(r.before) : std::numeric_limits<double>::infinity();
    {
        const int starts = std::max(1, options.starts);
        std::vector<std::vector<double>> origins;
        static constexpr int kPrimes[kMaxFreeDimensions] = {2, 3, 5, 7, 11, 13};
        for (int k = 0; k < starts; ++k) {
            std::vector<double> x(n);
            for (size_t i = 0; i < n; ++i)
                x[i] = k == 0 ? origin[i] : r.free[i].low + halton(k, kPrimes[i]) * (r.free[i].high - r.free[i].low);
            origins.push_back(x);
        }
        runStarts(s, origins, static_cast<int>(kFirstRoundShare * s.maxEvaluations));
    }
    // The start itself is no candidate, but a start moved into the bounds is.
    if (std::isfinite(s.bestValue) && (s.best != origin || startMoved)) candidates.push_back(s.best);

    // Second round: the first round's design has notches of its own, where
    // its balance may be less good than where it was tuned; tuning once
    // more there meets what a designer sees after cutting them again.
    EqualisePlan second;
    if (!candidates.empty() && !s.cancelled && s.evaluations < s.maxEvaluations) {
        Engine first = start;
        put(first, r.free, candidates.back().data());
        if (planAtOwnNotches(first, plan, second)) {
            s.plan = &second;
            s.settings = settingsOf(second);
            const std::vector<double> from = candidates.back();
            s.best = from;
            s.bestValue = std::numeric_limits<double>::infinity();
            runStarts(s, {from}, s.maxEvaluations - s.evaluations);
            if (std::isfinite(s.bestValue)) candidates.push_back(s.best);
        }
    }
    r.evaluations = s.evaluations;
    r.cancelled = s.cancelled;
    r.guardRefused = s.guardRefused;

    if (candidates.empty()) {
        if (!std::isfinite(s.bestValue) && r.evaluations > 0)
            r.message = r.guardRefused ? "No design within the bounds keeps every lead at or above the least allowed"
                                       : "No design within the bounds closes and cuts off at every notch";
        else if (r.evaluations == 0 && !r.cancelled)
            r.message = "The optimiser could not start within these bounds";
        return r;
    }
    // Each candidate at its own notches; only a feasible design that really
    // is better there replaces the start.
    for (const std::vector<double>& x : candidates) {
        Engine tuned = start;
        put(tuned, r.free, x.data());
        EqualisePlan own;
        const Balance after = balanceAtOwnNotches(tuned, plan, own);
        if (!after.feasible) continue;
        const bool better = !r.before.feasible || objectiveOf(after) < objectiveOf(r.before);
        if (!better || (r.improved && objectiveOf(after) >= objectiveOf(r.after))) continue;
        r.tuned = tuned;
        r.after = after;
        r.notchesAfter = own.notches;
        r.improved = true;
        for (size_t i = 0; i < n; ++i) r.changes[i].after = dimensionValue(tuned, r.free[i].id);
    }
    return r;
}

void applyChanges(Model& m, std::span<const DimensionChange> changes) {
    for (const DimensionChange& c : changes) {
        if (!isDynamicId(c.id)) continue;
        const float old = readVar(m, c.id);
        if (old == c.after) continue;
        const UndoRecord r{c.id, old, c.after, dimensionName(c.id)};
        recordUndo(m, r);
        m.editPending = false;
        r.apply(m);
    }
    // The bars show their dimensions' values; the cut-off readouts belonged
    // to the old design.
    for (int k = 1; k <= 4; ++k) m.dynVarValue[k] = readVar(m, m.dynVarId[k]);
    m.frontCutoffText.clear();
    m.rearCutoffText.clear();
}

}  // namespace tevrane
