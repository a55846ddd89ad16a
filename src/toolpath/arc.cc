#include "toolpath/arc.h"

#include <cmath>
#include <numbers>

#include "toolpath/extents.h"

namespace veskaro::toolpath {

namespace {

constexpr double kTurn = 2 * std::numbers::pi;

// `angle` brought into [0, 2π).
double normalised(double angle) {
    double a = std::fmod(angle, kTurn);
    if (a < 0) a += kTurn;
    return a;
}

bool clockwise(const Move& arc) { return arc.kind == MoveKind::arc_clockwise; }

double start_angle(const Move& arc) {
    return std::atan2(arc.from.y - arc.centre_y, arc.from.x - arc.centre_x);
}

// How far `angle` lies past the start, measured in the arc's direction.
double past_start(const Move& arc, double angle) {
    const double delta = angle - start_angle(arc);
    return normalised(clockwise(arc) ? -delta : delta);
}

}  // namespace

double arc_radius(const Move& arc) {
    return std::hypot(arc.from.x - arc.centre_x, arc.from.y - arc.centre_y);
}

double arc_end_radius(const Move& arc) {
    return std::hypot(arc.to.x - arc.centre_x, arc.to.y - arc.centre_y);
}

double arc_sweep(const Move& arc) {
    if (arc_radius(arc) == 0) return 0;
    if (arc.from.x == arc.to.x && arc.from.y == arc.to.y) return kTurn;
    const double end_angle = std::atan2(arc.to.y - arc.centre_y, arc.to.x - arc.centre_x);
    const double sweep = past_start(arc, end_angle);
    return sweep == 0 ? kTurn : sweep;
}

double arc_length(const Move& arc) {
    return std::hypot(arc_radius(arc) * arc_sweep(arc), arc.to.z - arc.from.z);
}

void add_arc(Extents& extents, const Move& arc) {
    extents.add(arc.from.x, arc.from.y);
    extents.add(arc.to.x, arc.to.y);
    const double radius = arc_radius(arc);
    if (radius == 0) return;
    const double sweep = arc_sweep(arc);
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double angle = quarter * kTurn / 4;
        if (past_start(arc, angle) <= sweep) {
            extents.add(arc.centre_x + radius * std::cos(angle), arc.centre_y + radius * std::sin(angle));
        }
    }
}

}  // namespace veskaro::toolpath
