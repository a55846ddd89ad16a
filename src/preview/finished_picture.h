// The finished part drawn as it comes off the machine, beside the picture of
// the tool paths and on the same axes, grid and origin: the part's edge and
// holes from the contours of the simulated material, its pockets shaded by
// depth with their key, bridges and skin marked, the components' names on
// their holes, and every finding marked and numbered in red.
#pragma once

#include <string>

#include "simulate/analysis.h"
#include "simulate/cut_sheet.h"
#include "preview/summary.h"

namespace veskaro::preview {

std::string finished_picture(const std::string& name, const Summary& summary, const simulate::CutSheet& sheet,
                             const simulate::Analysis& analysis);

}  // namespace veskaro::preview
