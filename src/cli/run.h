// The whole run of veskaro-gcode: command line, project, one program per face.
#pragma once

#include "base/console.h"

namespace veskaro {

// Returns the exit status: 0 after help or a run that wrote every face, 1
// after an option error or a failed run.
int run(int argc, const char* const* argv, const Console& console);

}  // namespace veskaro
