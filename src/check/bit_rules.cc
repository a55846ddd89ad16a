#include "check/bit_rules.h"

#include <cmath>
#include <string>

#include "base/decimal_text.h"

namespace veskaro::check {

namespace {

// A tool centre `half` from the middle, on each side, clears 2·|half| plus
// the bit: with `half` below 0 the path has crossed the middle and the cut
// comes out wider than asked.
double cut_width(float half, float bit) { return 2.0 * std::fabs(half) + bit; }

double distance(Point a, Point b) { return std::hypot(double{a.x} - b.x, double{a.y} - b.y); }

void narrower(const std::string& where, const char* what, float half, float size, const char* along, float bit,
              Findings& findings) {
    if (!(half < 0) || shows_as_zero(half)) return;
    findings.warn(where, std::string("the ") + what + " is " + fixed_decimals(size, 2) + " mm " + along +
                             ", narrower than the bit: it comes out " + fixed_decimals(cut_width(half, bit), 2) +
                             " mm " + along);
}

void check_opening(const std::string& where, const Opening& opening, float bit, Findings& findings) {
    if (opening.kind == ShapeKind::circle) {
        if (shows_as_zero(opening.radius)) {
            findings.note(where, "the opening is as wide as the bit: the bit only plunges (an arc of radius 0)");
        }
        narrower(where, "opening", opening.radius, opening.diameter, "across", bit, findings);
        return;
    }
    narrower(where, "opening", opening.half_width, opening.width, "wide", bit, findings);
    narrower(where, "opening", opening.half_height, opening.height, "high", bit, findings);
    if (noticeable(bit)) {
        findings.note(where, "the opening's inner corners are rounded to the bit's radius, " +
                                 fixed_decimals(bit / 2.0, 2) + " mm");
    }
}

void check_circle_recess(const std::string& where, const ComponentCheck& component, float bit, Findings& findings) {
    const RecessCut& cut = *component.recess;
    if (!(cut.first_ring >= 0)) {
        findings.warn(where, "the recess is " + fixed_decimals(cut.recess.diameter, 2) +
                                 " mm across, narrower than the bit: it is not cut at all");
        return;
    }
    if (!cut.cut) return;
    if (shows_as_zero(cut.first_ring)) findings.note(where, "the recess is as wide as the bit: the bit only plunges");
    // The innermost circle clears down to half a bit inside it; what is
    // left in the middle, less than half a bit across, stands unless an
    // opening is cut there.
    const double island = cut.last_ring - bit / 2.0;
    if (!component.opening_cut && noticeable(island)) {
        findings.warn(where, "the recess's circles leave an island " + fixed_decimals(2.0 * island, 2) +
                                 " mm across uncut at its centre");
    }
}

// The rows run one bit apart from the lower edge up while they start below
// the full height, so the last may reach beyond it.
void check_row_recess(const std::string& where, const RecessCut& cut, float bit, Findings& findings) {
    const float width = 10.0f * cut.recess.width;
    const float height = 10.0f * cut.recess.height;
    const double cut_wide = distance(cut.first_row[0], cut.first_row[1]) + bit;
    const double cut_high = distance(cut.first_row[0], cut.last_row[0]) + bit;
    if (noticeable(cut_wide - width)) {
        findings.warn(where, "the recess is " + fixed_decimals(width, 2) +
                                 " mm wide, narrower than the bit: it comes out " + fixed_decimals(cut_wide, 2) +
                                 " mm wide");
    }
    if (!noticeable(cut_high - height)) return;
    if (height < bit) {
        findings.warn(where, "the recess is " + fixed_decimals(height, 2) +
                                 " mm high, narrower than the bit: it comes out " + fixed_decimals(cut_high, 2) +
                                 " mm high");
    } else {
        findings.note(where, "the recess rows reach " + fixed_decimals(cut_high - height, 2) + " mm beyond its " +
                                 fixed_decimals(height, 2) + " mm height: it is cut " + fixed_decimals(cut_wide, 2) +
                                 " x " + fixed_decimals(cut_high, 2) + " mm");
    }
}

}  // namespace

void check_bit_sizes(const FaceCheck& face, const ComponentCheck& component, float bit_diameter, Findings& findings) {
    const std::string where = component_where(face.name, component.name);
    if (component.recess && component.recess->recess.kind == ShapeKind::circle) {
        check_circle_recess(where, component, bit_diameter, findings);
    } else if (component.recess && component.recess->cut) {
        check_row_recess(where, *component.recess, bit_diameter, findings);
    }
    if (component.opening_cut) check_opening(where, *component.opening, bit_diameter, findings);
}

}  // namespace veskaro::check
