// One face read the way the generator reads it: the same sections in the
// same order, the same reads of every component, the same pass, ring and
// row loops, so that bad data is refused with the same words at the same
// face and component.  What it keeps is what each section will cut.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check/cut_region.h"
#include "gcode/arguments.h"
#include "gcode/component_shapes.h"
#include "gcode/face_shape.h"
#include "gcode/pass_loop.h"
#include "gcode/screw_layout.h"
#include "project/project_values.h"

namespace veskaro::check {

// The pass depths of the run, each worked out where the generator first
// steps it; empty while nothing has needed it.
struct RunDepths {
    std::optional<PassDepths> through;  // down to the material thickness
    std::optional<PassDepths> recess;   // down to the recess depth
    std::optional<PassDepths> head;     // down to the screw-head height
};

// A visible recess and what its levels clear.
struct RecessCut {
    Recess recess;
    bool cut = false;      // at least one level, ring or row
    float first_ring = 0;  // a circle's outermost tool-centre radius
    float last_ring = 0;   // and its innermost, when cut
    Point first_row[2]{};  // a rectangle's first and last row, left and right ends
    Point last_row[2]{};
    Box extent{};  // what the bit clears, when cut
};

struct ComponentCheck {
    std::string name;
    const Json* value = nullptr;
    std::optional<RecessCut> recess;  // read, and it has a shape
    std::optional<Opening> opening;   // read, and it has a shape
    bool opening_cut = false;         // with at least one pass
};

struct ScrewCheck {
    ScrewLayout layout;
    bool holes_cut = false;
    bool heads_cut = false;
};

struct FaceCheck {
    std::string name;
    FaceKind kind = FaceKind::Side;
    FaceSize size{};
    std::vector<ComponentCheck> components;  // every member of the face, in key order
    std::optional<ScrewCheck> screws;
    bool outline_cut = false;
};

// Throws RunError where the generator would.
FaceCheck walk_face(const Json& project, const std::string& face_name, const BoxSize& box, const Arguments& settings,
                    RunDepths& depths);

}  // namespace veskaro::check
