// The loops that step a depth, a ring radius or a row offset.  Every step is
// one single-precision sum, carried from step to step and never recomputed
// as count × step, so the last pass lies where the rounding puts it: 3 mm in
// 0.2 mm passes ends at -2.80, because the fifteenth depth comes out just
// below -3.  A step too small to change a very large value would repeat
// forever; it is refused with a message naming the face and component.
// Each loop returns what it stepped through, for the report of the cut.
#pragma once

#include "gcode/precision_limits.h"

namespace veskaro {

inline float step_down(float value, float step, const Where& where) {
    const float next = value - step;
    if (next == value) step_too_small(where, value, step);
    return next;
}

inline float step_up(float value, float step, const Where& where) {
    const float next = value + step;
    if (next == value) step_too_small(where, value, step);
    return next;
}

// The passes or levels a depth loop cut: the deepest and how many; depth 0
// and count 0 when there is none.
struct PassDepths {
    float deepest = 0;
    long count = 0;
};

// Calls cut(depth) for every pass down to `limit` (a positive depth, such as
// the material thickness): depth starts at -step, a pass is cut while depth
// is not below -limit, and step is subtracted after each pass.  When the
// limit is not a multiple of the step the deepest pass stops short of it;
// when the step is larger than the limit there is no pass at all.
template <typename CutAt>
PassDepths for_each_pass(float step, float limit, const Where& where, CutAt&& cut) {
    PassDepths depths;
    const float bottom = -limit;
    for (float depth = -step; depth >= bottom; depth = step_down(depth, step, where)) {
        cut(depth);
        depths.deepest = depth;
        ++depths.count;
    }
    return depths;
}

// The rings a ring loop cut: the innermost radius and how many.
struct RingSteps {
    float last = 0;
    long count = 0;
};

// Calls ring(radius) for the rings of a circular pocket, from `first` inward
// by `step` while the radius is not below 0; a ring of radius 0 is still
// called (the bit only plunges there).  Nothing is called when `first` is
// below 0.
template <typename Ring>
RingSteps for_each_ring(float first, float step, const Where& where, Ring&& ring) {
    RingSteps rings;
    for (float r = first; r >= 0; r = step_down(r, step, where)) {
        ring(r);
        rings.last = r;
        ++rings.count;
    }
    return rings;
}

}  // namespace veskaro
