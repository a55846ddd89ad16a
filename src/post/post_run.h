// The run of veskaro-post: rewrites every program named on the command line
// for the controller.
#pragma once

#include "base/console.h"

namespace veskaro::post {

// Returns the exit status: 0 only when every program was written.
int run_post(int argc, const char* const* argv, const Console& console);

}  // namespace veskaro::post
