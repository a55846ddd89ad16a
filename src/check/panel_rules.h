// Cuts that reach beyond the panel: openings, recesses, screw holes and
// screw-head recesses, with how far, and a location that would fit if it
// were read in millimetres; and the walls left between the outline and the
// through-cuts inside it.
#pragma once

#include <string>

#include "check/cut_region.h"
#include "check/face_check.h"
#include "check/findings.h"

namespace veskaro::check {

// The panel that stays: the face, less half the bit on every side when the
// outline is cut (its tool centre runs on the face's edge).
Box panel_of(const FaceCheck& face, float bit_diameter);

void check_component_on_panel(const FaceCheck& face, const ComponentCheck& component, const Box& panel,
                              float min_wall, Findings& findings);

void check_screws_on_panel(const FaceCheck& face, const Box& panel, float bit_diameter, float min_wall,
                           Findings& findings);

// True when the screws' head recesses are cut and clear more than the holes.
bool head_recess_wider(const ScrewCheck& screws);

// The area a screw's hole clears, and its head recess.
Region hole_region(const ScrewCheck& screws, Point corner, float bit_diameter);
Region head_region(const ScrewCheck& screws, Point corner, float bit_diameter);

// "the screw hole at 7.75, 7.75" or "the screw-head recess at 7.75, 7.75".
std::string screw_name(bool head_recess, Point corner);

// True when a wall of this width is thinner than `min_wall` by what shows
// at two decimals.
bool thin_wall(double width, float min_wall);

// "the wall between <one> and <other> is 0.30 mm", 0.00 for a wall of 0 or
// less.
std::string wall_text(const std::string& one, const std::string& other, double width);

}  // namespace veskaro::check
