#include "check/recess_rules.h"

#include <cmath>
#include <string>

#include "base/decimal_text.h"
#include "check/bit_rules.h"

namespace veskaro::check {

namespace {

double distance(Point a, Point b) { return std::hypot(double{a.x} - b.x, double{a.y} - b.y); }

void warn_through(const std::string& where, const Cut& cut, const Arguments& settings, const std::string& hole,
                  Findings& findings) {
    if (!through_the_sheet(*cut.depths, settings.material_thickness)) return;
    findings.warn(where, "the recess is cut down to " + fixed_decimals(cut.depths->deepest, 2) + " mm, through the " +
                             fixed_decimals(settings.material_thickness, 2) + " mm material: it comes out a hole " +
                             hole);
}

void check_circles(const std::string& where, const ComponentCheck& component, const Arguments& settings,
                   Findings& findings) {
    const Cut& cut = *component.recess;
    const float bit = settings.bit_diameter;
    if (!(cut.first_ring >= 0)) {
        findings.warn(where, "the recess is " + fixed_decimals(cut.recess.diameter, 2) +
                                 " mm across, narrower than the bit: it is not cut at all");
        return;
    }
    if (!takes_material(cut)) return;
    if (shows_as_zero(cut.first_ring)) findings.note(where, "the recess is as wide as the bit: the bit only plunges");
    // The innermost circle clears down to half a bit inside it; what is
    // left in the middle, less than half a bit across, stands unless an
    // opening is cut there, or the recess goes through and it falls out.
    const double island = cut.rings.last - bit / 2.0;
    const bool through = through_the_sheet(*cut.depths, settings.material_thickness);
    if (!opening_cut(component) && !through && noticeable(island)) {
        findings.warn(where, "the recess's circles leave an island " + fixed_decimals(2.0 * island, 2) +
                                 " mm across uncut at its centre");
    }
    warn_through(where, cut, settings, fixed_decimals(cut_width(cut.first_ring, bit), 2) + " mm across", findings);
}

// The rows run one bit apart from the lower edge up while they start below
// the full height, so the last may reach beyond it.  Each is a stroke one
// bit wide, and the tool steps to the next row at one end and then at the
// other: between two rows, the end without a step is left with the bit's
// two round ends, and the cusp between them reaches half a bit in from the
// edge.
void check_rows(const std::string& where, const Cut& cut, const Arguments& settings, Findings& findings) {
    if (!takes_material(cut)) return;
    const float bit = settings.bit_diameter;
    const float width = 10.0f * cut.recess.width;
    const float height = 10.0f * cut.recess.height;
    const double cut_wide = distance(cut.rows.first[0], cut.rows.first[1]) + bit;
    const double cut_high = distance(cut.rows.first[0], cut.rows.last[0]) + bit;
    if (noticeable(cut_wide - width)) {
        findings.warn(where, "the recess is " + fixed_decimals(width, 2) +
                                 " mm wide, narrower than the bit: it comes out " + fixed_decimals(cut_wide, 2) +
                                 " mm wide");
    }
    if (noticeable(cut_high - height)) {
        if (height < bit) {
            findings.warn(where, "the recess is " + fixed_decimals(height, 2) +
                                     " mm high, narrower than the bit: it comes out " + fixed_decimals(cut_high, 2) +
                                     " mm high");
        } else {
            findings.note(where, "the recess rows reach " + fixed_decimals(cut_high - height, 2) + " mm beyond its " +
                                     fixed_decimals(height, 2) + " mm height: it is cut " +
                                     fixed_decimals(cut_wide, 2) + " x " + fixed_decimals(cut_high, 2) + " mm");
        }
    }
    if (cut.rows.count > 1 && noticeable(width - bit) && noticeable(bit / 2.0)) {
        findings.note(where, "the recess rows leave cusps along the sides where they turn, reaching " +
                                 fixed_decimals(bit / 2.0, 2) + " mm in from the edge");
    }
    warn_through(where, cut, settings, fixed_decimals(cut_wide, 2) + " x " + fixed_decimals(cut_high, 2) + " mm",
                 findings);
}

}  // namespace

bool through_the_sheet(const PassDepths& levels, float thickness) {
    return levels.count > 0 && thickness > 0 && !noticeable(double{thickness} + levels.deepest);
}

void check_recess(const FaceCheck& face, const ComponentCheck& component, const Arguments& settings,
                  Findings& findings) {
    if (!component.recess) return;
    const std::string where = component_where(face.name, component.name);
    switch (component.recess->recess.kind) {
        case ShapeKind::circle:
            check_circles(where, component, settings, findings);
            return;
        case ShapeKind::rectangle:
            check_rows(where, *component.recess, settings, findings);
            return;
        case ShapeKind::none:
            return;
    }
}

}  // namespace veskaro::check
