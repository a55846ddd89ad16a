#include "check/cut_region.h"

#include <algorithm>
#include <cmath>

#include "check/findings.h"

namespace veskaro::check {

namespace {

// The measurements are taken in double precision: they compare shapes, and
// no coordinate of a program comes from them.
struct Vec {
    double x;
    double y;
};

Vec vec(Point p) { return {p.x, p.y}; }
Vec minus(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
double cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }

double point_to_segment(Vec p, Vec a, Vec b) {
    const Vec ab = minus(b, a);
    const double length2 = dot(ab, ab);
    double t = length2 > 0 ? dot(minus(p, a), ab) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const Vec nearest{a.x + t * ab.x, a.y + t * ab.y};
    return std::hypot(p.x - nearest.x, p.y - nearest.y);
}

bool segments_cross(Vec a, Vec b, Vec c, Vec d) {
    const double d1 = cross(minus(b, a), minus(c, a));
    const double d2 = cross(minus(b, a), minus(d, a));
    const double d3 = cross(minus(d, c), minus(a, c));
    const double d4 = cross(minus(d, c), minus(b, c));
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

// Inside a quadrilateral core, whichever way its corners run.
bool inside(const Region& region, Vec p) {
    if (region.corners < 3) return false;
    bool left = false;
    bool right = false;
    for (int i = 0; i < region.corners; ++i) {
        const Vec a = vec(region.core[i]);
        const Vec b = vec(region.core[(i + 1) % region.corners]);
        const double side = cross(minus(b, a), minus(p, a));
        left = left || side > 0;
        right = right || side < 0;
    }
    return !(left && right);
}

// Distance between two convex cores: 0 when they meet, else the shortest
// from a corner of one to an edge of the other.
double core_distance(const Region& a, const Region& b) {
    if (inside(a, vec(b.core[0])) || inside(b, vec(a.core[0]))) return 0;
    double nearest = HUGE_VAL;
    for (int i = 0; i < a.corners; ++i) {
        const Vec a0 = vec(a.core[i]);
        const Vec a1 = vec(a.core[(i + 1) % a.corners]);
        for (int j = 0; j < b.corners; ++j) {
            const Vec b0 = vec(b.core[j]);
            const Vec b1 = vec(b.core[(j + 1) % b.corners]);
            if (segments_cross(a0, a1, b0, b1)) return 0;
            nearest = std::min({nearest, point_to_segment(a0, b0, b1), point_to_segment(b0, a0, a1)});
        }
    }
    return nearest;
}

}  // namespace

Region disc(Point centre, float radius) {
    Region region;
    region.core[0] = centre;
    region.radius = radius;
    return region;
}

Region stroke(Point from, Point to, float radius) {
    Region region = disc(from, radius);
    region.core[1] = to;
    region.corners = 2;
    return region;
}

Region opening_region(const Opening& opening, float bit_diameter) {
    const float bit_radius = std::fabs(bit_diameter) / 2.0f;
    if (opening.kind == ShapeKind::circle) return disc(opening.centre, std::fabs(opening.radius) + bit_radius);
    Region region;
    region.corners = 4;
    std::copy(opening.corners, opening.corners + 4, region.core);
    region.radius = bit_radius;
    return region;
}

Box bounds(const Region& region) {
    Box box{region.core[0].x, region.core[0].y, region.core[0].x, region.core[0].y};
    for (int i = 1; i < region.corners; ++i) {
        box = joined(box, Box{region.core[i].x, region.core[i].y, region.core[i].x, region.core[i].y});
    }
    return Box{box.left - region.radius, box.bottom - region.radius, box.right + region.radius,
               box.top + region.radius};
}

Box joined(const Box& a, const Box& b) {
    return Box{std::min(a.left, b.left), std::min(a.bottom, b.bottom), std::max(a.right, b.right),
               std::max(a.top, b.top)};
}

bool boxes_meet(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

bool regions_overlap(const Region& a, const Region& b) {
    const double depth = static_cast<double>(a.radius) + b.radius - core_distance(a, b);
    return noticeable(depth);
}

}  // namespace veskaro::check
