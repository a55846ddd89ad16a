// The whole run of veskaro-check: the generator's command line, the project,
// every face read as the generator reads it, and the findings.
#pragma once

#include "base/console.h"

namespace veskaro::check {

// Exit statuses: no warning, at least one warning, and a check that could
// not run (a refused option, a project that cannot be read or that the
// generator would refuse).
inline constexpr int kClean = 0;
inline constexpr int kWarnings = 1;
inline constexpr int kCouldNotRun = 2;

int run_check(int argc, const char* const* argv, const Console& console);

}  // namespace veskaro::check
