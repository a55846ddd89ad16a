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

SegmentChords::SegmentChords(PlanePoint a, PlanePoint b, double radius)
    : a_(a), b_(b), radius_(radius), du_(b.u - a.u), dv_(b.v - a.v), length_(std::hypot(du_, dv_)) {}

std::optional<Chord> SegmentChords::at(double v) const {
    // Along the line, or a point: the chord of the end discs joined.
    if (dv_ == 0) {
        const double off = v - a_.v;
        if (std::fabs(off) > radius_) return std::nullopt;
        const double half = std::sqrt(radius_ * radius_ - off * off);
        return Chord{std::min(a_.u, b_.u) - half, std::max(a_.u, b_.u) + half};
    }
    // Across the line: the band where the line crosses it, else an end disc.
    if (du_ == 0) {
        const double low = std::min(a_.v, b_.v), high = std::max(a_.v, b_.v);
        const double off = v < low ? low - v : v > high ? v - high : 0;
        if (off > radius_) return std::nullopt;
        const double half = std::sqrt(radius_ * radius_ - off * off);
        return Chord{a_.u - half, a_.u + half};
    }
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    // The discs at both ends.
    for (const PlanePoint& end : {a_, b_}) {
        const double off = v - end.v;
        if (std::fabs(off) > radius_) continue;
        const double half = std::sqrt(radius_ * radius_ - off * off);
        lo = std::min(lo, end.u - half);
        hi = std::max(hi, end.u + half);
    }
    // The band between them: a + t (b - a) + s n with t in [0, 1] and s in
    // [-radius, radius], n the unit normal; both t and s are linear along the
    // line.
    double band_lo = -std::numeric_limits<double>::infinity();
    double band_hi = std::numeric_limits<double>::infinity();
    const double length2 = length_ * length_;
    clip_linear(du_ / length2, ((v - a_.v) * dv_ - a_.u * du_) / length2, 0, 1, band_lo, band_hi);
    clip_linear(-dv_ / length_, (a_.u * dv_ + (v - a_.v) * du_) / length_, -radius_, radius_, band_lo, band_hi);
    if (band_lo <= band_hi) {
        lo = std::min(lo, band_lo);
        hi = std::max(hi, band_hi);
    }
    if (!(lo <= hi)) return std::nullopt;
    return Chord{lo, hi};
}

std::optional<Chord> segment_chord(PlanePoint a, PlanePoint b, double radius, double at) {
    return SegmentChords(a, b, radius).at(at);
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
