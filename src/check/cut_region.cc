#include "check/cut_region.h"

#include <algorithm>
#include <cmath>

#include "check/findings.h"

namespace veskaro::check {

namespace {

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

// Distance between two convex cores: 0 when they meet, else the shortest
// from a corner of one to an edge of the other.
double core_distance(const Region& a, const Region& b) {
    if (inside(a, b.core[0]) || inside(b, a.core[0])) return 0;
    double nearest = HUGE_VAL;
    for (int i = 0; i < a.corners; ++i) {
        const Vec a0 = vec(a.core[i]);
        const Vec a1 = vec(a.core[(i + 1) % a.corners]);
        for (int j = 0; j < b.corners; ++j) {
            const Vec b0 = vec(b.core[j]);
            const Vec b1 = vec(b.core[(j + 1) % b.corners]);
            if (segments_cross(a.core[i], a.core[(i + 1) % a.corners], b.core[j], b.core[(j + 1) % b.corners])) {
                return 0;
            }
            nearest = std::min({nearest, point_to_segment(a0, b0, b1), point_to_segment(b0, a0, a1)});
        }
    }
    return nearest;
}

}  // namespace

bool segments_cross(Point a, Point b, Point c, Point d) {
    const Vec va = vec(a);
    const Vec vb = vec(b);
    const Vec vc = vec(c);
    const Vec vd = vec(d);
    const double d1 = cross(minus(vb, va), minus(vc, va));
    const double d2 = cross(minus(vb, va), minus(vd, va));
    const double d3 = cross(minus(vd, vc), minus(va, vc));
    const double d4 = cross(minus(vd, vc), minus(vb, vc));
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

bool inside(const Region& region, Point p) {
    if (region.corners < 3) return false;
    bool left = false;
    bool right = false;
    for (int i = 0; i < region.corners; ++i) {
        const Vec a = vec(region.core[i]);
        const Vec b = vec(region.core[(i + 1) % region.corners]);
        const double side = cross(minus(b, a), minus(vec(p), a));
        left = left || side > 0;
        right = right || side < 0;
    }
    return !(left && right);
}

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
    Region region;
    switch (opening.kind) {
        case ShapeKind::circle:
            return disc(opening.centre, std::fabs(opening.radius) + bit_radius);
        case ShapeKind::rectangle:
            region.corners = 4;
            std::copy(opening.corners, opening.corners + 4, region.core);
            region.radius = bit_radius;
            return region;
        case ShapeKind::none:
            break;
    }
    return region;
}

Box bounds(const Region& region) { return box_around(region.core, region.corners, region.radius); }

bool boxes_meet(const Box& a, const Box& b, float margin) {
    return a.left < b.right + margin && b.left < a.right + margin && a.bottom < b.top + margin &&
           b.bottom < a.top + margin;
}

double wall_width(const Region& a, const Region& b) {
    return core_distance(a, b) - a.radius - b.radius;
}

double wall_to_edge(const Box& shape, const Box& panel) {
    return std::min({double{shape.left} - panel.left, double{panel.right} - shape.right,
                     double{shape.bottom} - panel.bottom, double{panel.top} - shape.top});
}

bool regions_overlap(const Region& a, const Region& b) { return noticeable(-wall_width(a, b)); }

}  // namespace veskaro::check
