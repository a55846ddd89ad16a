// The four sections of a face program, each line held as its own string.
#pragma once

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "project/project_values.h"

namespace veskaro::reference {

using Lines = std::vector<std::string>;

void create_visible_recesses(const Json& face, float face_height, const Arguments& settings,
                             const Where& where, Lines& lines);
void create_component_cutouts(const Json& face, float face_height, const Arguments& settings,
                              const Where& where, Lines& lines);
Lines create_corner_holes_with_recess(float width, float height, const Arguments& settings,
                                      const Where& where);
void create_outline_cut(const std::string& face_name, float face_width, float face_height,
                        const Arguments& settings, const Where& where, Lines& lines);

}  // namespace veskaro::reference
