#include "model/Equaliser.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <nlopt.hpp>

#include "model/BothAtOnce.h"
#include "model/DynVars.h"
#include "model/EventSearch.h"
#include "model/Solver.h"

namespace tevrane {

namespace {

// What the objective needs of one setting: both cut-offs and both leads.
struct Measured {
    std::optional<double> front, back;  // cut-off, percent of stroke
    double frontLead = 0, backLead = 0;
    bool clamped = false;
};

struct Setting {
    float revArm = 0;
    Sense sense = Sense::Forward;
};

Measured measure(const Engine& e, const Setting& s, bool leads) {
    const eventsearch::CutOffs c = eventsearch::cutOffs(e, s.revArm, s.sense);
    Measured m;
    if (c.front) m.front = c.front->strokePercent;
    if (c.back) m.back = c.back->strokePercent;
    m.clamped = c.clamped;
    if (leads) {
        // The lead is the steam opening at the end's true dead centre,
        // whichever way the driver turns (as valveEvents gives it).
        const DeadCentres dc = deadCentres(e);
        const GearSolution atFront = solveGear(e, static_cast<float>(dc.front), s.revArm);
        const GearSolution atBack = solveGear(e, static_cast<float>(dc.back), s.revArm);
        m.frontLead = atFront.ports.frontSteamOpening;
        m.backLead = atBack.ports.rearSteamOpening;
        m.clamped = m.clamped || atFront.clamps() > 0 || atBack.clamps() > 0;
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

std::vector<Measured> measureAll(const Engine& e, const std::vector<Setting>& settings, bool leads) {
    std::vector<Measured> out(settings.size());
    // The settings are independent: half on each core.
    auto part = [&](size_t first) {
        for (size_t i = first; i < settings.size(); i += 2) out[i] = measure(e, settings[i], leads);
    };
    bothAtOnce([&] { part(0); }, [&] { part(1); });
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

// Constraint-free space for the optimiser: an infeasible design scores this
// (and more, the farther outside), far above any real imbalance.
constexpr double kInfeasible = 1e6;

// The weighted mean squares; the objective is their sum.
Balance balanceOf(const EqualisePlan& p, const std::vector<Measured>& m) {
    Balance b;
    const EqualiseGoals& g = p.goals;
    MeanSquare frontBack, forwardReverse, leads, fullGear;
    const size_t notches = p.notches.size();
    for (size_t i = 0; i < m.size(); ++i) b.feasible = b.feasible && !m[i].clamped;
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
    const double sum = g.frontBack * frontBack.value() + g.forwardReverse * forwardReverse.value() +
                       g.leads * leads.value() + g.fullGear * fullGear.value();
    b.weighted = std::sqrt(sum);
    return b;
}

double objectiveOf(const Balance& b) { return b.feasible ? b.weighted * b.weighted : kInfeasible; }

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
    p.notches = notchPoints(start, revArmCentre, targets);
    for (size_t i = 0; i < p.notches.size(); ++i) {
        if (p.notches[i].sense != Sense::Forward) continue;
        const double travel = static_cast<double>(p.notches[i].revArm) - revArmCentre;
        p.mirrored.push_back({i, static_cast<float>(revArmCentre - travel)});
    }
    const auto forward = portDiagramSettings(start, revArmCentre, Sense::Forward);
    const auto reverse = portDiagramSettings(start, revArmCentre, Sense::Reverse);
    p.fullForward = forward.back();
    p.fullReverse = reverse.back();
    return p;
}

Balance balance(const Engine& e, const EqualisePlan& plan) {
    const std::vector<Setting> settings = settingsOf(plan);
    return balanceOf(plan, measureAll(e, settings, plan.goals.leads > 0));
}

bool isFreeable(int id) {
    const auto ids = eventDimensions();
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

FreeDimension defaultBounds(const Engine& e, int id) {
    const float v = dimensionValue(e, id);
    const float half = v == 0.0f ? kZeroValueBound : static_cast<float>(std::fabs(v) * kDefaultBoundFraction);
    return {id, v - half, v + half};
}

EqualiseResult equalise(const Engine& start, const EqualisePlan& plan, std::span<const FreeDimension> freeIn,
                        const EqualiseOptions& options, const std::atomic<bool>* cancel,
                        const std::function<void(const EqualiseProgress&)>& progress) {
    EqualiseResult r;
    r.tuned = start;
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
    const std::vector<Setting> settings = settingsOf(plan);
    const bool leads = plan.goals.leads > 0;

    // The best feasible point seen by any start: the optimiser's own answer
    // is not needed, and a start that is stopped or cancelled keeps it.
    std::vector<double> best(n);
    for (size_t i = 0; i < n; ++i) best[i] = std::clamp(dimensionValue(start, r.free[i].id), r.free[i].low, r.free[i].high);
    double bestValue = r.before.feasible ? objectiveOf(r.before) : std::numeric_limits<double>::infinity();
    const std::vector<double> origin = best;
    bool startMoved = false;
    for (size_t i = 0; i < n; ++i) startMoved = startMoved || origin[i] != dimensionValue(start, r.free[i].id);
    if (startMoved) bestValue = std::numeric_limits<double>::infinity();  // the start lay outside the bounds

    struct Context {
        const Engine* start;
        std::span<const FreeDimension> free;
        const EqualisePlan* plan;
        const std::vector<Setting>* settings;
        bool leads;
        const std::atomic<bool>* cancel;
        const std::function<void(const EqualiseProgress&)>* progress;
        nlopt::opt* opt;
        std::vector<double>* best;
        double* bestValue;
        int evaluations;
        int maxEvaluations;
        bool cancelled;
    } ctx{&start, r.free, &plan, &settings, leads, cancel, &progress, nullptr, &best, &bestValue,
          0, std::max(1, options.maxEvaluations), false};

    auto objective = [](unsigned, const double* x, double*, void* data) -> double {
        auto& c = *static_cast<Context*>(data);
        if (c.cancel && c.cancel->load()) {
            c.cancelled = true;
            c.opt->force_stop();
            return kInfeasible;
        }
        Engine e = *c.start;
        put(e, c.free, x);
        const Balance b = balanceOf(*c.plan, measureAll(e, *c.settings, c.leads));
        const double f = objectiveOf(b);
        ++c.evaluations;
        if (b.feasible && f < *c.bestValue) {
            *c.bestValue = f;
            for (size_t i = 0; i < c.free.size(); ++i) (*c.best)[i] = dimensionValue(e, c.free[i].id);
        }
        if (*c.progress) {
            const double shown = std::isfinite(*c.bestValue) ? std::sqrt(*c.bestValue) : std::numeric_limits<double>::infinity();
            (*c.progress)({c.evaluations, c.maxEvaluations, shown});
        }
        return f;
    };

    const int starts = std::max(1, options.starts);
    std::vector<double> low(n), high(n), step(n);
    for (size_t i = 0; i < n; ++i) {
        low[i] = r.free[i].low;
        high[i] = r.free[i].high;
        // A tenth of the box: big enough to see past the solver's single
        // precision, small enough to stay near the start at first.
        step[i] = 0.1 * (high[i] - low[i]);
    }
    for (int s = 0; s < starts && !ctx.cancelled; ++s) {
        const int left = ctx.maxEvaluations - ctx.evaluations;
        if (left <= 0) break;
        std::vector<double> x(n);
        static constexpr int kPrimes[kMaxFreeDimensions] = {2, 3, 5, 7, 11, 13};
        for (size_t i = 0; i < n; ++i)
            x[i] = s == 0 ? origin[i] : low[i] + halton(s, kPrimes[i]) * (high[i] - low[i]);
        nlopt::opt opt(nlopt::LN_BOBYQA, static_cast<unsigned>(n));
        ctx.opt = &opt;
        opt.set_lower_bounds(low);
        opt.set_upper_bounds(high);
        opt.set_initial_step(step);
        opt.set_min_objective(objective, &ctx);
        opt.set_maxeval(std::max(1, left / (starts - s)));
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
    r.evaluations = ctx.evaluations;
    r.cancelled = ctx.cancelled;

    if (!std::isfinite(bestValue)) {
        if (r.evaluations > 0)
            r.message = "No design within the bounds closes and cuts off at every notch";
        else if (!r.cancelled)
            r.message = "The optimiser could not start within these bounds";
        return r;
    }
    Engine tuned = start;
    put(tuned, r.free, best.data());
    const Balance after = balance(tuned, plan);
    // Only a feasible design that really is better replaces the start.
    if (after.feasible && (!r.before.feasible || objectiveOf(after) < objectiveOf(r.before))) {
        r.tuned = tuned;
        r.after = after;
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
        m.editPending = true;
        pushUndo(m);
        m.undoId[1] = c.id;
        m.undoOld[1] = old;
        m.undoNew[1] = c.after;
        m.undoName[1] = dimensionName(c.id);
        m.editPending = false;
        writeVar(m, c.id, c.after);
    }
    // The bars show their dimensions' values; the cut-off readouts belonged
    // to the old design.
    for (int k = 1; k <= 4; ++k) m.dynVarValue[k] = readVar(m, m.dynVarId[k]);
    m.frontCutoffText.clear();
    m.rearCutoffText.clear();
}

}  // namespace tevrane
