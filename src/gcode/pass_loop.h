// The loops that step a depth, a ring radius or a row offset.  Every step is
// one single-precision sum, carried from step to step and never recomputed
// as count × step, so the last pass lies where the rounding puts it: 3 mm in
// 0.2 mm passes ends at -2.80, because the fifteenth depth comes out just
// below -3.  A step too small to change a very large value would repeat
// forever; it is refused with a message naming the face and component.
#pragma once

#include <functional>

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

// Calls cut(depth) for every pass down to `limit` (a positive depth, such as
// the material thickness): depth starts at -step, a pass is cut while depth
// is not below -limit, and step is subtracted after each pass.  When the
// limit is not a multiple of the step the deepest pass stops short of it;
// when the step is larger than the limit there is no pass at all.
template <typename Cut>
void for_each_pass(float step, float limit, const Where& where, Cut&& cut) {
    const float bottom = -limit;
    for (float depth = -step; depth >= bottom; depth = step_down(depth, step, where)) cut(depth);
}

// Calls ring(radius) for the rings of a circular pocket, from `first` inward
// by `step` while the radius is not below 0; a ring of radius 0 is still
// called (the bit only plunges there).  Nothing is called when `first` is
// below 0.
template <typename Ring>
void for_each_ring(float first, float step, const Where& where, Ring&& ring) {
    for (float r = first; r >= 0; r = step_down(r, step, where)) ring(r);
}

// The deepest pass for_each_pass cuts and how many passes there are; depth 0
// and count 0 when there is none.  `at_first_pass`, when given, is called
// at the first pass, before the loop steps on: where a section writes the
// first lines of its cut.
struct PassDepths {
    float deepest = 0;
    long count = 0;
};
PassDepths pass_depths(float step, float limit, const Where& where,
                       const std::function<void()>& at_first_pass = {});

}  // namespace veskaro
