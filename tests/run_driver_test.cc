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
    EXPECT_EQ(read_file(dir.path() + "/box/Box_Main.nc"),
              kHeader +
                  "G0 X35.00 Y60.00 ; Move to the pocket position\n"
                  "G1 Z-1.50 F100.00 ; Start cutting fan down to -1.50mm\n"
                  "G2 X35.00 Y60.00 I15.00 J0 F100.00 ; Cut a circle\n"
                  "G0 X35.00 Y60.00 ; Move to the pocket position\n"
                  "G1 Z-3.00 F100.00 ; Start cutting fan down to -3.00mm\n"
                  "G2 X35.00 Y60.00 I15.00 J0 F100.00 ; Cut a circle\n"
                  "G0 Z5 ; Lift to safe height after cutting fan\n" +
                  kOutline200x100 + kFooter);
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
    EXPECT_EQ(progress(run.out), "Creating outline cut for: P_Main\nOutput path: " + dir.path() + "/out/my.box\n");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/out/my.box"));

    // An absolute folder is taken as it stands, the project path's folders
    // play no part in the stem.
    a = args(dir.path() + "/abs", {});
    a[1] = dir.path() + "/my.box.json";
    const std::string elsewhere = dir.path() + "/out";
    run = run_generator(a, elsewhere);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(progress(run.out), "Creating outline cut for: P_Main\nG-codes generated for: P_Main\n"
                                 "Output path: " + dir.path() + "/abs/my.box\n");
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
    EXPECT_EQ(read_file(dir.path() + "/box/a_Back.nc"), kHeader + kFooter);
}

// Documents that are not objects are refused (tests/bad_input_test.cc).
TEST(RunDriver, DocumentsWithoutFaces) {
    TempFolder dir;
    for (const char* document : {"{}", "{\"notes\": {\"x\": 1}}", "{\"Generic\": {}}"}) {
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
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "/box"));
    EXPECT_TRUE(list_folder(dir.path() + "/box").empty());
}

// "-l false" is refused (tests/bad_input_test.cc).
TEST(RunDriver, BooleanOptionsTakeValuesOnlyAfterAnEqualsSign) {
    TempFolder dir;
    dir.write("box.json", R"({"Generic": {"width": 20, "height": 10}, "Box_Main": {}})");
    // The report's three flag lines, and what the run then does.
    auto flags = [](const std::string& out) {
        std::string kept;
        for (const std::string& line : split_lines(out)) {
            if (line.find(" enabled: ") != std::string::npos && line.rfind("Simulation", 0) != 0) kept += line + "\n";
        }
        return kept;
    };
    const Outcome run = run_generator(args(".", {"--outline=false", "-z", "--components=0", "-s"}), dir.path());
    EXPECT_EQ(flags(run.out), "Outer sizing enabled: Yes\nComponents enabled: No\nSide outline enabled: No\n");
    EXPECT_EQ(progress(run.out), "Output path: " + dir.path() + "/box\n");
}

TEST(RunDriver, AnExistingProgramIsReplacedWhole) {
    TempFolder dir;
    dir.write("box.json", R"({"Generic": {"width": 20, "height": 10}, "Box_Main": {}})");
    std::filesystem::create_directory(dir.path() + "/box");
    dir.write("box/Box_Main.nc", std::string(100000, 'x'));
    const Outcome run = run_generator(args(".", {"--outline=false"}), dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read_file(dir.path() + "/box/Box_Main.nc"), kHeader + kFooter);
    // Nothing but the program is left in the folder.
    EXPECT_EQ(list_folder(dir.path() + "/box"), std::vector<std::string>{"Box_Main.nc"});
}

TEST(RunDriver, AbsolutePathsNeedNoCurrentFolder) {
    TempFolder dir;
    dir.write("box.json", R"({"Generic": {"width": 20, "height": 10}, "Box_Main": {}})");
    const std::string command = "mkdir gone && cd gone && rmdir ../gone && exec '" + generator_path() + "' -j '" +
                                dir.path() + "/box.json' -o '" + dir.path() + "/out' -t 3 -b 50 -d 1.5";
    const Outcome run = run_program("/bin/sh", {"-c", command}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(progress(run.out), "Creating outline cut for: Box_Main\nG-codes generated for: Box_Main\n"
                                 "Output path: " + dir.path() + "/out/box\n");
    EXPECT_EQ(read_file(dir.path() + "/out/box/Box_Main.nc"), kHeader + kOutline200x100 + kFooter);
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

}  // namespace
