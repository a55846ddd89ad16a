#include "gcode/precision_limits.h"

#include <string>

#include "gcode/number_text.h"

namespace veskaro {

void not_finite(const Where& where, float value) {
    fail(where, "a computed value is " + general_text(value) + "; the sizes are too large for single precision");
}

void step_too_small(const Where& where, float value, float step) {
    fail(where, "a step of " + general_text(step) + " mm no longer changes " + general_text(value) +
                    "; the sizes are too large for single precision");
}

void too_many_lines(const Where& where, std::uint64_t max_lines) {
    fail(where, "the program would be longer than " + std::to_string(max_lines) +
                    " lines; the sizes are too large for these settings");
}

}  // namespace veskaro
