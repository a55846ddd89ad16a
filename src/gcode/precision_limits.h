// The refusals of sizes too large: a computed value that is no longer
// finite, a loop step too small to change the value it steps, and a program
// longer than the bound on its lines.  Each names the face and component.
#pragma once

#include <cstdint>

#include "base/run_error.h"

namespace veskaro {

[[noreturn]] void not_finite(const Where& where, float value);

[[noreturn]] void step_too_small(const Where& where, float value, float step);

[[noreturn]] void too_many_lines(const Where& where, std::uint64_t max_lines);

}  // namespace veskaro
