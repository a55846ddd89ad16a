#include "check/face_walk.h"

#include <cmath>
#include <functional>
#include <initializer_list>

#include "gcode/precision_limits.h"

namespace veskaro::check {

namespace {

// Whether the passes down to `limit` cut anything; they are worked out the
// first time a section needs them.  `cut_first` stands for the lines a
// section writes at its first pass: it runs there, before the loop steps
// on, and for every later shape while there are passes, so that the first
// fault met is the one the generator meets.
bool passes_cut(std::optional<PassDepths>& slot, float step, float limit, const Where& where,
                const std::function<void()>& cut_first) {
    if (!slot) {
        slot = pass_depths(step, limit, where, cut_first);
    } else if (slot->count > 0) {
        cut_first();
    }
    return slot->count > 0;
}

// Refuses the first value that is not finite, in the order the section's
// first program line would hold them, as the line builder refuses it.
void require_finite(const Where& where, std::initializer_list<float> values) {
    for (float value : values) {
        if (!std::isfinite(value)) not_finite(where, value);
    }
}

std::vector<ComponentCheck> components_of(const Json& face) {
    std::vector<ComponentCheck> components;
    if (!face.is_object() && !face.is_array()) return components;
    for (const auto& member : face.items()) components.push_back({member.key(), &member.value(), {}, {}, false});
    return components;
}

void walk_rings(RecessCut& cut, float bit, const Where& where) {
    const Point centre = cut.recess.centre;
    for_each_ring(cut.first_ring, bit, where, [&](float r) {
        require_finite(where, {centre.x + r, centre.y, -r});
        cut.last_ring = r;
    });
    cut.extent = bounds(disc(centre, cut.first_ring + std::fabs(bit) / 2.0f));
}

// Rows run forward on even numbers and backward on odd ones.
void walk_rows(RecessCut& cut, float bit, const Where& where) {
    for_each_recess_row(cut.recess, bit, where, [&](unsigned k, Point left, Point right) {
        const bool forward = k % 2 == 0;
        const Point from = forward ? left : right;
        const Point to = forward ? right : left;
        require_finite(where, {from.x, from.y, to.x, to.y});
        const Box row = bounds(stroke(left, right, std::fabs(bit) / 2.0f));
        cut.extent = k == 0 ? row : joined(cut.extent, row);
        if (k == 0) {
            cut.first_row[0] = left;
            cut.first_row[1] = right;
        }
        cut.last_row[0] = left;
        cut.last_row[1] = right;
    });
}

void read_recesses(const Json& face_object, FaceCheck& face, const Arguments& settings, RunDepths& depths,
                   Where& where) {
    std::size_t index = 0;
    for_each_component(face_object, where, [&](const std::string&, const Json& component) {
        ComponentCheck& checked = face.components[index++];
        const Recess recess = read_recess(component, face.size.height, where);
        if (recess.kind == ShapeKind::none) return;
        RecessCut cut{recess};
        cut.first_ring = first_circle_radius(recess, settings.bit_diameter);
        const bool circle = recess.kind == ShapeKind::circle;
        // A circle narrower than the bit is skipped before its levels.
        if (circle && !(cut.first_ring >= 0)) {
            checked.recess = cut;
            return;
        }
        const float bit = settings.bit_diameter;
        cut.cut = passes_cut(depths.recess, settings.cut_depth_per_pass, settings.recess_depth, where,
                             [&] { circle ? walk_rings(cut, bit, where) : walk_rows(cut, bit, where); });
        checked.recess = cut;
    });
}

void require_opening_finite(const Opening& opening, const Where& where) {
    if (opening.kind == ShapeKind::circle) {
        require_finite(where, {opening.centre.x - opening.radius, opening.centre.y, opening.radius});
        return;
    }
    const Point* q = opening.corners;
    require_finite(where, {q[0].x, q[0].y, q[1].x, q[1].y, q[2].x, q[2].y, q[3].x, q[3].y});
}

void read_openings(const Json& face_object, FaceCheck& face, const Arguments& settings, RunDepths& depths,
                   Where& where) {
    std::size_t index = 0;
    for_each_component(face_object, where, [&](const std::string&, const Json& component) {
        ComponentCheck& checked = face.components[index++];
        const Opening opening = read_opening(component, face.size.height, settings.bit_diameter, where);
        if (opening.kind == ShapeKind::none) return;
        checked.opening = opening;
        checked.opening_cut = passes_cut(depths.through, settings.cut_depth_per_pass, settings.material_thickness,
                                         where, [&] { require_opening_finite(opening, where); });
    });
}

void walk_head_rings(ScrewCheck& screws, const Arguments& settings, RunDepths& depths, const Where& where) {
    const ScrewLayout& layout = screws.layout;
    if (!(layout.head > 0) || !(layout.first_ring >= 0)) return;
    for (const Point& corner : layout.corners) {
        screws.heads_cut = passes_cut(depths.head, settings.cut_depth_per_pass, settings.screw_head_height, where, [&] {
            for_each_ring(layout.first_ring, settings.bit_diameter, where, [&](float r) {
                require_finite(where, {corner.x + r, corner.y, -r});
            });
        });
    }
}

std::optional<ScrewCheck> walk_screws(const std::string& face_name, const BoxSize& box, const Arguments& settings,
                                      RunDepths& depths, const Where& where) {
    const bool top = settings.screw_size_top > 0 && takes_top_screws(face_name);
    const bool bottom = settings.screw_size_bottom > 0 && takes_bottom_screws(face_name);
    if (!top && !bottom) return std::nullopt;
    ScrewCheck screws{screw_layout(box.width, box.height, settings)};
    const float hole_radius = screws.layout.hole_radius;
    for (const Point& corner : screws.layout.corners) {
        screws.holes_cut =
            passes_cut(depths.through, settings.cut_depth_per_pass, settings.material_thickness, where, [&] {
                require_finite(where, {corner.x + hole_radius, corner.y, -hole_radius});
            });
    }
    walk_head_rings(screws, settings, depths, where);
    return screws;
}

}  // namespace

FaceCheck walk_face(const Json& project, const std::string& face_name, const BoxSize& box, const Arguments& settings,
                    RunDepths& depths) {
    FaceCheck face;
    face.name = face_name;
    face.kind = face_kind(face_name);
    face.size = face_size(face.kind, box.width, box.height, settings.material_thickness, settings.box_height_3d,
                          settings.outer_sizing);
    face.components = components_of(project.at(face_name));
    Where where{face_name, {}, false};
    if (settings.recess_depth != 0) read_recesses(face_object(project, where), face, settings, depths, where);
    if (settings.components) read_openings(face_object(project, where), face, settings, depths, where);
    face.screws = walk_screws(face_name, box, settings, depths, where);
    if (settings.outline) {
        face.outline_cut =
            passes_cut(depths.through, settings.cut_depth_per_pass, settings.material_thickness, where, [&] {
                require_finite(where, {face.size.height, face.size.width});
            });
    }
    return face;
}

}  // namespace veskaro::check
