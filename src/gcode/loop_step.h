// Steps of the pass, ring and row loops.  All are single-precision sums; a
// step too small to change a very large value would repeat forever, so it is
// refused with a message naming the face and component.
#pragma once

#include "project/run_error.h"

namespace veskaro {

[[noreturn]] void step_too_small(const Where& where, float value, float step);

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

}  // namespace veskaro
