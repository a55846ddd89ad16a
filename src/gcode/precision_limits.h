// The two refusals of sizes too large for single precision: a computed
// value that is no longer finite, and a loop step too small to change the
// value it steps.  Each names the face and component.
#pragma once

#include "base/run_error.h"

namespace veskaro {

[[noreturn]] void not_finite(const Where& where, float value);

[[noreturn]] void step_too_small(const Where& where, float value, float step);

}  // namespace veskaro
