// The simulated cut against what must come out: small hand-written programs
// whose parts, holes, bridges and skin are known exactly, and the findings
// each kind of fault gives.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "simulate/analysis.h"
#include "simulate/cut_sheet.h"
#include "simulate/depth_line.h"
#include "toolpath/program_file.h"

namespace {

using namespace veskaro::simulate;

// Sizes come within this of the exact geometry.
constexpr double kSize = 0.01;

std::string program(const std::string& moves) { return "G21\nG90\nG0 Z5\n" + moves + "G0 Z5\nM30\n"; }

// A closed rectangle of the tool centre at `z`, from its lower left corner.
std::string loop(double x0, double y0, double x1, double y1, double z, const std::string& name = "") {
    std::ostringstream out;
    out << "G0 X" << x0 << " Y" << y0 << "\nG1 Z" << z << " F300 ; Start cutting " << (name.empty() ? "" : name + " ")
        << "down to " << z << "mm\nG1 X" << x1 << " Y" << y0 << "\nG1 X" << x1 << " Y" << y1 << "\nG1 X" << x0
        << " Y" << y1 << "\nG1 X" << x0 << " Y" << y0 << "\n";
    return out.str();
}

// The opening of a component as the generator cuts it: named from the
// first pass to the lift.
std::string opening(double x0, double y0, double x1, double y1, double z, const std::string& name) {
    return loop(x0, y0, x1, y1, z, name) + "G0 Z5 ; Lift to safe height after cutting " + name + "\n";
}

// The outline of a 100 x 60 mm face on its edge, in passes to each depth.
std::string outline(const std::vector<double>& depths, double inset = 0) {
    std::string moves;
    for (double z : depths) moves += loop(inset, inset, 100 - inset, 60 - inset, z);
    return moves + "G0 Z5\n";
}

struct HoleSize {
    double width;
    double height;
    double diameter;  // 0: not round
    double area;      // 0: not checked
};

struct ExactCase {
    std::string name;
    std::string program;
    double bit;
    double thickness;
    Hold hold;
    double width, height;  // of the part
    std::vector<HoleSize> holes;
    double bridge_width = 0, bridge_height = 0;  // of the one bridge
    double skin = 0;
    std::vector<std::string> findings = {};
};

Analysis analysed(const std::string& text, double bit, double thickness) {
    std::istringstream in(text);
    const veskaro::toolpath::Program read = veskaro::toolpath::read_program(in, "face.nc");
    return analyse(cut_sheet(read, {bit, thickness, 0.05}), read, {});
}

TEST(SimulatedCut, ExactCases) {
    const double r = 3.175 / 2;
    const std::vector<ExactCase> cases = {
        {"a rectangle outline on the face's edge: the part is a bit smaller",
         program(outline({-1.5, -3})), 3.175, 3, Hold::freed, 100 - 3.175, 60 - 3.175, {}},
        {"the same half a bit outside: exactly the face",
         program(outline({-1.5, -3}, -r)), 3.175, 3, Hold::freed, 100, 60, {}},
        {"a circle: as wide as its path and the bit",
         program("G0 X60 Y30\nG1 Z-3 F300\nG2 X60 Y30 I-10 J0\nG0 Z5\n" + outline({-3})), 3.175, 3, Hold::freed,
         100 - 3.175, 60 - 3.175, {{23.175, 23.175, 23.175, 0}}},
        {"a turned rectangle opening: its corners rounded by the bit",
         program("G0 X44.2058 Y22.0359\nG1 Z-3 F300\nG1 X59.7942 Y31.0359\nG1 X55.7942 Y37.9641\n"
                 "G1 X40.2058 Y28.9641\nG1 X44.2058 Y22.0359\nG0 Z5\n" + outline({-3})),
         2, 3, Hold::freed, 98, 58, {{21.5885, 17.9282, 0, 199.1416}}},
        {"a slot narrower than the bit: as wide as the bit and its crossed path",
         program(loop(50.5875, 21.5875, 49.4125, 38.4125, -3) + "G0 Z5\n" + outline({-3})), 3.175, 3,
         Hold::freed, 100 - 3.175, 60 - 3.175, {{4.35, 20, 0, 0}}},
        {"two openings that touch: one hole",
         program(opening(21, 21, 29, 29, -3, "a") + opening(31, 21, 39, 29, -3, "b") +
                 outline({-3})),
         2, 3, Hold::freed, 98, 58, {{20, 10, 0, 0}}, 0, 0, 0, {"\"a\" and \"b\" are cut as one hole"}},
        {"passes that stop 0.4 mm short: not cut free",
         program(outline({-1.4, -2.8})), 3.175, 3.2, Hold::skin, 100 - 3.175, 60 - 3.175, {}, 0, 0, 0.4,
         {"uncut skin 0.40 mm thick under the cut around the part"}},
        {"the last pass lifted over 6 mm: held by one bridge",
         program(loop(0, 0, 100, 60, -1.5) +
                 "G1 Z-3\nG1 X47 Y0\nG1 Z-2\nG1 X53\nG1 Z-3\nG1 X100\nG1 Y60\nG1 X0\nG1 Y0\nG0 Z5\n"),
         3.175, 3, Hold::bridges, 100 - 3.175, 60 - 3.175, {}, 6, 1},
        {"held by a bridge, an opening cut across its left edge: the panel is the part, not the slug that comes free",
         program("G0 X8 Y30\nG1 Z-3 F300 ; Start cutting knob down to -3mm\nG2 X8 Y30 I-8 J0\n"
                 "G0 Z5 ; Lift to safe height after cutting knob\n" + loop(0, 0, 100, 60, -1.5) +
                 "G1 Z-3\nG1 X47 Y0\nG1 Z-2\nG1 X53\nG1 Z-3\nG1 X100\nG1 Y60\nG1 X0\nG1 Y0\nG0 Z5\n"),
         3.175, 3, Hold::bridges, 100 - 3.175, 60 - 3.175, {}, 6, 1, 0,
         {"\"knob\" reaches 11.17 mm beyond the part's left edge"}},
    };
    for (const ExactCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Analysis analysis = analysed(c.program, c.bit, c.thickness);
        ASSERT_FALSE(analysis.parts.empty());
        const Part& part = analysis.parts.front();
        EXPECT_EQ(part.hold, c.hold);
        EXPECT_NEAR(part.box.width(), c.width, kSize);
        EXPECT_NEAR(part.box.height(), c.height, kSize);
        ASSERT_EQ(part.holes.size(), c.holes.size());
        for (std::size_t n = 0; n < c.holes.size(); ++n) {
            const Hole& hole = part.holes[n];
            EXPECT_NEAR(hole.box.width(), c.holes[n].width, kSize);
            EXPECT_NEAR(hole.box.height(), c.holes[n].height, kSize);
            EXPECT_EQ(hole.diameter.has_value(), c.holes[n].diameter > 0);
            if (hole.diameter) {
                EXPECT_NEAR(*hole.diameter, c.holes[n].diameter, kSize);
            }
            if (c.holes[n].area > 0) {
                EXPECT_NEAR(hole.area, c.holes[n].area, c.holes[n].area * 0.001);
            }
        }
        ASSERT_EQ(part.bridges.size(), c.bridge_width > 0 ? 1U : 0U);
        if (c.bridge_width > 0) {
            EXPECT_NEAR(part.bridges[0].width, c.bridge_width, kSize);
            EXPECT_NEAR(part.bridges[0].height, c.bridge_height, kSize);
        }
        ASSERT_EQ(part.skin.has_value(), c.skin > 0);
        if (part.skin) {
            EXPECT_NEAR(part.skin->height, c.skin, kSize);
        }
        std::vector<std::string> findings;
        for (const Finding& finding : analysis.findings) findings.push_back(finding.text);
        EXPECT_EQ(findings, c.findings);
    }
}

TEST(SimulatedCut, FindingsOfEachKind) {
    struct Case {
        std::string name;
        std::string program;
        std::vector<std::string> findings;
    };
    const std::vector<Case> cases = {
        {"an opening across the part's edge, and one far outside it",
         program(opening(93, 20, 103, 30, -3, "edge") + opening(150, 20, 160, 30, -3, "far") +
                 outline({-3})),
         {"\"edge\" reaches 5.00 mm beyond the part's right edge",
          "\"far\" lies wholly outside the part, 50.00 mm beyond its right edge"}},
        {"openings 0.5 mm apart",
         program(opening(21, 21, 29, 29, -3, "a") + opening(31.5, 21, 39.5, 29, -3, "b") +
                 outline({-3})),
         {"the wall between \"a\" and \"b\" is 0.50 mm"}},
        {"a screw hole 0.6 mm from the outline's cut",
         program("G0 X4.6 Y30\nG1 Z-3 F300\nG2 X4.6 Y30 I-1 J0\nG0 Z5\n" + outline({-3})),
         {"the wall between the hole at 3.60, 30.00 and the outline is 0.60 mm"}},
        {"recess circles that leave a post",
         program("G0 X54 Y30\nG1 Z-1 F300\nG2 X54 Y30 I-4 J0\nG0 Z5\nG0 X52 Y30\nG1 Z-1\nG2 X52 Y30 I-2 J0\n"
                 "G0 Z5\n" + outline({-3})),
         {"an island 2.00 mm across stands uncut in a recess"}},
        {"openings that stop short of the bottom, with the outline",
         program(opening(21, 21, 29, 29, -2.5, "a") + outline({-2.5})),
         {"uncut skin 0.50 mm thick under the cut around the part", "uncut skin 0.50 mm thick under \"a\""}},
        {"a rapid move through the material",
         program("G0 X10 Y10\nG1 Z-1 F300\nG0 X20 Y10\nG0 Z5\n" + outline({-3})),
         {"a rapid move at line 6 runs below Z 0, down to Z -1.00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Analysis analysis = analysed(c.program, 2, 3);
        std::vector<std::string> findings;
        for (const Finding& finding : analysis.findings) findings.push_back(finding.text);
        EXPECT_EQ(findings, c.findings);
    }
}

TEST(SimulatedCut, WithoutACutAroundItNothingIsCutFree) {
    // Openings without an outline: their slugs come free, the sheet does not.
    const Analysis analysis =
        analysed(program(opening(21, 21, 29, 29, -3, "a") + loop(51, 21, 59, 29, -3, "b")), 2, 3);
    EXPECT_EQ(analysis.parts.front().hold, Hold::none);
    EXPECT_EQ(analysis.parts.front().holes.size(), 2U);
}

TEST(SimulatedCut, RefusesProgramsBeyondASheet) {
    std::istringstream in(program("G0 X0 Y0\nG1 Z-1 F100\nG1 X10000.5\n"));
    const veskaro::toolpath::Program far = veskaro::toolpath::read_program(in, "face.nc");
    try {
        cut_sheet(far, {2, 3, 0.05});
        FAIL() << "not refused";
    } catch (const SimulationError& e) {
        EXPECT_EQ(e.line(), 6);
        EXPECT_STREQ(e.what(), "the move reaches 10000.50 mm from the origin: no sheet is wider than 10 m, the cut "
                               "is not simulated");
    }
    std::istringstream wide(program("G0 X0 Y0\nG1 Z-1 F100\nG1 X9000 Y9000\n"));
    const veskaro::toolpath::Program diagonal = veskaro::toolpath::read_program(wide, "face.nc");
    try {
        cut_sheet(diagonal, {2, 3, 0.005});
        FAIL() << "not refused";
    } catch (const SimulationError& e) {
        EXPECT_EQ(e.line(), 0);
        EXPECT_STREQ(e.what(), "at a cell of 0.005 mm the cut area of 9002.00 x 9002.00 mm needs more lines than "
                               "fit in 256 MiB; give a larger --cell");
    }
}

TEST(DepthLine, CutsKeepTheDeepestFloorAndCloseSlivers) {
    struct Case {
        std::string name;
        DepthLine before;
        float from, to, z;
        DepthLine after;
    };
    const std::vector<Case> cases = {
        {"into an uncut line", {}, 1, 2, -1, {{1, 2, -1}}},
        {"a deeper pass over a span", {{1, 2, -1}}, 1, 2, -2, {{1, 2, -2}}},
        {"a shallower cut inside a deeper span", {{0, 4, -2}}, 1, 2, -1, {{0, 4, -2}}},
        {"deeper across the end of a span", {{0, 2, -1}}, 1, 3, -2, {{0, 1, -1}, {1, 3, -2}}},
        {"deeper in the middle of a span", {{0, 4, -1}}, 1, 2, -2, {{0, 1, -1}, {1, 2, -2}, {2, 4, -1}}},
        {"bridging two spans", {{0, 1, -2}, {2, 3, -2}}, 0.5f, 2.5f, -1, {{0, 1, -2}, {1, 2, -1}, {2, 3, -2}}},
        {"as deep as the span it meets: one span", {{0, 1, -1}}, 1, 2, -1, {{0, 2, -1}}},
        {"a sliver under a hundredth closed", {{0, 1, -1}}, 1.005f, 2, -1, {{0, 2, -1}}},
        {"a gap of a hundredth kept", {{0, 1, -1}}, 1.02f, 2, -1, {{0, 1, -1}, {1.02f, 2, -1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DepthLine line = c.before, scratch;
        const long added = cut_line(line, c.from, c.to, c.z, scratch);
        ASSERT_EQ(line.size(), c.after.size());
        EXPECT_EQ(added, static_cast<long>(c.after.size()) - static_cast<long>(c.before.size()));
        for (std::size_t n = 0; n < line.size(); ++n) {
            EXPECT_FLOAT_EQ(line[n].from, c.after[n].from);
            EXPECT_FLOAT_EQ(line[n].to, c.after[n].to);
            EXPECT_FLOAT_EQ(line[n].z, c.after[n].z);
        }
    }
}

}  // namespace
