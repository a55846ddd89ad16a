#include "gcode/loop_step.h"

#include "gcode/number_text.h"

namespace veskaro {

void step_too_small(const Where& where, float value, float step) {
    fail(where, "a step of " + general_text(step) + " mm no longer changes " + general_text(value) +
                    "; the sizes are too large for single precision");
}

}  // namespace veskaro
