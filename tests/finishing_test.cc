// veskaro-post's finishing: where the tabs sit, where the panels go on a
// sheet, and the outline's lines as they are rewritten.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "post/outline_finish.h"
#include "support/process.h"
#include "support/program_text.h"
#include "post/outline_passes.h"
#include "post/sheet_layout.h"
#include "post/tab_places.h"
#include "toolpath/panel_marks.h"
#include "toolpath/program_file.h"

namespace {

using namespace veskaro::post;

TEST(Finishing, TabPlaces) {
    struct Row {
        const char* what;
        double width, height;
        int count;
        double tab_width, bit;
        std::vector<double> places;
    };
    const std::vector<Row> rows = {
        {"four tabs: the middles of the four edges", 100, 60, 4, 6, 3, {50, 130, 210, 290}},
        {"two: the top and the bottom", 100, 60, 2, 6, 3, {50, 210}},
        {"the short edges hold none: the places move on along the path", 100, 10, 4, 6, 3, {6, 50, 116, 160}},
        {"too crowded: fewer than asked", 20, 20, 8, 6, 3, {10, 26, 46, 66}},
        {"no edge long enough for a tab", 10, 11.9, 4, 6, 3, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(tab_places(row.width, row.height, row.count, row.tab_width, row.bit), row.places);
    }
}

TEST(Finishing, SheetLayout) {
    // A 100 x 100 mm sheet, gaps of 5 mm; sizes in hundredths of a mm.
    const BoxSize sheet{10000, 10000};
    const auto panel = [](Hundredths w, Hundredths h) { return PanelBox{{w, h}, {h, w}}; };
    struct Row {
        const char* what;
        std::vector<PanelBox> panels;
        std::vector<Placement> placements;  // sheet, x, y, turned
        int sheets;
    };
    const std::vector<Row> rows = {
        {"the largest first at the lower left, one turned where its top lies lower",
         {panel(3000, 3000), panel(6000, 4000), panel(5000, 2000)},
         {{0, 500, 5000, false}, {0, 500, 500, false}, {0, 7000, 500, true}},
         1},
        {"a second sheet when the first is full", {panel(6000, 6000), panel(6000, 6000)},
         {{0, 500, 500, false}, {1, 500, 500, false}}, 2},
        {"exactly as large as the sheet less its gaps", {panel(9000, 9000)}, {{0, 500, 500, false}}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const SheetLayout layout = lay_out(row.panels, sheet, 500);
        EXPECT_EQ(layout.sheets, row.sheets);
        ASSERT_EQ(layout.placements.size(), row.placements.size());
        for (std::size_t n = 0; n < row.placements.size(); ++n) {
            const Placement& got = layout.placements[n];
            const Placement& want = row.placements[n];
            EXPECT_EQ(got.sheet, want.sheet) << n;
            EXPECT_EQ(got.x, want.x) << n;
            EXPECT_EQ(got.y, want.y) << n;
            EXPECT_EQ(got.turned, want.turned) << n;
        }
    }
    try {
        lay_out({panel(3000, 3000), panel(9001, 1000)}, sheet, 500);
        ADD_FAILURE() << "no refusal";
    } catch (const PanelTooLarge& e) {
        EXPECT_EQ(e.panel(), 1u);
    }
    // The 76.83 a program writes is 7683 hundredths, not 7684.
    EXPECT_EQ(hundredths_up(76.83), 7683);
    EXPECT_EQ(hundredths_down(-1.5875), -159);
}

// A face program's outline as the generator writes it: 40 x 20 mm, passes
// at -1.5 and -3.
const std::string kOutline =
    "G0 Z5 ; lift\n"
    "G0 X0 Y20.00 ; Move to the starting point\n"
    "G1 Z-1.50 F300.00 ; Start cutting down to -1.50mm\n"
    "G1 X40.00 Y20.00 F300.00 ; Cut along the X axis\n"
    "G1 X40.00 Y0 ; Cut along the Y axis\n"
    "G1 X0 Y0 ; Cut back along the X axis\n"
    "G1 X0 Y20.00 ; Close the loop on the Y axis\n"
    "G0 X0 Y20.00 ; Move to the starting point\n"
    "G1 Z-3.00 F300.00 ; Start cutting down to -3.00mm\n"
    "G1 X40.00 Y20.00 F300.00 ; Cut along the X axis\n"
    "G1 X40.00 Y0 ; Cut along the Y axis\n"
    "G1 X0 Y0 ; Cut back along the X axis\n"
    "G1 X0 Y20.00 ; Close the loop on the Y axis\n"
    "G0 Z5 ; lift\n"
    "M30\n";

std::string finished(const std::string& text, const FinishOptions& options, FinishCounts* counts = nullptr) {
    std::istringstream in(text);
    const veskaro::toolpath::Program program = veskaro::toolpath::read_program(in, "face.nc");
    const std::optional<Outline> outline = find_outline(program);
    if (!outline) return "no outline";
    const FinishedOutline done = finish_outline(veskaro::testing::split_lines(text), *outline, options);
    if (counts != nullptr) *counts = done.counts;
    std::string out;
    for (std::size_t n = done.outline_begin; n < done.outline_end; ++n) out += done.lines[n] + "\n";
    return out;
}

TEST(Finishing, OutlineLines) {
    FinishOptions outside;
    outside.outline = OutlinePlace::outside;
    outside.bit_diameter = 3.175;
    FinishOptions tabs;
    tabs.bit_diameter = 2;
    tabs.tabs = 2;
    tabs.tab_width = 5;
    tabs.tab_height = 1;
    tabs.thickness = 3;
    FinishCounts counts;
    // Every pass half a bit outside, corners sharp, the rest as written.
    EXPECT_EQ(finished(kOutline, outside, &counts),
              "G0 X-1.5875 Y21.5875 ; Move to the starting point\n"
              "G1 Z-1.50 F300.00 ; Start cutting down to -1.50mm\n"
              "G1 X41.5875 Y21.5875 F300.00 ; Cut along the X axis\n"
              "G1 X41.5875 Y-1.5875 ; Cut along the Y axis\n"
              "G1 X-1.5875 Y-1.5875 ; Cut back along the X axis\n"
              "G1 X-1.5875 Y21.5875 ; Close the loop on the Y axis\n"
              "G0 X-1.5875 Y21.5875 ; Move to the starting point\n"
              "G1 Z-3.00 F300.00 ; Start cutting down to -3.00mm\n"
              "G1 X41.5875 Y21.5875 F300.00 ; Cut along the X axis\n"
              "G1 X41.5875 Y-1.5875 ; Cut along the Y axis\n"
              "G1 X-1.5875 Y-1.5875 ; Cut back along the X axis\n"
              "G1 X-1.5875 Y21.5875 ; Close the loop on the Y axis\n");
    EXPECT_EQ(finish_counts_text(counts), ", outline passes moved outside 2");
    // Two tabs, in the middles of the long edges: only the pass below the
    // tabs' top (-2) lifts over them, straight up and down.
    EXPECT_EQ(finished(kOutline, tabs, &counts),
              "G0 X0 Y20.00 ; Move to the starting point\n"
              "G1 Z-1.50 F300.00 ; Start cutting down to -1.50mm\n"
              "G1 X40.00 Y20.00 F300.00 ; Cut along the X axis\n"
              "G1 X40.00 Y0 ; Cut along the Y axis\n"
              "G1 X0 Y0 ; Cut back along the X axis\n"
              "G1 X0 Y20.00 ; Close the loop on the Y axis\n"
              "G0 X0 Y20.00 ; Move to the starting point\n"
              "G1 Z-3.00 F300.00 ; Start cutting down to -3.00mm\n"
              "G1 X17.5 Y20 F300.00 ; Cut along the X axis\n"
              "G1 Z-2 ; Lift over tab 1\n"
              "G1 X22.5 Y20 ; Across tab 1\n"
              "G1 Z-3 ; Lower after tab 1\n"
              "G1 X40.00 Y20.00 F300.00 ; Cut along the X axis\n"
              "G1 X40.00 Y0 ; Cut along the Y axis\n"
              "G1 X22.5 Y0 ; Cut back along the X axis\n"
              "G1 Z-2 ; Lift over tab 2\n"
              "G1 X17.5 Y0 ; Across tab 2\n"
              "G1 Z-3 ; Lower after tab 2\n"
              "G1 X0 Y0 ; Cut back along the X axis\n"
              "G1 X0 Y20.00 ; Close the loop on the Y axis\n");
    EXPECT_EQ(finish_counts_text(counts), ", tabs placed 2, passes lifted over tabs 1");
    tabs.tabs = 30;
    finished(kOutline, tabs, &counts);
    EXPECT_EQ(finish_counts_text(counts), ", tabs placed 14 of 30 asked, passes lifted over tabs 1");

    // What the outline cannot take is refused, naming the option.
    struct Refusal {
        const char* what;
        FinishOptions options;
        std::string error;
    };
    FinishOptions wide = tabs, deep = tabs, high = tabs;
    wide.tab_width = 40;
    deep.thickness = 2.5;
    high.tab_height = 1.4;
    high.thickness = 4.5;
    const std::vector<Refusal> refusals = {
        {"a tab on no edge", wide,
         "Option 'tab-width' 40: no edge of the outline is long enough for a tab; the longest is 40.00 mm, and a "
         "tab needs 44.00 mm: its width and the bit's diameter to each corner"},
        {"a sheet thinner than the cut", deep,
         "Option 'material-thickness' 2.5: the outline cuts down to -3.00 mm, below the sheet's bottom; give the "
         "thickness the program was made for"},
        {"tabs no pass reaches", high,
         "Option 'tab-height' 1.4: no pass of the outline goes below the tabs' top at -3.1 mm (the deepest is at "
         "-3.00 mm), so no tab would be left"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        try {
            finished(kOutline, refusal.options);
            ADD_FAILURE() << "no refusal";
        } catch (const FinishError& e) {
            EXPECT_EQ(std::string(e.what()), refusal.error);
        }
    }
    // An outline that is not the program's last cut is no outline to finish.
    EXPECT_EQ(finished(kOutline.substr(0, kOutline.size() - 4) + "G0 X5 Y5\nG1 Z-1\nM30\n", outside), "no outline");
}

TEST(Finishing, PanelMarksReadBack) {
    using veskaro::toolpath::PanelMark;
    const PanelMark turned{"a: b at 1.00, 2.00", 182.24, 88.24, true, 66, 106};
    EXPECT_EQ(panel_mark_text(turned), "Outline at 182.24, 88.24, turned, 66.00 x 106.00 mm: a: b at 1.00, 2.00");
    EXPECT_EQ(panel_place_text(turned), "a: b at 1.00, 2.00 at 182.24, 88.24, turned");
    const std::optional<PanelMark> read = veskaro::toolpath::read_panel_mark(panel_mark_text(turned));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->name, turned.name);
    EXPECT_EQ(read->x, 182.24);
    EXPECT_EQ(read->y, 88.24);
    EXPECT_TRUE(read->turned);
    EXPECT_EQ(read->centre_x(), 182.24 + 53);
    EXPECT_EQ(read->centre_y(), 88.24 + 33);
    // A name a controller shortened still leaves the place and the size.
    EXPECT_TRUE(veskaro::toolpath::read_panel_mark("Outline at 1.00, 2.00, 3.00 x 4.00 mm: Encl...").has_value());
    EXPECT_FALSE(veskaro::toolpath::read_panel_mark("Outline at 1.00, 2.00 mm: x").has_value());
}

using veskaro::testing::kHeader;
using veskaro::testing::list_folder;
using veskaro::testing::Outcome;
using veskaro::testing::read_file;
using veskaro::testing::run_program;
using veskaro::testing::TempFolder;

Outcome post(const std::vector<std::string>& args, const std::string& folder) {
    return run_program(VESKARO_POST, args, folder);
}

// A face program as the generator writes it: one circle through the sheet,
// then the outline of a `w` x `h` face in two passes.
std::string face(const std::string& name, const std::string& x, const std::string& y, const std::string& w,
                 const std::string& h) {
    std::string text = kHeader + "G0 X" + x + " Y" + y + " ; Move to the start of the circle (right side)\n" +
                       "G1 Z-3.00 F300.00 ; Start cutting " + name + " down to -3.00mm\n" + "G2 X" + x + " Y" + y +
                       " I-1.00 J0 F300.00 ; Cut a circle\n" + "G0 Z5 ; Lift to safe height after cutting " + name +
                       "\n";
    for (const char* z : {"-1.50", "-3.00"}) {
        text += "G0 X0 Y" + h + " ; Move to the starting point\nG1 Z" + z + " F300.00 ; Start cutting down to " +
                z + "mm\nG1 X" + w + " Y" + h + " F300.00 ; Cut along the X axis\nG1 X" + w +
                " Y0 ; Cut along the Y axis\nG1 X0 Y0 ; Cut back along the X axis\nG1 X0 Y" + h +
                " ; Close the loop on the Y axis\n";
    }
    return text + "G0 Z5 ; Lift the tool to a safe height\n" + veskaro::testing::kFooter;
}

const std::string kUsage = "\n\nUse --help for usage information.\n";

TEST(FinishingCli, RefusesWhatCannotBeCutAndWritesNothing) {
    TempFolder folder;
    folder.write("Lid_Main.nc", face("led", "10.00", "10.00", "40.00", "20.00"));
    folder.write("Lid_Left.nc", face("fan", "5.00", "30.00", "20.00", "50.00"));
    folder.write("plain.nc", kHeader + "G0 X1 Y1\nG1 Z-1 F100\nG0 Z5\nM30\n");
    folder.write("spindle.nc", kHeader + "M3 S1000\n" + veskaro::testing::kOutline200x100 + "M30\n");
    folder.write("Lid_Main.ngc", face("led", "10.00", "10.00", "40.00", "20.00"));
    struct Row {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Row> rows = {
        {{"--outline", "outside", "Lid_Main.nc"},
         "Error: Option 'outline' outside needs --bit-diameter above 0: the outline moves out by half the bit" +
             kUsage},
        {{"--outline", "inside", "-m", "3", "Lid_Main.nc"},
         "Error: Option 'outline' must be 'edge' or 'outside', not 'inside'" + kUsage},
        {{"--tabs", "4", "-m", "3", "Lid_Main.nc"},
         "Error: Option 'tabs' 4 needs --material-thickness: a tab's height is measured from the sheet's bottom" +
             kUsage},
        {{"--tabs", "4.5", "Lid_Main.nc"}, "Error: Option 'tabs' must be a whole number from 0 to 1000, not '4.5'" +
                                               kUsage},
        {{"--tabs", "4", "-m", "3", "-t", "3", "--tab-height", "3", "Lid_Main.nc"},
         "Error: Option 'tab-height' must be below the material thickness, 3 mm, not 3" + kUsage},
        {{"--tabs", "4", "-m", "3", "-t", "3", "--tab-width", "3", "Lid_Main.nc"},
         "Error: Option 'tab-width' must be wider than the bit, 3 mm, not 3: the bit's round ends would cut "
         "through the middle of the tab" + kUsage},
        {{"--tab-height", "1", "Lid_Main.nc"}, "Error: Option 'tab-height' needs --tabs" + kUsage},
        {{"--sheet", "600x", "Lid_Main.nc"},
         "Error: Option 'sheet' must be the sheet's width and height in mm joined by an x, each above 0 and at most "
         "10000, such as 600x400; not '600x'" + kUsage},
        {{"--sheet", "600x400", "--gap", "-1", "Lid_Main.nc"}, "Error: Option 'gap' must be from 0 to 1000 mm, not -1" +
                                                                  kUsage},
        {{"--sheet", "600x400", "--gap", "3mm", "Lid_Main.nc"}, "Error: Argument '3mm' failed to parse" + kUsage},
        {{"--gap", "3", "Lid_Main.nc"}, "Error: Option 'gap' needs --sheet" + kUsage},
        // What the programs cannot take.
        {{"--outline", "outside", "-m", "3", "plain.nc"},
         "Error: plain.nc: no outline to finish: the program does not end with the passes around the face from 0,0 "
         "that the generator cuts with its outline on\n"},
        {{"--tabs", "1", "-m", "3", "-t", "3", "--tab-width", "40", "Lid_Main.nc"},
         "Error: Lid_Main.nc: Option 'tab-width' 40: no edge of the outline is long enough for a tab; the longest "
         "is 40.00 mm, and a tab needs 46.00 mm: its width and the bit's diameter to each corner\n"},
        {{"--sheet", "50x30", "-m", "2", "Lid_Main.nc", "Lid_Left.nc"},
         "Error: Option 'sheet' 50x30: the panel Lid_Left of 'Lid_Left.nc', 22.00 x 52.00 mm with the cuts around "
         "it, does not fit on the sheet with a gap of 4 mm to its edges, even turned\n"},
        {{"--sheet", "600x400", "Lid_Main.nc", "Lid_Main.ngc"},
         "Error: Option 'sheet' 600x400: the programs are for different controllers: 'Lid_Main.nc' is a .nc "
         "program and 'Lid_Main.ngc' a .ngc one; a sheet holds the programs of one machine\n"},
        {{"--sheet", "600x400", "Lid_Main.nc", "./Lid_Main.nc"},
         "Error: ./Lid_Main.nc: given twice; a panel is placed once\n"},
        {{"--sheet", "600x400", "spindle.nc"},
         "Error: spindle.nc:5: a spindle start, stop or dwell of its own; a sheet program starts the spindle once, "
         "as --spindle and --dwell ask\n"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"-c", "grbl", "-o", "out"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const Outcome outcome = post(args, folder.path());
        SCOPED_TRACE(row.args.front() + " " + row.args[1]);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, row.err);
        EXPECT_EQ(list_folder(folder.path() + "/out"), std::vector<std::string>{});
    }
}

TEST(FinishingCli, FinishesOneProgramAsAsked) {
    TempFolder folder;
    folder.write("Lid_Main.nc", face("led", "10.00", "10.00", "40.00", "20.00"));
    const Outcome outcome = post({"-c", "linuxcnc", "-o", "one", "-m", "2", "--outline", "outside", "--tabs", "2", "-t",
                                  "3", "--tab-width", "5", "-S", "1000", "-p", "50", "Lid_Main.nc"},
                                 folder.path());
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out,
              "Lid_Main.nc -> one/Lid_Main.ngc: header rewritten 1, numbers rewritten 0, circles dropped 0, comment "
              "bytes replaced 0, comments shortened 0, feeds written 10, lines added 2, outline passes moved outside "
              "2, tabs placed 2, passes lifted over tabs 1\n");
    // The mark before the outline lets the preview find the panel however
    // it is held; lifts and lowers at the plunge feed, the cuts at their own.
    EXPECT_EQ(read_file(folder.path() + "/one/Lid_Main.ngc"),
              "; Created with VESKARO G-Code Generator - https://veskaro.example.org\n"
              "G21 ; Set units to mm\nG90 ; Absolute positioning\nG0 Z5 ; Lift the tool to a safe height\n"
              "M3 S1000 ; Start the spindle or laser\n"
              "G0 X10.00 Y10.00 ; Move to the start of the circle (right side)\n"
              "G1 Z-3.00 F50 ; Start cutting led down to -3.00mm\n"
              "G2 X10.00 Y10.00 I-1.00 J0 F300.00 ; Cut a circle\n"
              "G0 Z5 ; Lift to safe height after cutting led\n"
              "; Outline at 0.00, 0.00, 40.00 x 20.00 mm: Lid_Main\n"
              "G0 X-1 Y21 ; Move to the starting point\n"
              "G1 Z-1.50 F50 ; Start cutting down to -1.50mm\n"
              "G1 X41 Y21 F300.00 ; Cut along the X axis\nG1 X41 Y-1 ; Cut along the Y axis\n"
              "G1 X-1 Y-1 ; Cut back along the X axis\nG1 X-1 Y21 ; Close the loop on the Y axis\n"
              "G0 X-1 Y21 ; Move to the starting point\n"
              "G1 Z-3.00 F50 ; Start cutting down to -3.00mm\n"
              "G1 X17.5 Y21 F300.00 ; Cut along the X axis\nG1 Z-2 F50 ; Lift over tab 1\n"
              "G1 X22.5 Y21 F300.00 ; Across tab 1\nG1 Z-3 F50 ; Lower after tab 1\n"
              "G1 X41 Y21 F300.00 ; Cut along the X axis\nG1 X41 Y-1 ; Cut along the Y axis\n"
              "G1 X22.5 Y-1 ; Cut back along the X axis\nG1 Z-2 F50 ; Lift over tab 2\n"
              "G1 X17.5 Y-1 F300.00 ; Across tab 2\nG1 Z-3 F50 ; Lower after tab 2\n"
              "G1 X-1 Y-1 F300.00 ; Cut back along the X axis\nG1 X-1 Y21 ; Close the loop on the Y axis\n"
              "G0 Z5 ; Lift the tool to a safe height\nG0 Z5 ; Lift the tool to a safe height\n"
              "M5 ; Stop the spindle or laser\nM30 ; End of program\n");
}

TEST(FinishingCli, PlacesEveryPanelOnASheet) {
    TempFolder folder;
    folder.write("Lid_Main.nc", face("led", "10.00", "10.00", "40.00", "20.00"));
    folder.write("Lid_Left.nc", face("fan", "5.00", "30.00", "20.00", "50.00"));
    const Outcome outcome = post({"-c", "grbl", "--sheet", "80x60", "-m", "2", "--outline", "outside", "."},
                                 folder.path());
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, 0);
    // The larger panel first, turned where it lies lower; the gap is twice
    // the bit, and the cut around each panel a bit wide.
    EXPECT_EQ(outcome.out,
              "./grbl/sheet-1.nc: 2 panels, 37.5 % of the 80 x 60 mm sheet used; header rewritten 1, numbers "
              "rewritten 0, circles dropped 0, comment bytes replaced 0, comments shortened 0, feeds written 0, "
              "lines added 0\n"
              "  Lid_Left at 6.00, 6.00, turned: 20.00 x 50.00 mm from ./Lid_Left.nc, outline passes moved outside 2\n"
              "  Lid_Main at 6.00, 34.00: 40.00 x 20.00 mm from ./Lid_Main.nc, outline passes moved outside 2\n");
    // The inner cuts of both, then both outlines; X and Y, I and J turned
    // together, G2 still G2.
    const std::string outline_left =
        "G1 Z-1.50 F300.00 ; Start cutting down to -1.50mm\nG1 X5 Y27 F300.00 ; Cut along the X axis\n"
        "G1 X57 Y27 ; Cut along the Y axis\nG1 X57 Y5 ; Cut back along the X axis\n"
        "G1 X5 Y5 ; Close the loop on the Y axis\nG0 X5 Y5 ; Move to the starting point\n"
        "G1 Z-3.00 F300.00 ; Start cutting down to -3.00mm\nG1 X5 Y27 F300.00 ; Cut along the X axis\n"
        "G1 X57 Y27 ; Cut along the Y axis\nG1 X57 Y5 ; Cut back along the X axis\n"
        "G1 X5 Y5 ; Close the loop on the Y axis\n";
    const std::string outline_main =
        "G1 Z-1.50 F300.00 ; Start cutting down to -1.50mm\nG1 X47 Y55 F300.00 ; Cut along the X axis\n"
        "G1 X47 Y33 ; Cut along the Y axis\nG1 X5 Y33 ; Cut back along the X axis\n"
        "G1 X5 Y55 ; Close the loop on the Y axis\nG0 X5 Y55 ; Move to the starting point\n"
        "G1 Z-3.00 F300.00 ; Start cutting down to -3.00mm\nG1 X47 Y55 F300.00 ; Cut along the X axis\n"
        "G1 X47 Y33 ; Cut along the Y axis\nG1 X5 Y33 ; Cut back along the X axis\n"
        "G1 X5 Y55 ; Close the loop on the Y axis\n";
    EXPECT_EQ(read_file(folder.path() + "/grbl/sheet-1.nc"),
              "; Created with VESKARO G-Code Generator - https://veskaro.example.org\n"
              "G21 ; Set units to mm\nG90 ; Absolute positioning\nG0 Z5 ; Lift the tool to a safe height\n"
              "; Lid_Left at 6.00, 6.00, turned\n"
              "G0 X26 Y11 ; Move to the start of the circle (right side)\n"
              "G1 Z-3.00 F300.00 ; Start cutting fan down to -3.00mm\n"
              "G2 X26 Y11 I0 J-1 F300.00 ; Cut a circle\nG0 Z5 ; Lift to safe height after cutting fan\n"
              "; Lid_Main at 6.00, 34.00\n"
              "G0 X16 Y44 ; Move to the start of the circle (right side)\n"
              "G1 Z-3.00 F300.00 ; Start cutting led down to -3.00mm\n"
              "G2 X16 Y44 I-1.00 J0 F300.00 ; Cut a circle\nG0 Z5 ; Lift to safe height after cutting led\n"
              "; Outline at 6.00, 6.00, turned, 20.00 x 50.00 mm: Lid_Left\n"
              "G0 X5 Y5 ; Move to the starting point\n" + outline_left +
              "; Outline at 6.00, 34.00, 40.00 x 20.00 mm: Lid_Main\n"
              "G0 Z5 ; Lift to travel to the next panel\n"
              "G0 X5 Y55 ; Move to the starting point\n" + outline_main +
              "G0 Z5 ; Lift the tool to a safe height\nG0 Z5 ; Lift the tool to a safe height\n"
              "M30 ; End of program\n");
}

}  // namespace
