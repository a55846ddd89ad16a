// What every program's main does around its run.
#pragma once

#include "base/console.h"

namespace veskaro {

using RunFunction = int (*)(int argc, const char* const* argv, const Console& console);

// Runs `run` on the standard streams and returns its status.  An exception
// that escapes it becomes one error line and `failure_status`; so does
// standard output that could not take the text (a full disk behind a
// redirection, a closed pipe), so that a lost report is never a quiet
// success.  Memory running out ends the process at once with "Error: out of
// memory" and `failure_status`, its temporary files removed; a write beyond
// the file size limit fails as an error instead of killing the process.
int run_main(int argc, char** argv, RunFunction run, int failure_status = 1);

}  // namespace veskaro
