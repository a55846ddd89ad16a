// The finished part in words: the part's few words for the console line
// ("finished 116.83 x 76.83 mm, freed, 12 holes, 3 pockets"), and one
// tab-separated line per feature for --measure.
#pragma once

#include <string>
#include <vector>

#include "simulate/analysis.h"

namespace veskaro::preview {

// How the part is held: "freed", "held by 4 bridges", "NOT cut free: 0.40 mm
// skin" or "NOT cut free: no cut around it".
std::string hold_text(const simulate::Part& part);

// "finished <width> x <height> mm, <hold>, <n> holes, <m> pockets", without
// the size when no cut goes around the part.
std::string finished_text(const simulate::Analysis& analysis);

// "<kind>\t<name>\t<centre x>\t<centre y>\t<width>\t<height>\t<area>\t<min
// depth>\t<max depth>", every part with its holes, pockets, bridges and skin,
// then the findings.  Sizes in mm with two decimals, depths below the top.
std::vector<std::string> measure_lines(const simulate::Analysis& analysis);

}  // namespace veskaro::preview
