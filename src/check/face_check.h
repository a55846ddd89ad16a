// One face as the generator's own sections cut it: they run with the text
// dropped (FaceCuts), so bad data is refused with the generator's words at
// the same face and component, and what they report is sorted by component
// for the rules.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gcode/arguments.h"
#include "gcode/face_cuts.h"
#include "gcode/face_shape.h"
#include "gcode/generator.h"
#include "project/project_values.h"

namespace veskaro::check {

// The depths of the run's cuts, from the first cut of each kind that
// steps them; empty while none has.
struct RunDepths {
    std::optional<PassDepths> through;  // down to the material thickness
    std::optional<PassDepths> recess;   // down to the recess depth
    std::optional<PassDepths> head;     // down to the screw-head height
};

struct ComponentCheck {
    std::string name;
    const Json* value = nullptr;
    std::optional<Cut> recess;   // reported: it has a shape
    std::optional<Cut> opening;  // reported: it has a shape
};

// True when the component's recess or opening takes material.
bool recess_cut(const ComponentCheck& component);
bool opening_cut(const ComponentCheck& component);

struct ScrewCheck {
    ScrewLayout layout;
    bool holes_cut = false;
    bool heads_cut = false;
};

struct FaceCheck {
    std::string name;
    FaceKind kind = FaceKind::Side;
    FaceSize size{};
    FaceSections sections;
    std::vector<ComponentCheck> components;  // every member of the face, in key order
    std::optional<ScrewCheck> screws;        // one block: a second drills the same holes
    bool outline_cut = false;
};

// Throws RunError where the generator would.
FaceCheck read_face(const Json& project, const std::string& face_name, const BoxSize& box, const Arguments& settings,
                    RunDepths& depths);

}  // namespace veskaro::check
