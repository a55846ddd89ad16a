// The names of the components on a picture.  The generator's comments name
// the component whose opening it cuts, from "Start cutting <name> down to
// <z>mm" to "Lift to safe height after cutting <name>"; the cutting moves in
// between are that component's.
#pragma once

#include <string>
#include <vector>

#include "toolpath/extents.h"
#include "toolpath/moves.h"
#include "preview/picture_frame.h"
#include "preview/picture_text.h"

namespace veskaro::preview {

struct ComponentLabel {
    std::string name;
    toolpath::Extents area;  // of its cutting moves, arcs to their extremes
};

// In the order the program first cuts them; every pass of a component adds
// to the same label.
std::vector<ComponentLabel> component_labels(const toolpath::Program& program);

// Each name centred on its component's area, over a white halo.
void append_labels(PictureText& svg, const Frame& frame, const std::vector<ComponentLabel>& labels);

}  // namespace veskaro::preview
