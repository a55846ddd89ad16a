// veskaro-post: what it rewrites, line in and line out, for each controller
// and option; and the program as a user runs it.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "post/program_post.h"
#include "support/process.h"
#include "support/program_text.h"
#include "toolpath/program_file.h"

namespace {

using namespace veskaro::post;
using veskaro::testing::file_exists;
using veskaro::testing::kHeader;
using veskaro::testing::list_folder;
using veskaro::testing::Outcome;
using veskaro::testing::read_file;
using veskaro::testing::run_program;
using veskaro::testing::TempFolder;

const PostOptions kLinuxCnc{Controller::linuxcnc, {}, {}, {}};
const PostOptions kGrbl{Controller::grbl, {}, {}, {}};

// The lines of a program as veskaro-post writes them.
std::string posted(const std::string& program, const PostOptions& options) {
    std::istringstream whole(program);
    const veskaro::toolpath::Program read = veskaro::toolpath::read_program(whole, "program.nc");
    ProgramPost post(read, options);
    std::istringstream lines(program);
    std::string out;
    int number = 0;
    for (std::string text; std::getline(lines, text);) post.line(++number, text, out);
    return out;
}

TEST(Post, RewritesOnlyWhatTheControllerRefuses) {
    struct Row {
        const char* what;
        PostOptions options;
        std::string in;
        std::string out;
    };
    const std::string long_name(90, 'n');
    const std::vector<Row> rows = {
        {"header", kLinuxCnc, "# Created with VESKARO\n", "; Created with VESKARO\n"},
        {"header with GRBL's real-time bytes", kGrbl, "# Made? yes!\n", "; Made_ yes_\n"},
        {"exponents, plain numbers as written", kLinuxCnc,
         "G0 X2.62268e-07 Y-0.00 ; row\nG1 X-9.99e-05 Y1e+06 Z-1.50 F100.00\n",
         "G0 X0 Y-0.00 ; row\nG1 X-0.0001 Y1000000 Z-1.50 F100.00\n"},
        {"zero-radius circles", kLinuxCnc,
         "G1 Z-1 F100 ; plunge\nG2 X0 Y0 I-0.00 J0 F100 ; ring\nG2 X0 Y0 I0.00 J0 ; hole\nG2 X0 Y0 I1 J0 ; ring\n",
         "G1 Z-1 F100 ; plunge\nG2 X0 Y0 I1 J0 ; ring\n"},
        {"the feed of a dropped circle", kGrbl, "G1 Z-1 F100\nG2 X0 Y0 I0.00 J0 F300\nG1 X5\n",
         "G1 Z-1 F100\nG1 X5 F300\n"},
        {"UTF-8 and real-time bytes in comments", kGrbl, "G0 X1 ; cut \xC3\x96sen! \xC3\x84 ?~\t\n",
         "G0 X1 ; cut _sen_ _ ___\n"},
        {"LinuxCNC keeps them", kLinuxCnc, "G0 X1 ; cut \xC3\x96sen! ( \xC3\x84 ?~\n",
         "G0 X1 ; cut \xC3\x96sen! ( \xC3\x84 ?~\n"},
        {"GRBL's line length", kGrbl, "G0 X1.00 Y2.00 ; Start cutting " + long_name + "\n",
         "G0 X1.00 Y2.00 ; Start cutting " + long_name.substr(0, 45) + "...\n"},
        {"LinuxCNC's line length, at a character boundary", kLinuxCnc,
         "G0 X1 ; " + std::string(240, 'n') + "\xC3\x96\xC3\x96\xC3\x96\n",
         "G0 X1 ; " + std::string(240, 'n') + "...\n"},
        {"plunge feed; the next cut gets its own feed back", {Controller::linuxcnc, {}, {}, 50},
         "G0 X1 Y1\nG1 Z-1.50 F100.00 ; plunge\nG1 X10 Y1 ; cut\nG1 Z-3 ; deeper\nG2 X10 Y1 I1 J0 ; circle\n"
         "G1 X10 Y1 Z-4 F200 ; down, X and Y restated\nG1 X12 ; cut\n",
         "G0 X1 Y1\nG1 Z-1.50 F50 ; plunge\nG1 X10 Y1 F100.00 ; cut\nG1 Z-3 F50 ; deeper\n"
         "G2 X10 Y1 I1 J0 F100.00 ; circle\nG1 X10 Y1 Z-4 F50 ; down, X and Y restated\nG1 X12 F200 ; cut\n"},
        {"spindle after the lift, dwell, stop before the end", {Controller::grbl, 12000, 1.5, {}},
         "G21 ; mm\nG0 Z5 ; lift\nG0 X1 Y1 ; go\nG0 Z5 ; lift\nM30 ; end\n",
         "G21 ; mm\nG0 Z5 ; lift\nM3 S12000 ; Start the spindle or laser\n"
         "G4 P1.5 ; Wait for the spindle to come up to speed\nG0 X1 Y1 ; go\nG0 Z5 ; lift\n"
         "M5 ; Stop the spindle or laser\nM30 ; end\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const bool ends = row.in.find("M30") != std::string::npos;
        const std::string end = ends ? "" : "M30\n";
        EXPECT_EQ(posted(row.in + end, row.options), row.out + end);
    }
}

TEST(Post, RefusesWhatNoControllerShouldGetAsWritten) {
    struct Row {
        const char* what;
        std::string in;
        int line;
        std::string error;
    };
    const std::vector<Row> rows = {
        {"a zero-radius arc that moves", "G1 Z-1 F100\nG2 X0 Y0 Z-2 I0 J0\nM30\n", 2,
         "an arc of radius 0 whose end is not its start"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        try {
            posted(row.in, kGrbl);
            ADD_FAILURE() << "no refusal";
        } catch (const veskaro::toolpath::ProgramError& e) {
            EXPECT_EQ(e.line(), row.line);
            EXPECT_EQ(std::string(e.what()), row.error);
        }
    }
}

Outcome post(const std::vector<std::string>& args, const std::string& folder) {
    return run_program(VESKARO_POST, args, folder);
}

const std::string kUsage = "\n\nUse --help for usage information.\n";
const std::string kRange = " must be between 0.0001 and 1000000" + kUsage;

TEST(PostCli, OptionsAreCheckedBeforeAnythingIsRead) {
    TempFolder folder;
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"face.nc"}, "Error: Option 'controller' has no value" + kUsage},
        {{"-c", "fanuc", "face.nc"}, "Error: Option 'controller' must be 'linuxcnc' or 'grbl'" + kUsage},
        {{"-c", "grbl"}, "Error: no program or folder given" + kUsage},
        {{"-c", "grbl", "--spindle", "0", "face.nc"}, "Error: Option 'spindle'" + kRange},
        {{"-c", "grbl", "--dwell=-1", "face.nc"}, "Error: Option 'dwell'" + kRange},
        {{"-c", "grbl", "-p", "2e6", "face.nc"}, "Error: Option 'plunge-feed'" + kRange},
        {{"-c", "grbl", "-p", "fast", "face.nc"}, "Error: Argument 'fast' failed to parse" + kUsage},
        {{"-c", "grbl", "-S", "12k", "face.nc"}, "Error: Argument '12k' failed to parse" + kUsage},
        // The generator's -s (simulate) and -d (depth per pass) are not post's.
        {{"-c", "grbl", "-s", "12000", "face.nc"}, "Error: Option 's' does not exist" + kUsage},
    };
    for (const Case& c : cases) {
        const Outcome outcome = post(c.args, folder.path());
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, c.err);
    }
    const Outcome version = post({"--version"}, folder.path());
    EXPECT_EQ(version.out, "veskaro-post " VESKARO_VERSION "\n");
    EXPECT_EQ(version.status, 0);
}

