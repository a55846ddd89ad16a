#include "gcode/pass_loop.h"

#include "gcode/number_text.h"

namespace veskaro {

void step_too_small(const Where& where, float value, float step) {
    fail(where, "a step of " + general_text(step) + " mm no longer changes " + general_text(value) +
                    "; the sizes are too large for single precision");
}

PassDepths pass_depths(float step, float limit, const Where& where) {
    PassDepths depths;
    for_each_pass(step, limit, where, [&depths](float depth) {
        depths.deepest = depth;
        ++depths.count;
    });
    return depths;
}

}  // namespace veskaro
