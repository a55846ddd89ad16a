// veskaro-check as a user runs it: one small project or setting per defect
// with the exact lines it gives, clean projects without a warning, the exit
// statuses, and the generator's own refusals in the generator's own words.
#include <algorithm>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/process.h"

namespace {

using veskaro::testing::list_folder;
using veskaro::testing::Outcome;
using veskaro::testing::read_file;
using veskaro::testing::run_generator;
using veskaro::testing::run_program;
using veskaro::testing::TempFolder;

using Options = std::vector<std::pair<std::string, std::string>>;

const std::string kLed = R"("led": {"location_x": 5, "location_y": 5, "drill_diameter": 1})";
const std::string kGeneric = R"("Generic": {"width": 20, "height": 10})";

std::string box(const std::string& members, const std::string& generic = kGeneric) {
    return "{" + generic + ", " + members + "}";
}

// A 200 x 100 mm horizontal face holding the components.
std::string box_main(const std::string& components) { return box(R"("Box_Main": {)" + components + "}"); }

std::string component(const std::string& name, const std::string& members) {
    return "\"" + name + "\": {" + members + "}";
}

// -j box.json -o out, a 3 mm sheet in 1.5 mm passes, a 50 mm box height, a
// 2 mm bit and no outline; an option of the case replaces the same one.
std::vector<std::string> command(const Options& options) {
    Options all = {{"-t", "3"}, {"-b", "50"}, {"-d", "1.5"}, {"-m", "2"}, {"--outline", "false"}};
    for (const auto& option : options) {
        auto same = std::find_if(all.begin(), all.end(), [&](const auto& o) { return o.first == option.first; });
        if (same != all.end()) {
            same->second = option.second;
        } else {
            all.push_back(option);
        }
    }
    std::vector<std::string> args = {"-j", "box.json", "-o", "out"};
    for (const auto& [name, value] : all) {
        if (name.rfind("--", 0) == 0) {
            args.push_back(name + "=" + value);
        } else {
            args.insert(args.end(), {name, value});
        }
    }
    return args;
}

Outcome check(const std::vector<std::string>& args, const std::string& folder) {
    return run_program(VESKARO_CHECK, args, folder);
}

struct Case {
    const char* defect;
    std::string project;
    Options options;
    std::string out;  // every line, the summary included
};

TEST(Check, EachDefectGivesItsLines) {
    const std::string screw_layout_note =
        "note: screw-head-diameter: the head recesses come out 9.00 mm across for the 10.00 mm heads\n";
    // The head recess and the hole it surrounds, both beyond the outline.
    auto screws_across = [](const std::string& at, const std::string& side, const std::string& end) {
        return "warning: Box_Main: the screw-head recess at " + at + " reaches 3.00 mm beyond the panel's " + side +
               " edge and 3.00 mm beyond its " + end + " edge\nwarning: Box_Main: the screw hole at " + at +
               " reaches 1.00 mm beyond the panel's " + side + " edge and 1.00 mm beyond its " + end + " edge\n";
    };
    const std::string ten_mm_square = R"("drill_width": 1, "drill_height": 1)";
    const std::vector<Case> cases = {
        // Not read at all.
        {"a key mistyped",
         box_main(component("knob", R"("location_x": 10, "location_y": 5, "drill_diamter": 1)")),
         {},
         "warning: Box_Main / knob: \"drill_diamter\" is not read; did you mean \"drill_diameter\"?\n"
         "1 warning, 0 notes\n"},
        {"a key that is the last word of one",
         box_main(component("led", R"("location_x": 5, "location_y": 5, "width": 1)")),
         {},
         "warning: Box_Main / led: \"width\" is not read; did you mean \"drill_width\"?\n1 warning, 0 notes\n"},
        {"a key of its own",
         box_main(component("led", R"("location_x": 5, "location_y": 5, "part": "LED-5")")),
         {},
         "note: Box_Main / led: \"part\" is not read\n0 warnings, 1 note\n"},
        {"a face without \"_\"",
         box(R"("RadioTop": {"knob": {"location_x": 2, "location_y": 2}}, "Box_Main": {)" + kLed + "}"),
         {},
         "warning: project: \"RadioTop\" is not a face and is not read: a face's name contains \"_\"\n"
         "1 warning, 0 notes\n"},
        {"a key of \"Generic\" mistyped",
         box(R"("Box_Main": {)" + kLed + "}", R"("Generic": {"width": 20, "height": 10, "widht": 20})"),
         {},
         "warning: project: \"widht\" in \"Generic\" is not read; did you mean \"width\"?\n1 warning, 0 notes\n"},
        {"no face at all",
         box(R"("Notes": "none")"),
         {},
         "warning: project: no member's name contains \"_\": there is no face to cut\n1 warning, 0 notes\n"},
        {"a face without components",
         box(R"("Box_Main": {)" + kLed + R"(}, "Box_Back": {})"),
         {},
         "note: Box_Back: the face has no components\n0 warnings, 1 note\n"},
        {"a face marker in lower case",
         box(R"("Box_main": {)" + kLed + "}"),
         {},
         "warning: Box_main: the name holds \"_main\", but face markers are case-sensitive (\"_Main\"): it is cut "
         "as a side face, 56.00 x 106.00 mm\n1 warning, 0 notes\n"},
        {"half a rectangle",
         box_main(component("usb", R"("location_x": 10, "location_y": 5, "drill_width": 1.2)")),
         {},
         "warning: Box_Main / usb: \"drill_width\" is given without a \"drill_height\" above 0: no opening is cut\n"
         "1 warning, 0 notes\n"},
        {"a circle and a rectangle",
         box_main(component("led", R"("location_x": 5, "location_y": 5, "drill_diameter": 1, "drill_width": 1, )"
                                   R"("drill_height": 1)")),
         {},
         "note: Box_Main / led: \"drill_diameter\" is given, so \"drill_width\" and \"drill_height\" are not used\n"
         "0 warnings, 1 note\n"},

        // Off the panel.
        {"an opening over the edge",
         box_main(component("led", R"("location_x": 19.8, "location_y": 5, "drill_diameter": 1)")),
         {},
         "warning: Box_Main / led: the opening reaches 3.00 mm beyond the panel's right edge\n1 warning, 0 notes\n"},
        {"a location in millimetres",
         box_main(component("led", R"("location_x": 50, "location_y": 50, "drill_diameter": 1)")),
         {},
         "warning: Box_Main / led: the opening lies wholly outside the panel, 395.00 mm beyond its bottom edge; the "
         "location looks like millimetres: it is read in centimetres, and divided by 10 it would lie on the panel\n"
         "1 warning, 0 notes\n"},
        {"a recess over the edge, within the outline's kerf",
         box_main(component("led", R"("location_x": 1, "location_y": 5, "visible_diameter": 1.9)")),
         {{"-r", "1.5"}, {"--outline", "true"}},
         "note: Box_Main: the outline runs on the face's edge: the panel comes out 198.00 x 98.00 mm, not 200.00 x "
         "100.00 mm\nwarning: Box_Main / led: the recess reaches 0.50 mm beyond the panel's left edge\n"
         "1 warning, 1 note\n"},
        {"screws pushed out by a negative margin",
         box_main(kLed),
         {{"-e", "3"}, {"-n", "-4"}},
         "warning: Box_Main: the screw hole at 0.50, 0.50 reaches 1.00 mm beyond the panel's left edge and 1.00 mm "
         "beyond its bottom edge\n"
         "warning: Box_Main: the screw hole at 199.50, 0.50 reaches 1.00 mm beyond the panel's right edge and 1.00 "
         "mm beyond its bottom edge\n"
         "warning: Box_Main: the screw hole at 0.50, 99.50 reaches 1.00 mm beyond the panel's left edge and 1.00 mm "
         "beyond its top edge\n"
         "warning: Box_Main: the screw hole at 199.50, 99.50 reaches 1.00 mm beyond the panel's right edge and 1.00 "
         "mm beyond its top edge\n4 warnings, 0 notes\n"},
        {"screw holes across the outline, under wider head recesses",
         box_main(kLed),
         {{"-e", "3"}, {"-i", "8"}, {"-a", "1.5"}, {"-n", "-6"}, {"--outline", "true"}},
         "note: screw-head-diameter: the head recesses come out 7.00 mm across for the 8.00 mm heads\n"
         "note: Box_Main: the outline runs on the face's edge: the panel comes out 198.00 x 98.00 mm, not 200.00 x "
         "100.00 mm\n" +
             screws_across("1.50, 1.50", "left", "bottom") + screws_across("198.50, 1.50", "right", "bottom") +
             screws_across("1.50, 98.50", "left", "top") + screws_across("198.50, 98.50", "right", "top") +
             "8 warnings, 2 notes\n"},

        // Collisions: a long slot meets two openings, one of them only near
        // its far end, and misses a third.
        {"openings that overlap",
         box_main(component("a", R"("location_x": 7, "location_y": 5, "drill_width": 10, "drill_height": 1)") + ", " +
                  component("b", R"("location_x": 6, "location_y": 5, "drill_diameter": 0.5)") + ", " +
                  component("c", R"("location_x": 15, "location_y": 5, "drill_diameter": 1)") + ", " +
                  component("d", R"("location_x": 11.5, "location_y": 5.5, "drill_diameter": 1)")),
         {},
         "note: Box_Main / a: the opening's inner corners are rounded to the bit's radius, 1.00 mm\n"
         "warning: Box_Main / a: the opening overlaps the opening of \"b\"\n"
         "warning: Box_Main / a: the opening overlaps the opening of \"d\"\n2 warnings, 1 note\n"},
        {"openings that share an edge",
         box_main(component("a", R"("location_x": 5, "location_y": 5, )" + ten_mm_square) + ", " +
                  component("b", R"("location_x": 6, "location_y": 5, )" + ten_mm_square)),
         {},
         "note: Box_Main / a: the opening's inner corners are rounded to the bit's radius, 1.00 mm\n"
         "note: Box_Main / b: the opening's inner corners are rounded to the bit's radius, 1.00 mm\n"
         "warning: Box_Main / a: the opening touches the opening of \"b\": they are cut as one hole\n"
         "1 warning, 2 notes\n"},
        {"screw holes that merge on a 10 x 10 mm top",
         box(R"("Box_Top": {})", R"("Generic": {"width": 1, "height": 1})"),
         {{"-e", "3"}},
         "note: Box_Top: the face has no components\n"
         "warning: Box_Top: the screw holes at 4.50, 4.50 and 5.50, 4.50 overlap by 2.00 mm: they are cut as one "
         "hole\n"
         "warning: Box_Top: the screw holes at 4.50, 4.50 and 4.50, 5.50 overlap by 2.00 mm: they are cut as one "
         "hole\n"
         "warning: Box_Top: the screw holes at 4.50, 4.50 and 5.50, 5.50 overlap by 1.59 mm: they are cut as one "
         "hole\n"
         "warning: Box_Top: the screw holes at 5.50, 4.50 and 4.50, 5.50 overlap by 1.59 mm: they are cut as one "
         "hole\n"
         "warning: Box_Top: the screw holes at 5.50, 4.50 and 5.50, 5.50 overlap by 2.00 mm: they are cut as one "
         "hole\n"
         "warning: Box_Top: the screw holes at 4.50, 5.50 and 5.50, 5.50 overlap by 2.00 mm: they are cut as one "
         "hole\n6 warnings, 1 note\n"},
        {"a wall to the outline thinner than 1 mm",
         box_main(component("a", R"("location_x": 0.603, "location_y": 5, "drill_diameter": 1)")),
         {{"--outline", "true"}},
         "note: Box_Main: the outline runs on the face's edge: the panel comes out 198.00 x 98.00 mm, not 200.00 x "
         "100.00 mm\nwarning: Box_Main: the wall between \"a\" and the outline is 0.03 mm\n1 warning, 1 note\n"},
        {"walls thinner than --min-wall 3, between turned openings and to a screw hole",
         box_main(component("a", R"("location_x": 5, "location_y": 5, "rotation": 45, )" + ten_mm_square) + ", " +
                  component("b", R"("location_x": 6.4142, "location_y": 5, "rotation": 45, )" + ten_mm_square) +
                  ", " + component("c", R"("location_x": 0.85, "location_y": 9.15, "drill_diameter": 0.4)")),
         {{"-e", "3"}, {"--min-wall", "3"}},
         "note: Box_Main / a: the opening's inner corners are rounded to the bit's radius, 1.00 mm\n"
         "note: Box_Main / b: the opening's inner corners are rounded to the bit's radius, 1.00 mm\n"
         "warning: Box_Main: the wall between \"a\" and \"b\" is 0.83 mm\n"
         "warning: Box_Main: the wall between \"c\" and the screw hole at 4.50, 4.50 is 2.16 mm\n"
         "2 warnings, 2 notes\n"},
        {"an opening on a screw hole",
         box_main(component("led", R"("location_x": 0.6, "location_y": 9.4, "drill_diameter": 0.6)")),
         {{"-e", "3"}},
         "warning: Box_Main / led: the opening overlaps the screw hole at 4.50, 4.50\n1 warning, 0 notes\n"},
        {"an opening on a screw-head recess",
         box_main(component("led", R"("location_x": 1.3, "location_y": 8.7, "drill_diameter": 0.6)")),
         {{"-e", "3"}, {"-i", "10"}, {"-a", "1.5"}},
         screw_layout_note +
             "warning: Box_Main / led: the opening overlaps the screw-head recess at 8.50, 8.50\n1 warning, 1 note\n"},

        // Sizes the bit cannot make.
        {"a slot narrower than the bit",
         box_main(component("slot", R"("location_x": 5, "location_y": 5, "drill_width": 0.2, "drill_height": 2)")),
         {{"-m", "3.175"}},
         "warning: Box_Main / slot: the opening is 2.00 mm wide, narrower than the bit: it comes out 4.35 mm wide\n"
         "note: Box_Main / slot: the opening's inner corners are rounded to the bit's radius, 1.59 mm\n"
         "1 warning, 1 note\n"},
        {"screws narrower than the bit",
         box_main(kLed),
         {{"-m", "3.175"}, {"-e", "3"}},
         "warning: screw-size-top: the 3.00 mm screw holes are narrower than the bit: they come out 3.35 mm across\n"
         "1 warning, 0 notes\n"},
        {"a hole as wide as the bit",
         box_main(component("led", R"("location_x": 5, "location_y": 5, "drill_diameter": 0.2)")),
         {},
         "note: Box_Main / led: the opening is as wide as the bit: the bit only plunges (an arc of radius 0)\n"
         "0 warnings, 1 note\n"},
        {"a recess narrower than the bit",
         box_main(component("led", R"("location_x": 5, "location_y": 5, "visible_diameter": 0.15)")),
         {{"-r", "1.5"}},
         "warning: Box_Main / led: the recess is 1.50 mm across, narrower than the bit: it is not cut at all\n"
         "1 warning, 0 notes\n"},
        {"recess circles that stop short of the centre",
         box_main(component("led", R"("location_x": 5, "location_y": 5, "visible_diameter": 1.4)")),
         {{"-r", "1.5"}, {"-m", "3"}},
         "warning: Box_Main / led: the recess's circles leave an island 2.00 mm across uncut at its centre\n"
         "1 warning, 0 notes\n"},
        {"a rectangular recess lower than the bit",
         box_main(component("label", R"("location_x": 5, "location_y": 5, "visible_width": 2, "visible_height": 0.2)")),
         {{"-r", "1.5"}, {"-m", "3"}},
         "warning: Box_Main / label: the recess is 2.00 mm high, narrower than the bit: it comes out 3.00 mm high\n"
         "1 warning, 0 notes\n"},

        // Depths not reached.
        {"passes that stop 1 mm short",
         box_main(kLed),
         {{"-d", "2"}},
         "warning: cut-depth-per-pass: the deepest pass is at -2.00 mm in the 3.00 mm material: 1.00 mm is left "
         "uncut\n1 warning, 0 notes\n"},
        {"passes that stop short in single precision",
         box_main(kLed),
         {{"-t", "3.2"}, {"-d", "0.4"}},
         "warning: cut-depth-per-pass: the deepest pass is at -2.80 mm in the 3.20 mm material: 0.40 mm is left "
         "uncut\n1 warning, 0 notes\n"},
        {"a pass deeper than the sheet",
         box_main(kLed),
         {{"-d", "4"}},
         "warning: cut-depth-per-pass: 4.00 mm is more than the 3.00 mm material: no through-cut gets a pass\n"
         "1 warning, 0 notes\n"},
        {"a recess shallower than a pass",
         box_main(component("led", R"("location_x": 5, "location_y": 5, "visible_diameter": 2)")),
         {{"-r", "1"}},
         "warning: recess-depth: 1.00 mm is less than the 1.50 mm depth per pass: no recess is cut\n"
         "1 warning, 0 notes\n"},
        {"a recess through the sheet",
         box_main(component("led", R"("location_x": 5, "location_y": 5, "drill_diameter": 1, "visible_diameter": 2)")),
         {{"-r", "3"}},
         "warning: Box_Main / led: the recess is cut down to -3.00 mm, through the 3.00 mm material: it comes out a "
         "hole 20.00 mm across\n1 warning, 0 notes\n"},
        {"recess circles that stop short of the centre, through the sheet: the post falls out",
         box_main(component("led", R"("location_x": 5, "location_y": 5, "visible_diameter": 1.4)")),
         {{"-r", "3"}, {"-m", "3"}},
         "warning: Box_Main / led: the recess is cut down to -3.00 mm, through the 3.00 mm material: it comes out a "
         "hole 14.00 mm across\n1 warning, 0 notes\n"},
        {"head recesses through the sheet",
         box_main(kLed),
         {{"-e", "3"}, {"-i", "8"}, {"-a", "3"}},
         "note: screw-head-diameter: the head recesses come out 7.00 mm across for the 8.00 mm heads\n"
         "warning: screw-head-height: the head recesses are cut down to -3.00 mm, through the 3.00 mm material: the "
         "screw holes come out 7.00 mm across\n1 warning, 1 note\n"},
        {"screws narrower than the bit under head recesses through the sheet",
         box_main(kLed),
         {{"-m", "3.175"}, {"-e", "3"}, {"-i", "8"}, {"-a", "3"}},
         "note: screw-head-diameter: the head recesses come out 6.41 mm across for the 8.00 mm heads\n"
         "warning: screw-head-height: the head recesses are cut down to -3.00 mm, through the 3.00 mm material: the "
         "screw holes come out 6.41 mm across\n1 warning, 1 note\n"},
        {"screw heads cut short",
         box_main(kLed),
         {{"-e", "4"}, {"-i", "9"}, {"-a", "2"}, {"-d", "0.75"}},
         "note: screw-head-diameter: the head recesses come out 8.00 mm across for the 9.00 mm heads\n"
         "note: screw-head-height: the deepest level is at -1.50 mm: the head recesses are 0.50 mm shallower than "
         "2.00 mm\n0 warnings, 2 notes\n"},

        // Settings that cut nothing or contradict each other.
        {"no material",
         box_main(kLed),
         {{"-t", "0"}},
         "warning: material-thickness: 0.00 mm is not above 0: nothing is cut through\n1 warning, 0 notes\n"},
        {"no box height",
         box(R"("Box_Main": {)" + kLed + R"(}, "Box_Back": {})"),
         {{"-b", "0"}},
         "warning: box-height-3d: 0.00 mm is not above 0: the end and side faces are sized from it\n"
         "note: Box_Back: the face has no components\n1 warning, 1 note\n"},
        {"screw heads smaller than the screws",
         box_main(kLed),
         {{"-e", "4"}, {"-i", "2.5"}, {"-a", "1.5"}},
         "warning: screw-head-diameter: the 2.50 mm heads are smaller than the 4.00 mm screws\n"
         "warning: screw-head-diameter: the 2.50 mm heads are too small for the bit: no head recess is cut\n"
         "2 warnings, 0 notes\n"},
        {"a recess smaller than its opening",
         box_main(component("led", R"("location_x": 5, "location_y": 5, "visible_diameter": 1, "drill_width": 1, )"
                                   R"("drill_height": 0.6)")),
         {{"-r", "1.5"}},
         "warning: Box_Main / led: the recess (10.00 mm across) is smaller than its opening (10.00 x 6.00 mm)\n"
         "note: Box_Main / led: the opening's inner corners are rounded to the bit's radius, 1.00 mm\n"
         "1 warning, 1 note\n"},
        {"bottom screws of another size",
         box(R"("Box_Bottom": {)" + kLed + "}"),
         {{"-e", "3"}, {"-w", "4"}},
         "warning: screw-size-bottom: the \"_Bottom\" faces are drilled with the top size, 3.00 mm, not 4.00 mm\n"
         "1 warning, 0 notes\n"},
        {"a negative bit",
         box_main(kLed),
         {{"-m", "-1"}},
         "warning: bit-diameter: -1.00 mm is below 0: the bit compensation goes the wrong way\n1 warning, 0 notes\n"},

        // What comes out otherwise than drawn.
        {"the panel after the outline",
         box(R"("Box_Main": {)" + kLed + "}", R"("Generic": {"width": 12, "height": 8})"),
         {{"-m", "3.175"}, {"--outline", "true"}},
         "note: Box_Main: the outline runs on the face's edge: the panel comes out 116.83 x 76.83 mm, not 120.00 x "
         "80.00 mm\n0 warnings, 1 note\n"},
        {"recess rows beyond the visible height",
         box_main(component("label", R"("location_x": 5, "location_y": 5, "visible_width": 2, "visible_height": 1)")),
         {{"-r", "1.5"}, {"-m", "3"}},
         "note: Box_Main / label: the recess rows reach 2.00 mm beyond its 10.00 mm height: it is cut 20.00 x 12.00 "
         "mm\n"
         "note: Box_Main / label: the recess rows leave cusps along the sides where they turn, reaching 1.50 mm in "
         "from the edge\n0 warnings, 2 notes\n"},
        {"cusps where the recess rows turn",
         box_main(component("label", R"("location_x": 5, "location_y": 5, "visible_width": 2, "visible_height": 1)")),
         {{"-r", "1.5"}},
         "note: Box_Main / label: the recess rows leave cusps along the sides where they turn, reaching 1.00 mm in "
         "from the edge\n0 warnings, 1 note\n"},
        {"no bit",
         box_main(kLed),
         {{"-m", "0"}},
         "note: bit-diameter: 0.00 mm: nothing is compensated for the bit: openings come out wider, and panels "
         "smaller, by the real bit's diameter\n0 warnings, 1 note\n"},
        {"a clean project", box_main(kLed), {}, "0 warnings, 0 notes\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defect);
        TempFolder folder;
        folder.write("box.json", c.project);
        const Outcome outcome = check(command(c.options), folder.path());
        EXPECT_EQ(outcome.out, c.out);
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(outcome.status, c.out.find("warning: ") == std::string::npos ? 0 : 1);
        // Nothing is written, not even the output folder.
        EXPECT_EQ(list_folder(folder.path()), std::vector<std::string>{"box.json"});
    }
}

// The options of `make run`, as the Makefile gives them.
std::vector<std::string> make_run_options() {
    const std::string makefile = read_file(VESKARO_SOURCE_DIR "/Makefile");
    std::smatch found;
    std::regex_search(makefile, found, std::regex(R"(EXAMPLE_ARGS = ((?:[^\n]*\\\n)*[^\n]*))"));
    std::istringstream words(std::regex_replace(found[1].str(), std::regex(R"(\\\n)"), " "));
    std::vector<std::string> options;
    for (std::string word; words >> word;) options.push_back(word);
    return options;
}

TEST(Check, TheExampleWithTheSettingsOfMakeRunHasNoWarning) {
    TempFolder folder;
    ASSERT_EQ(std::system(("mkdir -p '" + folder.path() +
                           "/examples' && cp '" VESKARO_SOURCE_DIR "/examples/enclosure.json' '" + folder.path() +
                           "/examples/'")
                              .c_str()),
              0);
    const std::vector<std::string> options = make_run_options();
    ASSERT_EQ(options.front(), "-j");
    const Outcome outcome = check(options, folder.path());
    auto rounded = [](const std::string& component) {
        return "note: " + component + ": the opening's inner corners are rounded to the bit's radius, 1.00 mm\n";
    };
    auto cusps = [](const std::string& component) {
        return "note: " + component +
               ": the recess rows leave cusps along the sides where they turn, reaching 1.00 mm in from the edge\n";
    };
    auto panel = [](const std::string& face, const std::string& out, const std::string& size) {
        return "note: " + face + ": the outline runs on the face's edge: the panel comes out " + out + " mm, not " +
               size + " mm\n";
    };
    EXPECT_EQ(
        outcome.out,
        "note: screw-head-diameter: the head recesses come out 7.00 mm across for the 8.00 mm heads\n"
        "note: screw-head-height: the deepest level is at -1.50 mm: the head recesses are 0.50 mm shallower "
        "than 2.00 mm\n"
        "note: project: \"notes\" in \"Generic\" is not read\n" +
            panel("Enclosure_Back", "158.00 x 64.00", "160.00 x 66.00") + rounded("Enclosure_Back / usb_c") +
            panel("Enclosure_Front", "158.00 x 64.00", "160.00 x 66.00") + cusps("Enclosure_Front / name_plate") +
            cusps("Enclosure_Front / power_switch") + rounded("Enclosure_Front / power_switch") +
            panel("Enclosure_Left", "64.00 x 104.00", "66.00 x 106.00") + rounded("Enclosure_Left / vent_lower") +
            rounded("Enclosure_Left / vent_upper") + panel("Enclosure_Main", "158.00 x 98.00", "160.00 x 100.00") +
            cusps("Enclosure_Main / display") + rounded("Enclosure_Main / display") +
            rounded("Enclosure_Main / mode_switch") + panel("Enclosure_Right", "64.00 x 104.00", "66.00 x 106.00") +
            cusps("Enclosure_Right / sd_slot") + rounded("Enclosure_Right / sd_slot") + "0 warnings, 19 notes\n");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, 0);
}

TEST(Check, StatusTwoWhenTheCheckCannotRun) {
    TempFolder folder;
    folder.write("box.json", box_main(kLed));
    const std::string use_help = "\n\nUse --help for usage information.\n";
    struct Refusal {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Refusal> refusals = {
        {{}, "Error: Option 'json-file' has no value" + use_help},
        {command({{"--depth", "1"}}), "Error: Option 'depth' does not exist" + use_help},
        {command({{"-d", "0"}}), "Error: Option 'cut-depth-per-pass' must be greater than 0" + use_help},
        {command({{"--min-wall", "-0.5"}}), "Error: Option 'min-wall' must be 0 or greater" + use_help},
        {command({{"--min-wall", "1mm"}}), "Error: Argument '1mm' failed to parse" + use_help},
        // Its help is its own: an option given twice is refused, where the
        // generator takes the last one.
        {command({{"--bit-diameter", "40"}}), "Error: Option 'bit-diameter' is given more than once" + use_help},
        {{"-j", "none.json", "-o", "out", "-t", "3", "-b", "50", "-d", "1.5"},
         "Error: cannot read 'none.json': No such file or directory\n"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.err);
        const Outcome outcome = check(refusal.args, folder.path());
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, refusal.err);
        EXPECT_EQ(outcome.status, 2);
    }

    // Without "Generic" the generator skips every face; what can be said
    // without the box size is said.
    folder.write("box.json", R"({"generic": {"width": 20, "height": 10}, "Box_Main": {)" + kLed + "}}");
    Outcome outcome = check(command({}), folder.path());
    EXPECT_EQ(outcome.out,
              "warning: project: \"generic\" is not read: the box size is read from \"Generic\" alone, and member "
              "names are case-sensitive\n1 warning, 0 notes\n");
    EXPECT_EQ(outcome.err, "Error: 'Generic' data missing\n");
    EXPECT_EQ(outcome.status, 2);

    // A report that cannot be written is a failure, not a warning.
    folder.write("box.json", box_main(kLed));
    const std::string shell = "cd '" + folder.path() +
                              "' && '" VESKARO_CHECK
                              "' -j box.json -o out -t 3 -b 50 -d 1.5 >/dev/full 2>err.txt; echo $? >status.txt";
    ASSERT_EQ(std::system(shell.c_str()), 0);
    EXPECT_EQ(read_file(folder.path() + "/status.txt"), "2\n");
    EXPECT_EQ(read_file(folder.path() + "/err.txt"), "Error: cannot write to standard output\n");

    outcome = check({"--help"}, folder.path());
    EXPECT_EQ(outcome.status, 0);
    const std::string help_start =
        "VESKARO project check: says what each face will really cut with the settings of veskaro-gcode, before any "
        "material is (v.1.0.0)\n\nUsage:\n  veskaro-check [OPTION...]\n\n  -j, --json-file arg ";
    EXPECT_EQ(outcome.out.substr(0, help_start.size()), help_start);
}

TEST(Check, RefusesWhatTheGeneratorRefusesInItsWords) {
    const std::vector<std::pair<std::string, Options>> projects = {
        {box_main(R"("led": 5)"), {}},
        {box_main(component("led", R"("location_x": 5)")), {}},
        {box_main(component("led", R"("location_x": 5, "location_y": 5, "visible_width": "2")")), {{"-r", "1.5"}}},
        {box(R"("Box_Main": "none")"), {}},
        {box(R"("Box_/Main": {})"), {}},
        {box(R"("Box_Main": {})", R"("Generic": {"width": "20", "height": 10})"), {}},
        // Beyond single precision: a coordinate, and a step lost in a recess.
        {box_main(component("led", R"("location_x": 1e38, "location_y": 5, "drill_diameter": 1)")), {}},
        {box_main(component("led", R"("location_x": 5, "location_y": 5, "visible_diameter": 1e9)")), {{"-r", "1.5"}}},
        {box(R"("Box_Main": {})", R"("Generic": {"width": 1e38, "height": 10})"), {{"--outline", "true"}}},
        // A program longer than ten million lines.
        {box(R"("Box_Main": {})"), {{"-d", "0.000001"}, {"--outline", "true"}}},
    };
    for (const auto& [project, options] : projects) {
        SCOPED_TRACE(project);
        TempFolder folder;
        folder.write("box.json", project);
        std::vector<std::string> args = command(options);
        const Outcome checked = check(args, folder.path());
        args.push_back("--simulate");
        const Outcome generated = run_generator(args, folder.path());
        ASSERT_EQ(generated.status, 1);
        EXPECT_EQ(checked.err, generated.err);
        EXPECT_EQ(checked.out, "");
        EXPECT_EQ(checked.status, 2);
    }
}

}  // namespace
