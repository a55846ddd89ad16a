// The smallest rectangle, in X and Y, that holds a set of points.
#pragma once

#include <algorithm>

namespace veskaro::toolpath {

struct Extents {
    bool empty = true;
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;

    void add(double x, double y) {
        if (empty) {
            min_x = max_x = x;
            min_y = max_y = y;
            empty = false;
            return;
        }
        min_x = std::min(min_x, x);
        max_x = std::max(max_x, x);
        min_y = std::min(min_y, y);
        max_y = std::max(max_y, y);
    }
    void add(const Extents& other) {
        if (other.empty) return;
        add(other.min_x, other.min_y);
        add(other.max_x, other.max_y);
    }
    double width() const { return max_x - min_x; }
    double height() const { return max_y - min_y; }
};

}  // namespace veskaro::toolpath
