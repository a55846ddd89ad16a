#include "check/panel_rules.h"

#include <cmath>
#include <string>

#include "base/decimal_text.h"

namespace veskaro::check {

namespace {

const char* const kSides[4] = {"left", "right", "bottom", "top"};

// "reaches 2.50 mm beyond the panel's right edge and 1.00 mm beyond its top
// edge", "lies wholly outside the panel, 283.00 mm beyond its right edge",
// or empty when the shape lies on the panel.
std::string reach_text(const Box& shape, const Box& panel) {
    if (!boxes_meet(shape, panel)) {
        const float gaps[4] = {panel.left - shape.right, shape.left - panel.right, panel.bottom - shape.top,
                               shape.bottom - panel.top};
        int side = 0;
        for (int i = 1; i < 4; ++i) side = gaps[i] > gaps[side] ? i : side;
        return "lies wholly outside the panel, " + fixed_decimals(gaps[side], 2) + " mm beyond its " + kSides[side] +
               " edge";
    }
    const float beyond[4] = {panel.left - shape.left, shape.right - panel.right, panel.bottom - shape.bottom,
                             shape.top - panel.top};
    std::string text;
    for (int i = 0; i < 4; ++i) {
        if (!noticeable(beyond[i])) continue;
        const bool first = text.empty();
        text += (first ? "reaches " : " and ") + fixed_decimals(beyond[i], 2) + " mm beyond " +
                (first ? "the panel's " : "its ") + kSides[i] + " edge";
    }
    return text;
}

// A location in millimetres is read as centimetres, ten times too far from
// the top left corner: would a tenth of it put the shape on the panel?
bool fits_a_tenth_as_far(const Box& shape, Point centre, const FaceCheck& face, const ComponentCheck& component,
                         const Box& panel) {
    const Where where{face.name, component.name, true};
    const Point read_in_mm = component_centre(*component.value, face.size.height, where, 1.0f);
    const float dx = read_in_mm.x - centre.x;
    const float dy = read_in_mm.y - centre.y;
    return reach_text(Box{shape.left + dx, shape.bottom + dy, shape.right + dx, shape.top + dy}, panel).empty();
}

// Returns true when the shape reaches beyond the panel.
bool report_reach(const char* what, const Box& shape, Point centre, const FaceCheck& face,
                  const ComponentCheck& component, const Box& panel, Findings& findings) {
    const std::string reach = reach_text(shape, panel);
    if (reach.empty()) return false;
    std::string text = std::string("the ") + what + " " + reach;
    if (!boxes_meet(shape, panel) && fits_a_tenth_as_far(shape, centre, face, component, panel)) {
        text +=
            "; the location looks like millimetres: it is read in centimetres, and divided by 10 it would "
            "lie on the panel";
    }
    findings.warn(component_where(face.name, component.name), text);
    return true;
}

// A through-cut inside the panel leaves a wall to the outline.
void check_wall_to_outline(const FaceCheck& face, const std::string& name, const Box& shape, const Box& panel,
                           float min_wall, Findings& findings) {
    if (!face.outline_cut) return;
    const double width = wall_to_edge(shape, panel);
    if (thin_wall(width, min_wall)) findings.warn(face_where(face.name), wall_text(name, "the outline", width));
}

}  // namespace

Box panel_of(const FaceCheck& face, float bit_diameter) {
    const float inset = face.outline_cut ? std::fabs(bit_diameter) / 2.0f : 0.0f;
    return Box{inset, inset, face.size.width - inset, face.size.height - inset};
}

bool thin_wall(double width, float min_wall) { return width < min_wall && noticeable(min_wall - width); }

std::string wall_text(const std::string& one, const std::string& other, double width) {
    return "the wall between " + one + " and " + other + " is " + fixed_decimals(width > 0 ? width : 0.0, 2) + " mm";
}

void check_component_on_panel(const FaceCheck& face, const ComponentCheck& component, const Box& panel,
                              float min_wall, Findings& findings) {
    if (recess_cut(component)) {
        const Cut& recess = *component.recess;
        report_reach("recess", recess.extent, recess.recess.centre, face, component, panel, findings);
    }
    if (opening_cut(component)) {
        const Cut& opening = *component.opening;
        if (!report_reach("opening", opening.extent, opening.opening.centre, face, component, panel, findings)) {
            check_wall_to_outline(face, in_quotes(component.name), opening.extent, panel, min_wall, findings);
        }
    }
}

bool head_recess_wider(const ScrewCheck& screws) {
    return screws.heads_cut && screws.layout.first_ring > std::fabs(screws.layout.hole_radius);
}

Region hole_region(const ScrewCheck& screws, Point corner, float bit_diameter) {
    return disc(corner, std::fabs(screws.layout.hole_radius) + std::fabs(bit_diameter) / 2.0f);
}

Region head_region(const ScrewCheck& screws, Point corner, float bit_diameter) {
    return disc(corner, screws.layout.first_ring + std::fabs(bit_diameter) / 2.0f);
}

std::string screw_name(bool head_recess, Point corner) {
    return std::string(head_recess ? "the screw-head recess at " : "the screw hole at ") + fixed_decimals(corner.x, 2) +
           ", " + fixed_decimals(corner.y, 2);
}

// The head recess when it is wider, and the hole it surrounds when that
// too reaches beyond: a hole through the panel's edge is a notch in it.
void check_screws_on_panel(const FaceCheck& face, const Box& panel, float bit_diameter, float min_wall,
                           Findings& findings) {
    if (!face.screws || !face.screws->holes_cut) return;
    const ScrewCheck& screws = *face.screws;
    for (const Point& corner : screws.layout.corners) {
        const Box hole = bounds(hole_region(screws, corner, bit_diameter));
        std::string hole_reach = reach_text(hole, panel);
        if (head_recess_wider(screws)) {
            const std::string reach = reach_text(bounds(head_region(screws, corner, bit_diameter)), panel);
            if (!reach.empty()) findings.warn(face_where(face.name), screw_name(true, corner) + " " + reach);
        }
        if (!hole_reach.empty()) {
            findings.warn(face_where(face.name), screw_name(false, corner) + " " + hole_reach);
        } else if (face.outline_cut) {
            const double width = wall_to_edge(hole, panel);
            if (thin_wall(width, min_wall)) {
                findings.warn(face_where(face.name), wall_text(screw_name(false, corner), "the outline", width));
            }
        }
    }
}

}  // namespace veskaro::check
