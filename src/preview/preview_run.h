// The run of veskaro-preview: reads and draws every program named on the
// command line.  Returns the exit status: 0 only when every program was read
// and drawn.
#pragma once

namespace veskaro::preview {

int run_preview(int argc, const char* const* argv);

}  // namespace veskaro::preview
