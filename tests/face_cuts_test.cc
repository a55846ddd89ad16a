// What the sections report they cut, in the order they cut it, when the
// face's program is built for FaceCuts instead of the text writer.
#include "gcode/face_cuts.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gcode/generator.h"
#include "gcode/number_text.h"
#include "support/section_fixture.h"

namespace {

using namespace veskaro;

const char* kind_name(CutKind kind) {
    switch (kind) {
        case CutKind::recess: return "recess";
        case CutKind::opening: return "opening";
        case CutKind::screw_hole: return "hole";
        case CutKind::head_recess: return "head";
        case CutKind::outline: return "outline";
    }
    return "?";
}

// "recess 0: 1 at -1.5, rings 3 to 1, 44 54 56 66": the kind, the
// component or corner, the levels or passes, the rings or rows of a pocket
// and the extent.
std::string summary(const Cut& cut) {
    std::ostringstream text;
    const bool screw = cut.kind == CutKind::screw_hole || cut.kind == CutKind::head_recess;
    text << kind_name(cut.kind) << ' ' << (screw ? cut.corner : cut.component) << ": ";
    if (cut.depths) {
        text << cut.depths->count << " at " << general_text(cut.depths->deepest);
    } else {
        text << "no levels";
    }
    if (cut.rings.count > 0) text << ", rings " << cut.rings.count << " to " << general_text(cut.rings.last);
    if (cut.rows.count > 0) text << ", rows " << cut.rows.count;
    if (takes_material(cut)) {
        for (float side : {cut.extent.left, cut.extent.bottom, cut.extent.right, cut.extent.top}) {
            text << ' ' << general_text(side);
        }
    }
    return text.str();
}

TEST(FaceCuts, EverySectionReportsWhatItCut) {
    const Json project = Json::parse(R"({"Generic": {"width": 20, "height": 10}, "Box_Main": {
        "a": {"location_x": 5, "location_y": 4, "visible_diameter": 1.2, "drill_diameter": 0.6},
        "b": {"location_x": 12, "location_y": 4, "visible_width": 2, "visible_height": 0.8,
              "drill_width": 1, "drill_height": 0.5},
        "c": {"location_x": 1, "location_y": 1},
        "d": {"location_x": 15, "location_y": 8, "visible_diameter": 0.1}}})");
    Arguments settings = veskaro::testing::cutting_settings(2, 3, 1.5, 300);
    settings.recess_depth = 1.5;
    settings.screw_size_top = 3;
    settings.screw_head_diameter = 8;
    settings.screw_head_height = 1.5;
    FaceCuts cuts;
    cuts.where = Where{"Box_Main", {}, false};
    build_face_program(project, "Box_Main", BoxSize{200, 100}, settings, cuts);
    std::vector<std::string> reported;
    for (const Cut& cut : cuts.cuts()) reported.push_back(summary(cut));
    const std::vector<std::string> expected = {
        "recess 0: 1 at -1.5, rings 3 to 1 44 54 56 66",
        "recess 1: 1 at -1.5, rows 4 110 56 130 64",
        "recess 3: no levels",  // narrower than the bit
        "opening 0: 2 at -3 47 57 53 63",
        "opening 1: 2 at -3 115 57.5 125 62.5",
        "hole 0: 2 at -3 6 6 9 9",
        "hole 1: 2 at -3 191 6 194 9",
        "hole 2: 2 at -3 6 91 9 94",
        "hole 3: 2 at -3 191 91 194 94",
        "head 0: 1 at -1.5, rings 2 to 0.5 4 4 11 11",
        "head 1: 1 at -1.5, rings 2 to 0.5 189 4 196 11",
        "head 2: 1 at -1.5, rings 2 to 0.5 4 89 11 96",
        "head 3: 1 at -1.5, rings 2 to 0.5 189 89 196 96",
        "outline 0: 2 at -3 -1 -1 201 101",
    };
    EXPECT_EQ(reported, expected);
}

}  // namespace
