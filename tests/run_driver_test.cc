// End-to-end: the walk over the faces, the output folder, the files written
// and what the console says about them.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/process.h"
#include "support/program_text.h"

namespace {

using namespace veskaro::testing;

const char* const kHeader =
    "# Created with VESKARO G-Code Generator - https://veskaro.example.org\n"
    "G21 ; Set units to mm\n"
    "G90 ; Absolute positioning\n"
    "G0 Z5 ; Lift the tool to a safe height\n";
const char* const kFooter = "G0 Z5 ; Lift the tool to a safe height\nM30 ; End of program\n";

std::vector<std::string> args(const std::string& out, const std::vector<std::string>& more = {}) {
    std::vector<std::string> all = {"-j", "box.json", "-o", out, "-t", "3", "-b", "50", "-d", "1.5"};
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

// Only the console lines after the banner and the settings report.
std::string progress(const std::string& out) {
    const std::string end = "======================\n";
    const std::size_t at = out.find(end);
    return at == std::string::npos ? out : out.substr(at + end.size());
}

TEST(RunDriver, TypicalRunWritesTheFaceBesideTheProjectStem) {
    TempFolder dir;
    dir.write("box.json",
              R"({"Generic": {"width": 20, "height": 10},
                  "Box_Main": {"fan": {"location_x": 5, "location_y": 4, "drill_diameter": 3}}})");
    const Outcome run = run_generator(args("."), dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(progress(run.out), "### Component: fan\n"
                                 "Creating outline cut for: Box_Main\n"
                                 "G-codes generated for: Box_Main\n"
                                 "Output path: " + dir.path() + "/box\n");
    std::string outline;
    for (const char* z : {"-1.50", "-3.00"}) {
        outline += std::string("G0 X0 Y100.00 ; Move to the starting point\n") + "G1 Z" + z +
                   " F100.00 ; Start cutting down to " + z + "mm\n" +
                   "G1 X200.00 Y100.00 F100.00 ; Cut along the X axis\n"
                   "G1 X200.00 Y0 ; Cut along the Y axis\n"
                   "G1 X0 Y0 ; Cut back along the X axis\n"
                   "G1 X0 Y100.00 ; Close the loop on the Y axis\n";
    }
    EXPECT_EQ(read_file(dir.path() + "/box/Box_Main.nc"),
              std::string(kHeader) +
                  "G0 X35.00 Y60.00 ; Move to the pocket position\n"
                  "G1 Z-1.50 F100.00 ; Start cutting fan down to -1.50mm\n"
                  "G2 X35.00 Y60.00 I15.00 J0 F100.00 ; Cut a circle\n"
                  "G0 X35.00 Y60.00 ; Move to the pocket position\n"
                  "G1 Z-3.00 F100.00 ; Start cutting fan down to -3.00mm\n"
                  "G2 X35.00 Y60.00 I15.00 J0 F100.00 ; Cut a circle\n"
                  "G0 Z5 ; Lift to safe height after cutting fan\n" +
                  outline + "G0 Z5 ; Lift the tool to a safe height\n" + kFooter);
    EXPECT_EQ(list_folder(dir.path()), (std::vector<std::string>{"box", "box.json"}));
    EXPECT_EQ(list_folder(dir.path() + "/box"), std::vector<std::string>{"Box_Main.nc"});
}

TEST(RunDriver, OutputFolderRelativeAbsoluteAndStem) {
    TempFolder dir;
    dir.write("my.box.json", R"({"Generic": {"width": 1, "height": 1}, "P_Main": {}})");
    std::vector<std::string> a = args("out", {"-s"});
    a[1] = "my.box.json";
    Outcome run = run_generator(a, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Output path: " + dir.path() + "/out/my.box\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/out/my.box"));

    // An absolute folder is taken as it stands, the project path's folders
    // play no part in the stem.
    a = args(dir.path() + "/abs", {});
    a[1] = dir.path() + "/my.box.json";
    const std::string elsewhere = dir.path() + "/out";
    run = run_generator(a, elsewhere);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Output path: " + dir.path() + "/abs/my.box\n"), std::string::npos);
    EXPECT_TRUE(file_exists(dir.path() + "/abs/my.box/P_Main.nc"));
}

TEST(RunDriver, FacesInByteOrderAndOnlyNamesWithAnUnderscore) {
    TempFolder dir;
    dir.write("box.json", R"({"a_Back": {}, "notes": {"x": 1}, "B_Main": null, "A_Top": {},
                              "Generic": {"width": 20, "height": 10}})");
    const Outcome run = run_generator(args(".", {"--outline=false"}), dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(progress(run.out), "G-codes generated for: A_Top\n"
                                 "G-codes generated for: B_Main\n"
                                 "G-codes generated for: a_Back\n"
                                 "Output path: " + dir.path() + "/box\n");
    EXPECT_EQ(list_folder(dir.path() + "/box"),
              (std::vector<std::string>{"A_Top.nc", "B_Main.nc", "a_Back.nc"}));
    // Every section off: the header and the footer only.
    EXPECT_EQ(read_file(dir.path() + "/box/a_Back.nc"), std::string(kHeader) + kFooter);
}

TEST(RunDriver, DocumentsWithoutFaces) {
    TempFolder dir;
    for (const char* document : {"[1, {\"A_Main\": {}}]", "42", "\"x_y\"", "null", "{\"Generic\": {}}"}) {
        dir.write("box.json", document);
        const Outcome run = run_generator(args("."), dir.path());
        EXPECT_EQ(run.status, 0) << document;
        EXPECT_EQ(progress(run.out), "Output path: " + dir.path() + "/box\n") << document;
        EXPECT_EQ(run.err, "");
    }
    EXPECT_FALSE(file_exists(dir.path() + "/box"));
}

TEST(RunDriver, MissingGenericIsReportedPerFaceAndFails) {
    TempFolder dir;
    dir.write("box.json", R"({"Box_Main": {}, "Box_Left": {}})");
    const Outcome run = run_generator(args("."), dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Error: 'Generic' data missing\nError: 'Generic' data missing\n");
    EXPECT_EQ(progress(run.out), "Output path: " + dir.path() + "/box\n");
    EXPECT_FALSE(file_exists(dir.path() + "/box"));
}

TEST(RunDriver, SimulateBuildsEverythingAndWritesNoProgram) {
    TempFolder dir;
    dir.write("box.json", R"({"Generic": {"width": 20, "height": 10},
                              "Box_Main": {"fan": {"location_x": 5, "location_y": 4, "drill_diameter": 3}}})");
    const Outcome run = run_generator(args(".", {"-s"}), dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(progress(run.out), "### Component: fan\n"
                                 "Creating outline cut for: Box_Main\n"
                                 "Output path: " + dir.path() + "/box\n");
    EXPECT_NE(run.out.find("Simulation enabled: Yes\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/box"));
    EXPECT_TRUE(list_folder(dir.path() + "/box").empty());
}

TEST(RunDriver, BooleanOptionsTakeValuesOnlyAfterAnEqualsSign) {
    TempFolder dir;
    dir.write("box.json", R"({"Generic": {"width": 20, "height": 10}, "Box_Main": {}})");
    Outcome run = run_generator(args(".", {"-l", "false"}), dir.path());
    EXPECT_NE(run.out.find("Side outline enabled: Yes\n"), std::string::npos);
    EXPECT_NE(run.out.find("Creating outline cut for: Box_Main\n"), std::string::npos);
    run = run_generator(args(".", {"--outline=false", "-z", "--components=0"}), dir.path());
    EXPECT_NE(run.out.find("Side outline enabled: No\n"), std::string::npos);
    EXPECT_NE(run.out.find("Outer sizing enabled: Yes\n"), std::string::npos);
    EXPECT_NE(run.out.find("Components enabled: No\n"), std::string::npos);
    EXPECT_EQ(run.out.find("Creating outline cut"), std::string::npos);
}

TEST(RunDriver, AnExistingProgramIsReplacedWhole) {
    TempFolder dir;
    dir.write("box.json", R"({"Generic": {"width": 20, "height": 10}, "Box_Main": {}})");
    std::filesystem::create_directory(dir.path() + "/box");
    dir.write("box/Box_Main.nc", std::string(100000, 'x'));
    const Outcome run = run_generator(args(".", {"--outline=false"}), dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read_file(dir.path() + "/box/Box_Main.nc"), std::string(kHeader) + kFooter);
    // Nothing but the program is left in the folder.
    EXPECT_EQ(list_folder(dir.path() + "/box"), std::vector<std::string>{"Box_Main.nc"});
}

TEST(RunDriver, AConsoleThatCannotBeWrittenFailsTheRun) {
    TempFolder dir;
    dir.write("box.json", R"({"Generic": {"width": 20, "height": 10}, "Box_Main": {}})");
    const std::string command = "cd '" + dir.path() + "' && '" + generator_path() +
                                "' -j box.json -o . -t 3 -b 50 -d 1.5 >/dev/full 2>err.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(read_file(dir.path() + "/err.txt"), "Error: cannot write to standard output\n");
}

TEST(RunDriver, FaceSizeFollowsKindAndOuterSizing) {
    // The outline runs around the face: its first line gives the height,
    // its third the width.
    TempFolder dir;
    dir.write("box.json", R"({"Generic": {"width": 20, "height": 10},
                              "Box_Front": {}, "Box_Left": {}, "Box_Top": {}})");
    struct Case {
        const char* face;
        bool outer;
        const char* width;
        const char* height;
    };
    const Case cases[] = {
        {"Box_Front", true, "194.00", "44.00"}, {"Box_Front", false, "200.00", "56.00"},
        {"Box_Left", true, "44.00", "100.00"},  {"Box_Left", false, "56.00", "106.00"},
        {"Box_Top", true, "200.00", "100.00"},  {"Box_Top", false, "200.00", "100.00"},
    };
    for (const Case& c : cases) {
        const Outcome run = run_generator(args(".", c.outer ? std::vector<std::string>{"-z"}
                                                            : std::vector<std::string>{}),
                                          dir.path());
        ASSERT_EQ(run.status, 0);
        const auto lines = split_lines(read_file(dir.path() + "/box/" + c.face + ".nc"));
        EXPECT_EQ(lines[4], std::string("G0 X0 Y") + c.height + " ; Move to the starting point") << c.face;
        EXPECT_EQ(lines[6], std::string("G1 X") + c.width + " Y" + c.height + " F100.00 ; Cut along the X axis")
            << c.face;
    }
}

}  // namespace
