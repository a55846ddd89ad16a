#include "gcode/pass_loop.h"

#include "gcode/number_text.h"

namespace veskaro {

void step_too_small(const Where& where, float value, float step) {
    fail(where, "a step of " + general_text(step) + " mm no longer changes " + general_text(value) +
                    "; the sizes are too large for single precision");
}

PassDepths pass_depths(float step, float limit, const Where& where, const std::function<void()>& at_first_pass) {
    PassDepths depths;
    for_each_pass(step, limit, where, [&](float depth) {
        if (depths.count == 0 && at_first_pass) at_first_pass();
        depths.deepest = depth;
        ++depths.count;
    });
    return depths;
}

}  // namespace veskaro
