#include "model/ValveEvents.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <numbers>
#include <utility>

#include <boost/math/tools/minima.hpp>
#include <boost/math/tools/toms748_solve.hpp>

#include "model/BothAtOnce.h"
#include "model/EventSearch.h"
#include "model/Solver.h"

namespace tevrane {

// ---- the crank and the dead centres ---------------------------------------------

// The crank pin stands at (r cos a, -r sin a) from the driver centre (angle 0
// towards the cylinder, turning clockwise as drawn), the crosshead on the
// cylinder line at height h, the rod of length L between them. The crosshead
// is farthest out where crank and rod point the same way, at distance L + r
// from the centre: sin a = -h / (L + r). It is nearest where the crank points
// back along the rod, at distance L - r: sin a = h / (L - r), a past 90.
CrankGeometry::CrankGeometry(const Engine& e) {
    r_ = 0.5 * static_cast<double>(e.stroke);
    rod_ = e.mainRodLength;
    h_ = static_cast<double>(e.pivotY[kCrosshead]) - e.pivotY[kDriverCentre];
    closes_ = r_ > 0.0 && rod_ - r_ > std::fabs(h_) && std::isfinite(r_ + rod_ + h_);
    if (!closes_) return;
    constexpr double deg = 180.0 / std::numbers::pi;
    double front = -std::asin(h_ / (rod_ + r_)) * deg;
    // On the axle this is 0 (never -0); just below it, 359.99...
    if (front <= 0.0) front += 360.0;
    if (front >= 360.0) front -= 360.0;
    dc_.front = front;
    dc_.back = 180.0 - std::asin(h_ / (rod_ - r_)) * deg;
    xFront_ = std::sqrt((rod_ + r_) * (rod_ + r_) - h_ * h_);
    xBack_ = std::sqrt((rod_ - r_) * (rod_ - r_) - h_ * h_);
}

double CrankGeometry::crossheadX(double driverAngle) const {
    const double a = driverAngle * std::numbers::pi / 180.0;
    const double rise = h_ + r_ * std::sin(a);  // crosshead above the crank pin
    return r_ * std::cos(a) + std::sqrt(std::max(0.0, rod_ * rod_ - rise * rise));
}

double CrankGeometry::strokePercent(double driverAngle, bool front) const {
    const double x = crossheadX(driverAngle);
    const double along = front ? xFront_ - x : x - xBack_;
    return along / (xFront_ - xBack_) * 100.0;
}

DeadCentres deadCentres(const Engine& e) { return CrankGeometry(e).deadCentres(); }

// ---- the shared search --------------------------------------------------------

namespace eventsearch {

double driverAngleAt(double phase, Sense sense) {
    double a = std::fmod(sense == Sense::Forward ? phase : -phase, 360.0);
    if (a < 0.0) a += 360.0;
    // fmod of a tiny negative number can land on 360 itself after the add.
    return a >= 360.0 ? 0.0 : a;
}

double openingOf(const PistonPorts& p, Opening o) {
    switch (o) {
        case Opening::FrontSteam: return p.frontSteamOpening;
        case Opening::FrontExhaust: return p.frontExhaustOpening;
        case Opening::RearSteam: return p.rearSteamOpening;
        case Opening::RearExhaust: return p.rearExhaustOpening;
    }
    return 0.0;
}

double phaseOf(double driverAngle, Sense sense) { return driverAngleAt(driverAngle, sense); }

double strokePercent(double pistonTrace, bool front) {
    return (front ? pistonTrace : 640.0 - pistonTrace) / 6.4;
}

// The die (pivot 8) along the link from its pivot (5), positive towards the
// reverse arm end (18): the link is the line through 5 and 18.
double diePosition(const LinkageSolution& l) {
    const double ux = static_cast<double>(l.pivotX[kReverseArmEnd]) - l.pivotX[kLinkPivot];
    const double uy = static_cast<double>(l.pivotY[kReverseArmEnd]) - l.pivotY[kLinkPivot];
    const double dx = static_cast<double>(l.pivotX[kLinkDie]) - l.pivotX[kLinkPivot];
    const double dy = static_cast<double>(l.pivotY[kLinkDie]) - l.pivotY[kLinkPivot];
    const double length = std::hypot(ux, uy);
    // A reverse arm of no length leaves the link upright, as the solver
    // takes it then.
    if (!(length > 1e-12)) return dy;
    return (dx * ux + dy * uy) / length;
}

// The solver takes the angle in single precision, and every pivot it places
// is rounded to single precision as well. Its openings are therefore steps of
// about 1e-6 in length, and near zero they flicker between neighbouring steps.
// The search asks the solver itself at the single-precision angle nearest to
// each double it tries, so an event is where the solver's own opening changes
// side, the value the tick, the diagrams and every readout agree with;
// re-deriving the openings in full precision would give a second, slightly
// different gear. The price: where the opening flickers, the search settles
// on one of its changes of side, so an event is defined to about 1e-4 degrees
// in a working gear and 1e-3 near mid gear, where the valve moves slowly,
// whatever the search tolerance.
GearSample GearAt::at(double phase) {
    GearSample s;
    const double angle = driverAngleAt(phase, sense_);
    if (path_ == EventPath::Fast) {
        const FastGearSample f = fast_.at(angle, revArm_);
        s.opening[static_cast<int>(Opening::FrontSteam)] = f.frontSteam;
        s.opening[static_cast<int>(Opening::FrontExhaust)] = f.frontExhaust;
        s.opening[static_cast<int>(Opening::RearSteam)] = f.rearSteam;
        s.opening[static_cast<int>(Opening::RearExhaust)] = f.rearExhaust;
        s.valveTravel = f.valveTravel;
        s.die = f.die;
        s.clamps = f.clamps;
        // Only a crank that cannot close reads the piston scale.
        if (!crank_.closes()) s.pistonTrace = solvePistonPorts(engine_, static_cast<float>(angle), 0.0f).pistonTrace;
    } else {
        const GearSolution g = solveGear(engine_, static_cast<float>(angle), revArm_);
        for (int o = 0; o < 4; ++o) s.opening[o] = openingOf(g.ports, static_cast<Opening>(o));
        s.valveTravel = g.linkage.valveTravel;
        s.die = diePosition(g.linkage);
        s.pistonTrace = g.ports.pistonTrace;
        s.clamps = g.clamps();
    }
    if (s.clamps > 0) clamped_ = true;
    return s;
}

namespace {

// Width of one step of the single-precision angle the solver receives.
double angleStep(double phase, Sense sense) {
    const float a = static_cast<float>(driverAngleAt(phase, sense));
    return static_cast<double>(std::nextafter(a, std::numeric_limits<float>::infinity()) - a);
}

}  // namespace

double crossing(GearAt& gear, Opening o, double a, double fa, double b, double fb) {
    if (fa == 0.0) return a;
    if (fb == 0.0) return b;
    const Sense sense = gear.sense();
    auto f = [&](double phase) { return gear.opening(phase, o); };
    const bool smooth = gear.path() == EventPath::Fast;
    auto done = [sense, smooth](double lo, double hi) {
        // The double-precision path is smooth: 1e-5 degrees is far below a
        // ten-thousandth of a percent of stroke.
        const double limit = smooth ? 1e-5 : std::max(1e-6, 2.0 * angleStep(0.5 * (lo + hi), sense));
        return hi - lo <= limit;
    };
    // More than enough for 1 degree down to 1e-6 even by halving alone.
    std::uintmax_t iterations = 64;
    try {
        const auto r = boost::math::tools::toms748_solve(f, a, b, fa, fb, done, iterations);
        return 0.5 * (r.first + r.second);
    } catch (const std::exception&) {
        // An opening that is not a number somewhere inside the bracket (a
        // degenerate design): the bracket itself is all that is known.
        return 0.5 * (a + b);
    }
}

EventPoint eventAt(GearAt& gear, double phase, bool front) {
    const double angle = driverAngleAt(phase, gear.sense());
    if (gear.crank().closes()) return {angle, gear.crank().strokePercent(angle, front)};
    return {angle, strokePercent(gear.at(phase).pistonTrace, front)};
}

EventPoint signedEventAt(GearAt& gear, double phase, bool front) {
    EventPoint p = eventAt(gear, phase, front);
    // How far past the dead centre, the short way round: (-180, 180].
    double past = std::fmod(phase - gear.deadCentrePhase(front), 360.0);
    if (past <= -180.0) past += 360.0;
    if (past > 180.0) past -= 360.0;
    if (past < 0.0) p.strokePercent = -p.strokePercent;
    return p;
}

}  // namespace eventsearch

// ---- the events of one setting ------------------------------------------------

namespace {

using namespace eventsearch;

// One degree: fine enough that no edge of a working gear opens and closes
// between two samples, coarse enough for 38 settings in a few milliseconds.
constexpr int kScanSamples = 360;

struct ScanSample {
    double opening[4];
    double valveTravel;
    double die;
};


struct Crossing {
    double phase;
    bool rising;
};

// How far b lies ahead of a going round the turn, in (0, 360].
double aheadOf(double a, double b) {
    double d = std::fmod(b - a, 360.0);
    if (d <= 0.0) d += 360.0;
    return d;
}

double circularDistance(double a, double b) {
    const double d = aheadOf(a, b);
    return std::min(d, 360.0 - d);
}

// Every crossing of one opening over the turn, each placed by the root finder.
std::vector<Crossing> crossingsOf(GearAt& gear, const std::vector<ScanSample>& scan, Opening o) {
    std::vector<Crossing> out;
    const int k0 = static_cast<int>(o);
    for (int k = 0; k < kScanSamples; ++k) {
        const double before = scan[static_cast<size_t>(k)].opening[k0];
        // The sample after the last is the first again (the same angle).
        const double after = scan[static_cast<size_t>((k + 1) % kScanSamples)].opening[k0];
        const bool rising = isRising(before, after);
        if (!rising && !isFalling(before, after)) continue;
        out.push_back({crossing(gear, o, k, before, k + 1.0, after), rising});
    }
    return out;
}

// The opening edge nearest the given phase and the closing edge that follows it.
struct OpenClose {
    std::optional<double> open, close;
};
OpenClose openCloseNear(const std::vector<Crossing>& cs, double nearPhase) {
    OpenClose r;
    for (const Crossing& c : cs)
        if (c.rising && (!r.open || circularDistance(c.phase, nearPhase) < circularDistance(*r.open, nearPhase)))
            r.open = c.phase;
    if (!r.open) return r;
    for (const Crossing& c : cs)
        if (!c.rising && (!r.close || aheadOf(*r.open, c.phase) < aheadOf(*r.open, *r.close)))
            r.close = c.phase;
    return r;
}

int risingCount(const std::vector<Crossing>& cs) {
    return static_cast<int>(std::count_if(cs.begin(), cs.end(), [](const Crossing& c) { return c.rising; }));
}

// The events of one end; with steamOnly just admission and cut-off.
EndEvents endEvents(GearAt& gear, const std::vector<ScanSample>& scan, bool front, bool steamOnly = false) {
    const Opening steam = front ? Opening::FrontSteam : Opening::RearSteam;
    const Opening exhaust = front ? Opening::FrontExhaust : Opening::RearExhaust;
    const double deadCentre = gear.deadCentrePhase(front);
    const double otherDeadCentre = gear.deadCentrePhase(!front);

    const std::vector<Crossing> steamEdges = crossingsOf(gear, scan, steam);
    const std::vector<Crossing> exhaustEdges =
        steamOnly ? std::vector<Crossing>{} : crossingsOf(gear, scan, exhaust);
    // Steam is let in about this end's dead centre and let out about the other's.
    const OpenClose s = openCloseNear(steamEdges, deadCentre);
    const OpenClose x = openCloseNear(exhaustEdges, otherDeadCentre);

    EndEvents ev;
    if (s.open) ev.admission = signedEventAt(gear, *s.open, front);
    if (s.close) ev.cutOff = eventAt(gear, *s.close, front);
    if (x.open) ev.release = eventAt(gear, *x.open, front);
    if (x.close) ev.compression = signedEventAt(gear, *x.close, front);
    ev.lead = gear.opening(deadCentre, steam);
    ev.extraOpenings = risingCount(steamEdges) > 1 || risingCount(exhaustEdges) > 1;
    return ev;
}

// The one-degree samples of a whole turn, from phase 0.
std::vector<ScanSample> scanTurn(GearAt& gear) {
    std::vector<ScanSample> scan(kScanSamples);
    for (int k = 0; k < kScanSamples; ++k) {
        const GearSample g = gear.at(k);
        ScanSample& s = scan[static_cast<size_t>(k)];
        for (int o = 0; o < 4; ++o) s.opening[o] = g.opening[o];
        s.valveTravel = g.valveTravel;
        s.die = g.die;
    }
    return scan;
}

// The phase near sample k where a quantity of the linkage is extreme, by
// Brent's search over the samples either side.
template <class Of>
double extremeNear(GearAt& gear, int k, bool largest, Of of) {
    auto f = [&](double phase) {
        const double v = of(gear.at(phase));
        return largest ? -v : v;
    };
    // 20 bits: far below a degree's thousandth, where the solver's own steps
    // already flatten the top.
    std::uintmax_t iterations = 40;
    return boost::math::tools::brent_find_minima(f, k - 1.0, k + 1.0, 20, iterations).first;
}
double valveTravelOf(const GearSample& g) { return g.valveTravel; }
double dieOf(const GearSample& g) { return g.die; }

// The largest and smallest of a quantity over the turn: the samples', then
// refined about the extreme samples.
template <class Sample, class Of>
std::pair<double, double> lowHigh(GearAt& gear, const std::vector<ScanSample>& scan, Sample sample, Of of) {
    int lowest = 0, highest = 0;
    for (int k = 0; k < kScanSamples; ++k) {
        const double v = sample(scan[static_cast<size_t>(k)]);
        if (v < sample(scan[static_cast<size_t>(lowest)])) lowest = k;
        if (v > sample(scan[static_cast<size_t>(highest)])) highest = k;
    }
    const double low = std::min(sample(scan[static_cast<size_t>(lowest)]),
                                of(gear.at(extremeNear(gear, lowest, false, of))));
    const double high = std::max(sample(scan[static_cast<size_t>(highest)]),
                                 of(gear.at(extremeNear(gear, highest, true, of))));
    return {low, high};
}

std::optional<double> difference(const std::optional<EventPoint>& a, const std::optional<EventPoint>& b) {
    if (!a || !b) return std::nullopt;
    return a->strokePercent - b->strokePercent;
}

}  // namespace

EventDifferences eventDifferences(const EndEvents& front, const EndEvents& back) {
    EventDifferences d;
    d.admission = difference(front.admission, back.admission);
    d.cutOff = difference(front.cutOff, back.cutOff);
    d.release = difference(front.release, back.release);
    d.compression = difference(front.compression, back.compression);
    d.lead = front.lead - back.lead;
    d.maxSteamOpening = front.maxSteamOpening - back.maxSteamOpening;
    return d;
}

ValveEvents valveEvents(const Engine& e, float revArm, Sense sense, EventPath path) {
    GearAt gear(e, revArm, sense, path);
    const std::vector<ScanSample> scan = scanTurn(gear);
    int lowest = 0, highest = 0;
    for (int k = 0; k < kScanSamples; ++k) {
        const double v = scan[static_cast<size_t>(k)].valveTravel;
        if (v < scan[static_cast<size_t>(lowest)].valveTravel) lowest = k;
        if (v > scan[static_cast<size_t>(highest)].valveTravel) highest = k;
    }

    ValveEvents r;
    r.revArm = revArm;
    r.sense = sense;
    r.deadCentres = gear.crank().deadCentres();
    r.front = endEvents(gear, scan, true);
    r.back = endEvents(gear, scan, false);

    // The front steam edge opens widest where the valve stands farthest back
    // and the back one where it stands farthest forward; the largest openings
    // are the largest the solver gives, at the samples or at those two places.
    const GearSample atLowest = gear.at(extremeNear(gear, lowest, false, valveTravelOf));
    const GearSample atHighest = gear.at(extremeNear(gear, highest, true, valveTravelOf));
    double minTravel = std::min(scan[static_cast<size_t>(lowest)].valveTravel, atLowest.valveTravel);
    double maxTravel = std::max(scan[static_cast<size_t>(highest)].valveTravel, atHighest.valveTravel);
    r.valveTravel = maxTravel - minTravel;

    const int fs = static_cast<int>(Opening::FrontSteam), rs = static_cast<int>(Opening::RearSteam);
    double frontMax = std::max(atLowest.opening[fs], atHighest.opening[fs]);
    double backMax = std::max(atLowest.opening[rs], atHighest.opening[rs]);
    for (const ScanSample& s : scan) {
        frontMax = std::max(frontMax, s.opening[static_cast<int>(Opening::FrontSteam)]);
        backMax = std::max(backMax, s.opening[static_cast<int>(Opening::RearSteam)]);
    }
    // The solver's opening is the valve edge's distance past the port's
    // outer edge; past the port's width the edge runs on over the bridge and
    // the port opens no further.
    const auto cap = [](EndEvents& end, double largest, double portWidth) {
        end.maxSteamOpening = std::min(largest, portWidth);
        end.overTravel = std::max(0.0, largest - portWidth);
    };
    cap(r.front, frontMax, e.cyl.steamPortFront);
    cap(r.back, backMax, e.cyl.steamPortRear);

    const auto [dieLow, dieHigh] =
        lowHigh(gear, scan, [](const ScanSample& s) { return s.die; }, dieOf);
    r.die = {dieHigh, dieLow};

    r.difference = eventDifferences(r.front, r.back);
    r.clamped = gear.clamped();
    return r;
}

eventsearch::CutOffs eventsearch::cutOffs(const Engine& e, float revArm, Sense sense, EventPath path) {
    GearAt gear(e, revArm, sense, path);
    const std::vector<ScanSample> scan = scanTurn(gear);
    CutOffs c;
    c.front = endEvents(gear, scan, true, true).cutOff;
    c.back = endEvents(gear, scan, false, true).cutOff;
    c.clamped = gear.clamped();
    return c;
}

MidGear midGear(const Engine& e, float revArmCentre) {
    const DeadCentres dc = deadCentres(e);
    const GearSolution front = solveGear(e, static_cast<float>(dc.front), revArmCentre);
    const GearSolution back = solveGear(e, static_cast<float>(dc.back), revArmCentre);
    MidGear m;
    // The laps are the valve's and ports' dimensions alone; any solve has them.
    m.front = {front.linkage.frontSteamLap, front.ports.frontSteamOpening, front.linkage.frontExhaustLap};
    m.back = {front.linkage.rearSteamLap, back.ports.rearSteamOpening, front.linkage.rearExhaustLap};
    m.clamped = front.clamps() > 0 || back.clamps() > 0;
    return m;
}

std::array<float, kEventSettings> portDiagramSettings(const Engine& e, float revArmCentre, Sense sense) {
    std::array<float, kEventSettings> s{};
    for (int i = 0; i < kEventSettings; ++i) {
        const long double travel = static_cast<long double>(i) * e.revArmMax / 18.0L;
        s[static_cast<size_t>(i)] =
            static_cast<float>(sense == Sense::Reverse ? revArmCentre - travel : revArmCentre + travel);
    }
    return s;
}

std::vector<ValveEvents> valveEvents(const Engine& e, std::span<const float> settings, Sense sense,
                                     EventPath path) {
    std::vector<ValveEvents> out;
    out.reserve(settings.size());
    for (float s : settings) out.push_back(valveEvents(e, s, sense, path));
    return out;
}

EventsTable eventsTable(const Engine& e, float revArmCentre, EventPath path) {
    EventsTable t;
    const auto forward = portDiagramSettings(e, revArmCentre, Sense::Forward);
    const auto reverse = portDiagramSettings(e, revArmCentre, Sense::Reverse);
    bothAtOnce([&] { t.forward = valveEvents(e, forward, Sense::Forward, path); },
               [&] { t.reverse = valveEvents(e, reverse, Sense::Reverse, path); });
    t.midGear = midGear(e, revArmCentre);
    t.deadCentres = deadCentres(e);
    t.clamped = t.midGear.clamped;
    for (const auto* rows : {&t.forward, &t.reverse})
        for (const ValveEvents& v : *rows) t.clamped = t.clamped || v.clamped;
    return t;
}

}  // namespace tevrane
