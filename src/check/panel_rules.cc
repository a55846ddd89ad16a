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
    const float x = read_location(*component.value, "location_x", where);
    const float y = face.size.height - read_location(*component.value, "location_y", where);
    const float dx = x - centre.x;
    const float dy = y - centre.y;
    return reach_text(Box{shape.left + dx, shape.bottom + dy, shape.right + dx, shape.top + dy}, panel).empty();
}

void report_reach(const char* what, const Box& shape, Point centre, const FaceCheck& face,
                  const ComponentCheck& component, const Box& panel, Findings& findings) {
    const std::string reach = reach_text(shape, panel);
    if (reach.empty()) return;
    std::string text = std::string("the ") + what + " " + reach;
    if (!boxes_meet(shape, panel) && fits_a_tenth_as_far(shape, centre, face, component, panel)) {
        text +=
            "; the location looks like millimetres: it is read in centimetres, and divided by 10 it would "
            "lie on the panel";
    }
    findings.warn(component_where(face.name, component.name), text);
}

}  // namespace

Box panel_of(const FaceCheck& face, float bit_diameter) {
    const float inset = face.outline_cut ? std::fabs(bit_diameter) / 2.0f : 0.0f;
    return Box{inset, inset, face.size.width - inset, face.size.height - inset};
}

void check_component_on_panel(const FaceCheck& face, const ComponentCheck& component, const Box& panel,
                              float bit_diameter, Findings& findings) {
    if (component.recess && component.recess->cut) {
        const RecessCut& recess = *component.recess;
        report_reach("recess", recess.extent, recess.recess.centre, face, component, panel, findings);
    }
    if (component.opening_cut) {
        const Opening& opening = *component.opening;
        const Box shape = bounds(opening_region(opening, bit_diameter));
        report_reach("opening", shape, opening.centre, face, component, panel, findings);
    }
}

bool head_recess_wider(const ScrewCheck& screws) {
    return screws.heads_cut && screws.layout.first_ring > std::fabs(screws.layout.hole_radius);
}

Region screw_region(const ScrewCheck& screws, Point corner, float bit_diameter) {
    const float radius = head_recess_wider(screws) ? screws.layout.first_ring : std::fabs(screws.layout.hole_radius);
    return disc(corner, radius + std::fabs(bit_diameter) / 2.0f);
}

std::string screw_name(bool head_recess, Point corner) {
    return std::string(head_recess ? "the screw-head recess at " : "the screw hole at ") + fixed_decimals(corner.x, 2) +
           ", " + fixed_decimals(corner.y, 2);
}

void check_screws_on_panel(const FaceCheck& face, const Box& panel, float bit_diameter, Findings& findings) {
    if (!face.screws || !face.screws->holes_cut) return;
    for (const Point& corner : face.screws->layout.corners) {
        const std::string reach = reach_text(bounds(screw_region(*face.screws, corner, bit_diameter)), panel);
        const std::string name = screw_name(head_recess_wider(*face.screws), corner);
        if (!reach.empty()) findings.warn(face_where(face.name), name + " " + reach);
    }
}

}  // namespace veskaro::check
