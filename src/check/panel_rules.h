// Cuts that reach beyond the panel: openings, recesses, screw holes and
// screw-head recesses, with how far, and a location that would fit if it
// were read in millimetres.
#pragma once

#include "check/cut_region.h"
#include "check/face_walk.h"
#include "check/findings.h"
#include "gcode/arguments.h"

namespace veskaro::check {

// The panel that stays: the face, less half the bit on every side when the
// outline is cut (its tool centre runs on the face's edge).
Box panel_of(const FaceCheck& face, float bit_diameter);

void check_component_on_panel(const FaceCheck& face, const ComponentCheck& component, const Box& panel,
                              float bit_diameter, Findings& findings);

void check_screws_on_panel(const FaceCheck& face, const Box& panel, float bit_diameter, Findings& findings);

// True when the screws' head recesses are cut and clear more than the holes.
bool head_recess_wider(const ScrewCheck& screws);

// The area a screw's hole clears, or its head recess when that is wider.
Region screw_region(const ScrewCheck& screws, Point corner, float bit_diameter);

// "the screw hole at 7.75, 7.75" or "the screw-head recess at 7.75, 7.75".
std::string screw_name(bool head_recess, Point corner);

}  // namespace veskaro::check