TEST(PostCli, WritesBesideTheProgramsAndRefusesWithFileAndLine) {
    TempFolder folder;
    const std::string program = kHeader + "G0 X1e-07 Y1 ; start\nM30 ; end\n";
    folder.write("a.nc", program);
    folder.write("b.nc", "G21 ; mm\nG0 X1 Q5 ; unknown\nM30 ; end\n");
    Outcome outcome = post({"-c", "linuxcnc", "."}, folder.path());
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out,
              "./a.nc -> ./linuxcnc/a.ngc: header rewritten 1, numbers rewritten 1, circles dropped 0, comment bytes "
              "replaced 0, comments shortened 0, feeds written 0, lines added 0\n");
    EXPECT_EQ(outcome.err, "Error: ./b.nc:2: unsupported word 'Q5'\n");
    EXPECT_EQ(post({"-c", "grbl", "missing.nc"}, folder.path()).err,
              "Error: cannot read 'missing.nc': No such file or directory\n");
    EXPECT_EQ(list_folder(folder.path() + "/linuxcnc"), std::vector<std::string>{"a.ngc"});
    EXPECT_EQ(read_file(folder.path() + "/linuxcnc/a.ngc"),
              "; Created with VESKARO G-Code Generator - https://veskaro.example.org\nG21 ; Set units to mm\n"
              "G90 ; Absolute positioning\nG0 Z5 ; Lift the tool to a safe height\nG0 X0 Y1 ; start\nM30 ; end\n");
    // Its own output is refused, whatever the controller: the spindle would
    // start and stop twice.  The first line tells it, the extension for
    // which controller.
    outcome = post({"-c", "grbl", "-S", "1000", "linuxcnc"}, folder.path());
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "Error: linuxcnc/a.ngc:1: already written for LinuxCNC by veskaro-post, as its first line and its "
              "extension say; rewrite the generator's program instead\n");
    EXPECT_EQ(list_folder(folder.path() + "/linuxcnc"), (std::vector<std::string>{"a.ngc", "grbl"}));
    EXPECT_EQ(list_folder(folder.path() + "/linuxcnc/grbl"), std::vector<std::string>{});
    ASSERT_EQ(post({"-c", "grbl", "-o", "grbl", "a.nc"}, folder.path()).status, 0);
    outcome = post({"-c", "linuxcnc", "grbl/a.nc"}, folder.path());
    EXPECT_EQ(outcome.err,
              "Error: grbl/a.nc:1: already written for GRBL by veskaro-post, as its first line and its extension "
              "say; rewrite the generator's program instead\n");

    // A GRBL program keeps the extension: never written over its source,
    // nor twice in one run.
    outcome = post({"-c", "grbl", "-o", ".", "a.nc"}, folder.path());
    EXPECT_EQ(outcome.err, "Error: a.nc: the program would be written over itself\n");
    EXPECT_EQ(read_file(folder.path() + "/a.nc"), program);
    outcome = post({"-c", "grbl", "-o", "out", "a.nc", "linuxcnc/a.ngc"}, folder.path());
    EXPECT_EQ(outcome.err, "Error: linuxcnc/a.ngc: 'out/a.nc' was already written by this run\n");
    EXPECT_TRUE(file_exists(folder.path() + "/out/a.nc"));
}

}  // namespace
