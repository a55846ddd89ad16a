#include "simulate/swept_chords.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veskaro::simulate {

namespace {

// Keeps the part of [lo, hi] where lower <= slope * u + offset <= upper.
void clip_linear(double slope, double offset, double lower, double upper, double& lo, double& hi) {
    if (slope == 0) {
        if (offset < lower || offset > upper) hi = -std::numeric_limits<double>::infinity();
        return;
    }
    double a = (lower - offset) / slope;
    double b = (upper - offset) / slope;
    if (a > b) std::swap(a, b);
    lo = std::max(lo, a);
    hi = std::min(hi, b);
}

}  // namespace

std::optional<Chord> segment_chord(PlanePoint a, PlanePoint b, double radius, double at) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    // The discs at both ends.
    for (const PlanePoint& end : {a, b}) {
        const double dv = at - end.v;
        if (std::fabs(dv) > radius) continue;
        const double half = std::sqrt(radius * radius - dv * dv);
        lo = std::min(lo, end.u - half);
        hi = std::max(hi, end.u + half);
    }
    // The band between them: a + t (b - a) + s n with t in [0, 1] and s in
    // [-radius, radius], n the unit normal; both t and s are linear along the
    // line.
    const double du = b.u - a.u;
    const double dv = b.v - a.v;
    const double length = std::hypot(du, dv);
    if (length > 0) {
        double band_lo = -std::numeric_limits<double>::infinity();
        double band_hi = std::numeric_limits<double>::infinity();
        const double along = (at - a.v) * dv;
        clip_linear(du / (length * length), (along - a.u * du) / (length * length), 0, 1, band_lo, band_hi);
        const double across = (at - a.v) * du;
        clip_linear(-dv / length, (a.u * dv + across) / length, -radius, radius, band_lo, band_hi);
        if (band_lo <= band_hi) {
            lo = std::min(lo, band_lo);
            hi = std::max(hi, band_hi);
        }
    }
    if (!(lo <= hi)) return std::nullopt;
    return Chord{lo, hi};
}

int ring_chords(PlanePoint centre, double path_radius, double radius, double at, Chord out[2]) {
    const double dv = at - centre.v;
    const double outer = path_radius + radius;
    if (std::fabs(dv) > outer) return 0;
    const double outer_half = std::sqrt(outer * outer - dv * dv);
    const double inner = path_radius - radius;
    if (inner > 0 && std::fabs(dv) < inner) {
        const double inner_half = std::sqrt(inner * inner - dv * dv);
        out[0] = {centre.u - outer_half, centre.u - inner_half};
        out[1] = {centre.u + inner_half, centre.u + outer_half};
        return 2;
    }
    out[0] = {centre.u - outer_half, centre.u + outer_half};
    return 1;
}

}  // namespace veskaro::simulate
