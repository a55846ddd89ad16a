// The run of veskaro-preview: reads and draws every program named on the
// command line.
#pragma once

#include "base/console.h"

namespace veskaro::preview {

// Returns the exit status: 0 only when every program was read and drawn.
int run_preview(int argc, const char* const* argv, const Console& console);

}  // namespace veskaro::preview
