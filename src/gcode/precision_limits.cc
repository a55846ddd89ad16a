#include "gcode/precision_limits.h"

#include "gcode/number_text.h"

namespace veskaro {

void not_finite(const Where& where, float value) {
    fail(where, "a computed value is " + general_text(value) + "; the sizes are too large for single precision");
}

void step_too_small(const Where& where, float value, float step) {
    fail(where, "a step of " + general_text(step) + " mm no longer changes " + general_text(value) +
                    "; the sizes are too large for single precision");
}

}  // namespace veskaro
