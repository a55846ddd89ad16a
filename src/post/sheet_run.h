// The run of veskaro-post with --sheet: every panel of the programs named
// placed on sheets, one program written for each sheet.
#pragma once

#include "base/console.h"
#include "post/post_options.h"

namespace veskaro::post {

// Returns the exit status: 0 when every sheet was written.  Nothing is
// written when any program or panel is refused.
int run_sheets(const PostSettings& settings, const Console& console);

}  // namespace veskaro::post
