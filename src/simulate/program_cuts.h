// The cuts a program makes, one after the other: a cut begins where the bit
// goes below Z 0 and ends where it comes back up, or where the program
// starts cutting another component.  Each cut knows its component (from the
// comments, see toolpath/component_names.h), where its path runs and how
// far the bit reaches.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolpath/extents.h"
#include "toolpath/moves.h"

namespace veskaro::simulate {

struct PathPoint {
    double x;
    double y;
    double z;
};

struct ProgramCut {
    std::string component;  // empty when the comments name none
    std::int64_t first_line = 0;  // of its first move below Z 0
    toolpath::Extents path;   // the tool centre's path, arcs to their extremes
    toolpath::Extents reach;  // what the bit reaches: the path widened by its radius
    double deepest_z = 0;
    std::vector<PathPoint> points;  // the tool centre at the ends of its moves
};

std::vector<ProgramCut> program_cuts(const toolpath::Program& program, double bit_diameter);

// "the cut at line <n>", or the component's name in quotes, for findings.
std::string cut_name(const ProgramCut& cut);

// True when two cuts make one feature: the passes of one component, or
// cuts around one middle when one is unnamed (the rings and rows of a
// recess and its levels, a component's recess and opening, a screw hole
// and its head recess).
bool one_feature(const ProgramCut& a, const ProgramCut& b);

// The cuts by feature: each group the indices of the cuts of one feature,
// in the order the program first cuts them.
std::vector<std::vector<std::size_t>> features_of(const std::vector<ProgramCut>& cuts);

}  // namespace veskaro::simulate
