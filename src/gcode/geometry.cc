#include "gcode/geometry.h"

#include <algorithm>
#include <cmath>

namespace veskaro {

Box box_around(const Point* points, int count, float margin) {
    Box box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (int i = 1; i < count; ++i) box = joined(box, Box{points[i].x, points[i].y, points[i].x, points[i].y});
    return Box{box.left - margin, box.bottom - margin, box.right + margin, box.top + margin};
}

Box joined(const Box& a, const Box& b) {
    return Box{std::min(a.left, b.left), std::min(a.bottom, b.bottom), std::max(a.right, b.right),
               std::max(a.top, b.top)};
}

Point rotate_point(float centre_x, float centre_y, float angle, float x, float y) {
    // The angle is negated so that positive degrees turn clockwise.
    const float negated = -angle;
    const float theta = static_cast<float>(static_cast<double>(negated) * 3.141592653589793 / 180.0);
    const float dx = x - centre_x;
    const float dy = y - centre_y;
    const float c = std::cos(theta);
    const float s = std::sin(theta);
    // Each product and sum rounded to single precision, in this order.
    const float cdx = c * dx;
    const float sdy = s * dy;
    const float sdx = s * dx;
    const float cdy = c * dy;
    const float turned_x = (cdx + centre_x) - sdy;
    const float turned_y = (sdx + centre_y) + cdy;
    return Point{turned_x, turned_y};
}

}  // namespace veskaro
