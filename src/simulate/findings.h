// What went otherwise than a careful user would want, each with the figure
// that matters: cuts beyond a part's edge, holes cut apart that end as one,
// walls thinner than a minimum, skin left under a through-cut, islands
// standing in a recess, rapid moves through material.
#pragma once

#include <vector>

#include "simulate/analysis.h"
#include "simulate/features.h"
#include "simulate/parts.h"
#include "simulate/program_cuts.h"

namespace veskaro::simulate {

// The cuts that reach beyond the part's box, or lie wholly outside it,
// leaving out the cuts that go around one of `parts` (their outlines).
void find_cuts_beyond(const Part& part, const std::vector<const Part*>& parts, const std::vector<ProgramCut>& cuts,
                      std::vector<Finding>& findings);

void find_merged_holes(const CutSheet& sheet, const SheetSplits& splits, const Part& part,
                       const std::vector<ProgramCut>& cuts, std::vector<Finding>& findings);

void find_thin_walls(const CutSheet& sheet, const SheetSplits& splits, const FoundPart& found, const Part& part,
                     double minimum, std::vector<Finding>& findings);

// Skin under the cut around the part, and under the openings of components
// that stop short of the bottom (pockets cut by a component's opening).
void find_uncut_skin(const CutSheet& sheet, const Part& part, std::vector<Finding>& findings);

// Uncut material standing in a pocket, unless the pocket is a through-cut
// that stops short: a component's opening, or a cut as deep as the skin
// under the cut around the part (its slug stands on the skin, which is
// found).
void find_islands(const CutSheet& sheet, const SheetSplits& splits, const FoundPart& found, const Part& part,
                  std::vector<Finding>& findings);

void find_rapids_in_material(const toolpath::Program& program, std::vector<Finding>& findings);

}  // namespace veskaro::simulate
