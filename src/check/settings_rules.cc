#include "check/settings_rules.h"

#include <cmath>
#include <string>

#include "check/screw_rules.h"

namespace veskaro::check {

namespace {

void check_bit(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    const float bit = settings.bit_diameter;
    if (bit < 0) {
        findings.warn("bit-diameter", mm(bit) + " mm is below 0: the bit compensation goes the wrong way");
    } else if (shows_as_zero(bit) && facts.depths.through) {
        findings.note("bit-diameter", mm(bit) +
                                          " mm: nothing is compensated for the bit: openings come out "
                                          "wider, and panels smaller, by the real bit's diameter");
    }
}

// Passes stop at the deepest step that is not below the thickness; what
// is left under it holds the part in the sheet.
void check_through_depth(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    if (!facts.depths.through) return;
    const PassDepths& passes = *facts.depths.through;
    const float thickness = settings.material_thickness;
    if (!(thickness > 0)) {
        findings.warn("material-thickness", mm(thickness) + " mm is not above 0: nothing is cut through");
    } else if (passes.count == 0) {
        findings.warn("cut-depth-per-pass", mm(settings.cut_depth_per_pass) + " mm is more than the " + mm(thickness) +
                                                " mm material: no through-cut gets a pass");
    } else if (noticeable(double{thickness} + passes.deepest)) {
        findings.warn("cut-depth-per-pass",
                      "the deepest pass is at " + mm(passes.deepest) + " mm in the " + mm(thickness) +
                          " mm material: " + mm(double{thickness} + passes.deepest) + " mm is left uncut");
    }
}

void check_box_height(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    if (facts.end_or_side_face && !(settings.box_height_3d > 0)) {
        findings.warn("box-height-3d",
                      mm(settings.box_height_3d) + " mm is not above 0: the end and side faces are sized from it");
    }
}

}  // namespace

void check_pocket_depth(const char* option, const char* pocket, float depth, const std::optional<PassDepths>& levels,
                        float step, Findings& findings) {
    if (!levels) return;
    const std::string none = std::string(": no ") + pocket + " is cut";
    if (!(depth > 0)) {
        findings.warn(option, mm(depth) + " mm is not above 0" + none);
    } else if (levels->count == 0) {
        findings.warn(option, mm(depth) + " mm is less than the " + mm(step) + " mm depth per pass" + none);
    } else if (noticeable(double{depth} + levels->deepest)) {
        findings.note(option, "the deepest level is at " + mm(levels->deepest) + " mm: the " + pocket + "es are " +
                                  mm(double{depth} + levels->deepest) + " mm shallower than " + mm(depth) + " mm");
    }
}

void add_face_facts(RunFacts& facts, const FaceCheck& face) {
    facts.end_or_side_face = facts.end_or_side_face || face.kind != FaceKind::Horizontal;
    facts.bottom_block = facts.bottom_block || face.sections.bottom_screws;
    if (!facts.screws && face.screws) facts.screws = face.screws;
}

void check_settings(const Arguments& settings, const RunFacts& facts, Findings& findings) {
    check_bit(settings, facts, findings);
    check_through_depth(settings, facts, findings);
    check_box_height(settings, facts, findings);
    check_pocket_depth("recess-depth", "recess", settings.recess_depth, facts.depths.recess,
                       settings.cut_depth_per_pass, findings);
    check_screws(settings, facts, findings);
}

}  // namespace veskaro::check
