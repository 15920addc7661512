#include "model/IndicatorCard.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tevrane {

namespace {

bool finite(double v) { return std::isfinite(v); }

// Points of a hyperbola p (c + x) = k from x0 to x1 (either way), no gap
// wider than `step`, the first point left out (the caller has it).
void appendHyperbola(std::vector<CardPoint>& out, double k, double c, double x0, double x1,
                     double step) {
    const int n = std::max(1, static_cast<int>(std::ceil(std::abs(x1 - x0) / step)));
    for (int i = 1; i <= n; ++i) {
        const double x = x0 + (x1 - x0) * i / n;
        out.push_back({x, k / (c + x)});
    }
}

}  // namespace

double textbookMeanEffectivePressure(double p1, double pb, double c, double xc, double xr,
                                     double xk, double xa) {
    return p1 * xc + p1 * (c + xc) * std::log((c + xr) / (c + xc)) + pb * (1 - xr) -
           pb * (1 - xk) - pb * (c + xk) * std::log((c + xk) / (c + xa)) - p1 * xa;
}

IndicatorCard indicatorCard(const CardEvents& ev, const CardPressures& pr, double outlineStep) {
    IndicatorCard card;
    if (!ev.admission || !ev.cutOff || !ev.release || !ev.compression) {
        card.issue = CardIssue::MissingEvent;
        return card;
    }
    const double p1 = pr.chest, pb = pr.back, c = pr.clearance;
    if (!finite(p1) || !finite(pb) || !finite(c) || p1 <= 0 || pb <= 0 || c < 0 ||
        !finite(*ev.admission) || !finite(*ev.cutOff) || !finite(*ev.release) ||
        !finite(*ev.compression)) {
        card.issue = CardIssue::BadInput;
        return card;
    }
    if (!(outlineStep > 0)) outlineStep = 0.01;

    // Admission before the dead centre happens on the return stroke with the
    // piston xaBefore from it; after the dead centre, xaAfter into the
    // working stroke. A compression after the dead centre means the exhaust
    // stayed open through it: nothing is compressed on the return stroke.
    const double a = std::clamp(*ev.admission, -1.0, 1.0);
    const double xaBefore = a < 0 ? -a : 0.0;
    const double xaAfter = a > 0 ? a : 0.0;
    // The exhaust closes before steam is admitted: an admission that comes
    // first leaves no compression to speak of.
    const double xk = std::max(std::clamp(-*ev.compression, 0.0, 1.0), xaBefore);
    const double xc = std::clamp(*ev.cutOff, xaAfter, 1.0);
    const double xr = std::clamp(*ev.release, xc, 1.0);

    // Compression follows p (c + x) = K from the compression point to the
    // admission, or to the dead centre when admission comes after it.
    const double K = pb * (c + xk);
    const double compressionEnd = xaBefore;  // 0 when admission is at or after the dead centre
    if (c + compressionEnd <= 0 && K > 0) {
        // No clearance and the piston closes the end: the pressure would be
        // unbounded, so the card cannot be drawn.
        card.issue = CardIssue::BadInput;
        return card;
    }
    // Work of the compression stroke; none when the exhaust closes at the
    // admission point.
    const double compressionWork = xk > compressionEnd ? K * std::log((c + xk) / (c + compressionEnd)) : 0.0;
    // Pressure on the compression curve at x (0 at zero volume with nothing
    // compressed: the limit of K / (c + x) as both go to 0).
    auto compressed = [&](double x) { return K > 0 ? K / (c + x) : 0.0; };

    double working = 0;
    if (xaAfter > 0 && K > 0) working += K * std::log((c + xaAfter) / c);  // re-expansion before admission
    working += p1 * (xc - xaAfter);
    if (xr > xc) working += p1 * (c + xc) * std::log((c + xr) / (c + xc));
    working += pb * (1 - xr);

    const double ret = pb * (1 - xk) + compressionWork + p1 * xaBefore;
    card.meanEffectivePressure = working - ret;

    const double compressionPeak = compressed(compressionEnd);
    card.peakPressure = std::max(p1, compressionPeak);
    card.compressionAboveChest = compressionPeak > p1;
    card.admissionAfterDeadCentre = xaAfter > 0;

    // The outline, for drawing: working stroke out, return stroke back.
    auto& o = card.outline;
    if (xaAfter > 0) {
        o.push_back({0, compressed(0)});
        if (K > 0) appendHyperbola(o, K, c, 0, xaAfter, outlineStep);
        o.push_back({xaAfter, p1});
    } else {
        o.push_back({0, p1});
    }
    o.push_back({xc, p1});
    if (xr > xc) appendHyperbola(o, p1 * (c + xc), c, xc, xr, outlineStep);
    o.push_back({xr, pb});
    o.push_back({1, pb});
    o.push_back({xk, pb});
    if (xk > compressionEnd) appendHyperbola(o, K, c, xk, compressionEnd, outlineStep);
    if (xaBefore > 0) {
        o.push_back({xaBefore, p1});
        o.push_back({0, p1});
    }
    return card;
}

double indicatedPower(const PowerInputs& in) {
    const double area = std::numbers::pi / 4 * in.bore * in.bore;
    const double strokesPerMinute = 2.0 * in.revolutionsPerMinute * in.cylinders;
    const double workPerStroke = in.meanEffectivePressure * area * in.stroke;
    if (in.units == PowerUnits::Imperial) {
        // in lbf per minute; one horsepower is 33,000 ft lbf per minute.
        return workPerStroke * strokesPerMinute / (12.0 * 33000.0);
    }
    // bar x mm^2 = 0.1 N, x mm = 1e-4 J; per second, then kilowatts.
    return workPerStroke * 1e-4 * strokesPerMinute / 60.0 / 1000.0;
}

double revolutionsFromSpeed(double speed, double driverDiameter, PowerUnits units) {
    if (!(driverDiameter > 0)) return 0;
    // Road speed as length per minute in the design's unit.
    const double perMinute =
        units == PowerUnits::Imperial ? speed * 63360.0 / 60.0 : speed * 1.0e6 / 60.0;
    return perMinute / (std::numbers::pi * driverDiameter);
}

}  // namespace tevrane
