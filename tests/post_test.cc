// veskaro-post: what it rewrites, line in and line out, for each controller
// and option; and the program as a user runs it.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "post/program_post.h"
#include "support/process.h"
#include "support/program_text.h"
#include "toolpath/program_file.h"

namespace {

using namespace veskaro::post;
using veskaro::testing::file_exists;
using veskaro::testing::kFooter;
using veskaro::testing::kHeader;
using veskaro::testing::list_folder;
using veskaro::testing::Outcome;
using veskaro::testing::read_file;
using veskaro::testing::run_program;
using veskaro::testing::TempFolder;

const PostOptions kLinuxCnc{Controller::linuxcnc, {}, {}, {}};
const PostOptions kGrbl{Controller::grbl, {}, {}, {}};

// The lines of a program as veskaro-post writes them: read once, and the
// bytes read rewritten, as the program does.
std::string posted(const std::string& program, const PostOptions& options) {
    using namespace veskaro::toolpath;
    const ProgramFile read = read_program_text(program, KeepText::yes);
    ProgramPost post(read.program, options);
    std::string out;
    std::int64_t lines = 0;
    for_each_line(read.text, [&](std::int64_t number, std::string_view text) {
        post.line(number, text, out);
        lines = number;
    });
    post.finish(lines);
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
        // A carriage return would end the line for LinuxCNC and make G-code
        // of the rest of the comment.
        {"control bytes in LinuxCNC comments", kLinuxCnc, "G0 X1 ; a\rG91 G0 Z-50\x7F\tb\r\n",
         "G0 X1 ; a_G91 G0 Z-50__b\n"},
        // GRBL reads eight digits, leading zeros included: X0 for the first.
        {"leading zeros for GRBL", kGrbl, "G00000000001 X000000001.5 Y-007.50 Z00 F0100\nG1 X.5 Y0.25\n",
         "G1 X1.5 Y-7.50 Z0 F100\nG1 X.5 Y0.25\n"},
        {"and as written for LinuxCNC", kLinuxCnc, "G1 X000000001.5 F0100\n", "G1 X000000001.5 F0100\n"},
        {"digits past GRBL's eighth rounded as exponents are", kGrbl, "G0 X0.0000123456789 Y1e-05\n",
         "G0 X0 Y0\n"},
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
        PostOptions options = kGrbl;
    };
    // What post writes is read back with the same moves, no circle of
    // radius 0 and no F0: where rounding to four decimals cannot keep that,
    // the program is refused.
    const std::string rounded = "written in plain decimals, ";
    const std::vector<Row> rows = {
        {"a zero-radius arc that moves", "G1 Z-1 F100\nG2 X0 Y0 Z-2 I0 J0\nM30\n", 2,
         "an arc of radius 0 whose end is not its start"},
        {"a feed that would round to F0", "G1 F1e-5\nM30\n", 1, "feed rate F must be at least 0.0001 mm/min"},
        {"a circle that would get radius 0", "G2 I4e-5 F1\nM30\n", 1, rounded + "the arc would have radius 0",
         kLinuxCnc},
        {"an arc whose end would leave its circle", "G2 X10 I5.000996e0 F1\nM30\n", 1,
         rounded + "the line would be refused: the end point of G2 is 0.002000 mm off its circle"},
        {"a number of more digits than GRBL reads", "G0 X1\nG1 X123456.12345 F1\nM30\n", 2,
         "GRBL reads only the first eight digits of a number, and would not read 'X123456.12345' as written"},
        {"and one rounded to them", "G1 X1.2345612345e5 F1\nM30\n", 1,
         "GRBL reads only the first eight digits of a number, and would not read 'X1.2345612345e5' as written"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        try {
            posted(row.in, row.options);
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
    EXPECT_EQ(list_folder(folder.path() + "/linuxcnc"), std::vector<std::string>{"a.ngc"});
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

// Programs as a hostile user, a sync tool or a second run hand them over:
// each row is one fault, with the folder before and after the run.
struct HostileCase {
    const char* what;
    const char* program;  // VESKARO_POST or VESKARO_PREVIEW
    std::vector<std::string> args;
    std::map<std::string, std::string> before;  // files written before the run
    // Anything else the folder needs first: FIFOs, links, large files.
    std::function<void(const std::string& dir)> prepare;
    std::string out;
    std::string err;
    int status;
    // Every entry afterwards: its bytes, "<folder>", "<fifo>", "<link>",
    // "<N bytes>" for a file over a megabyte, or "<svg of NAME>" for a
    // picture titled NAME.
    std::map<std::string, std::string> after;
    std::vector<std::pair<int, unsigned long>> limits;  // setrlimit() for the run
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.what; }

std::map<std::string, std::string> snapshot(const std::string& root) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().lexically_relative(root).string();
        if (entry.is_symlink()) {
            entries[name] = "<link>";
        } else if (entry.is_directory()) {
            entries[name] = "<folder>";
        } else if (entry.is_fifo()) {
            entries[name] = "<fifo>";
        } else if (entry.path().extension() == ".svg") {
            const std::string bytes = read_file(entry.path().string());
            const std::size_t title = bytes.find("<title>") + 7;
            entries[name] = "<svg of " + bytes.substr(title, bytes.find(':', title) - title) + ">";
        } else if (entry.file_size() > (1u << 20)) {
            entries[name] = "<" + std::to_string(entry.file_size()) + " bytes>";
        } else {
            entries[name] = read_file(entry.path().string());
        }
    }
    return entries;
}

const std::string kFace = kHeader + "G0 X1 Y2 ; start\nG1 Z-1 F100 ; plunge\n" + kFooter;

// Lines of plain G0 moves, about `bytes` of them, ending with M30.
std::string rapid_lines(std::size_t bytes) {
    std::string text;
    for (int n = 0; text.size() < bytes; ++n) text += "G0 X" + std::to_string(n % 1000) + " Y" + std::to_string(n % 997) + "\n";
    return text + "M30\n";
}

std::string named_components(int names) {
    std::string text = "G21\n";
    for (int n = 0; n < names; ++n) {
        const std::string name = "part" + std::to_string(n);
        text += "G0 X" + std::to_string(n % 100) + " Y1\nG1 Z-1 F100 ; Start cutting " + name + " down to -1.00mm\n" +
                "G1 Y2\nG0 Z5 ; Lift to safe height after cutting " + name + "\n";
    }
    return text + "M30\n";
}

std::string summary(const std::string& program, const std::string& figures) {
    return program + ": " + figures + "\n";
}

constexpr unsigned long kMegabyte = 1ul << 20;
// Memory within ten times a program's size and a small constant: the
// programs' own size at start included (address space, not memory used).
constexpr unsigned long kFixedMemory = 48 * kMegabyte;

std::vector<HostileCase> hostile_cases() {
    const std::string usage = "\n\nUse --help for usage information.\n";
    const std::string posted = "; Created with VESKARO G-Code Generator - https://veskaro.example.org\n" +
                               kFace.substr(kFace.find('\n') + 1);
    const std::string counts = ": header rewritten 1, numbers rewritten 0, circles dropped 0, comment bytes replaced 0, "
                               "comments shortened 0, feeds written 0, lines added 0\n";
    const std::string rapids = rapid_lines(15 * kMegabyte);
    return {
        // 1. Read once: a FIFO can be read only once, and post takes it.
        // Had post opened the program a second time, it would wait there
        // for ever, as no one writes to the FIFO any more.
        {"a program is read once, as a FIFO is", VESKARO_POST, {"-c", "grbl", "face.nc"}, {{"source", kFace}},
         [](const std::string& dir) {
             ASSERT_EQ(mkfifo((dir + "/face.nc").c_str(), 0600), 0);
             ASSERT_EQ(std::system(("timeout 120 cat '" + dir + "/source' > '" + dir + "/face.nc' &").c_str()), 0);
         },
         "face.nc -> grbl/face.nc" + counts, "", 0,
         {{"source", kFace}, {"face.nc", "<fifo>"}, {"grbl", "<folder>"}, {"grbl/face.nc", posted}}, {}},
        // 2. The output of one input would replace the other input.
        {"a target that is another input of the run", VESKARO_POST, {"-c", "linuxcnc", "-o", ".", "A.nc", "A.ngc"},
         {{"A.nc", kFace}, {"A.ngc", "G21\nM30\n"}}, {}, "",
         "Error: A.nc: './A.ngc' is another program this run reads\nError: A.ngc: the program would be written over "
         "itself\n",
         1, {{"A.nc", kFace}, {"A.ngc", "G21\nM30\n"}}, {}},
        {"and the same for GRBL, the input named last", VESKARO_POST, {"-c", "grbl", "-o", ".", "A.ngc", "A.nc"},
         {{"A.nc", kFace}, {"A.ngc", "G21\nM30\n"}}, {}, "",
         "Error: A.ngc: './A.nc' is another program this run reads\nError: A.nc: the program would be written over "
         "itself\n",
         1, {{"A.nc", kFace}, {"A.ngc", "G21\nM30\n"}}, {}},
        // 3. Rounded numbers that the reader would read otherwise.
        {"numbers that rounding would change", VESKARO_POST, {"-c", "linuxcnc", "f.nc", "i.nc", "x.nc"},
         {{"f.nc", "G1 X1 F1e-5\nM30\n"}, {"i.nc", "G2 I4e-5 F1\nM30\n"}, {"x.nc", "G2 X10 I5.000996e0 F1\nM30\n"}},
         {}, "",
         "Error: f.nc:1: feed rate F must be at least 0.0001 mm/min\n"
         "Error: i.nc:1: written in plain decimals, the arc would have radius 0\n"
         "Error: x.nc:1: written in plain decimals, the line would be refused: the end point of G2 is 0.002000 mm "
         "off its circle\n",
         1, {{"f.nc", "G1 X1 F1e-5\nM30\n"}, {"i.nc", "G2 I4e-5 F1\nM30\n"}, {"x.nc", "G2 X10 I5.000996e0 F1\nM30\n"}}, {}},
        // 4. Memory: a file of zeros, a link to /dev/zero, a long word, and
        // 15 MB of rapid moves within ten times their size.
        {"a sparse file of 2 GB and a link to /dev/zero", VESKARO_PREVIEW, {"sparse.nc", "zero.nc"}, {},
         [](const std::string& dir) {
             std::ofstream(dir + "/sparse.nc").close();
             ASSERT_EQ(truncate((dir + "/sparse.nc").c_str(), 2l << 30), 0);
             ASSERT_EQ(symlink("/dev/zero", (dir + "/zero.nc").c_str()), 0);
         },
         "",
         "Error: sparse.nc:1: the line is longer than 65536 characters\n"
         "Error: zero.nc:1: the line is longer than 65536 characters\n",
         1, {{"sparse.nc", "<2147483648 bytes>"}, {"zero.nc", "<link>"}}, {{RLIMIT_AS, kFixedMemory}}},
        {"a bad word quoted by its first bytes", VESKARO_POST, {"-c", "grbl", "q.nc"},
         {{"q.nc", "G21\nG0 Q" + std::string(60000, '7') + "\nM30\n"}}, {}, "",
         "Error: q.nc:2: unsupported word 'Q77777777777777777777777...'\n", 1,
         {{"q.nc", "G21\nG0 Q" + std::string(60000, '7') + "\nM30\n"}}, {}},
        {"15 MB of rapid moves, drawn", VESKARO_PREVIEW, {"rapids.nc"}, {{"rapids.nc", rapids}}, {},
         summary("rapids.nc", "no cutting moves, cutting 0.0 mm, rapid 4194326.6 mm, time 69:54:20"), "", 0, {{"rapids.nc", "<" + std::to_string(rapids.size()) + " bytes>"}, {"rapids.svg", "<svg of rapids>"}},
         {{RLIMIT_AS, 10 * rapids.size() + kFixedMemory}}},
        {"and written for GRBL", VESKARO_POST, {"-c", "grbl", "-o", "out", "rapids.nc"}, {{"rapids.nc", rapids}}, {},
         "rapids.nc -> out/rapids.nc: header rewritten 0, numbers rewritten 0, circles dropped 0, comment bytes "
         "replaced 0, comments shortened 0, feeds written 0, lines added 0\n",
         "", 0,
         {{"rapids.nc", "<" + std::to_string(rapids.size()) + " bytes>"}, {"out", "<folder>"},
          {"out/rapids.nc", "<" + std::to_string(rapids.size()) + " bytes>"}},
         {{RLIMIT_AS, 10 * rapids.size() + kFixedMemory}}},
        // 5. 40,000 component names: each looked up in constant time.
        {"40,000 component names", VESKARO_PREVIEW, {"names.nc"}, {{"names.nc", named_components(40000)}}, {},
         summary("names.nc", "X 0.00..99.00 Y 1.00..2.00 mm, deepest Z -1.00 mm, cutting 279995.0 mm, rapid "
                             "335506.9 mm, time 52:15:27"),
         "", 0, {{"names.nc", "<" + std::to_string(named_components(40000).size()) + " bytes>"}, {"names.svg", "<svg of names>"}}, {}},
        // 6. The smaller faults.
        {"two programs drawn to one picture", VESKARO_PREVIEW, {"x.ngc", "x.ngc.nc"},
         {{"x.ngc", kFace}, {"x.ngc.nc", kFace}}, {},
         summary("x.ngc", "X 1.00..1.00 Y 2.00..2.00 mm, deepest Z -1.00 mm, cutting 6.0 mm, rapid 13.2 mm, time 0:00:04"),
         "Error: x.ngc.nc: 'x.ngc.svg' was already written by this run\n", 1,
         {{"x.ngc", kFace}, {"x.ngc.nc", kFace}, {"x.ngc.svg", "<svg of x>"}}, {}},
        {"a feed of 1e-300", VESKARO_PREVIEW, {"tiny.nc"}, {{"tiny.nc", "G1 X2 F1e-300\nM30\n"}}, {}, "",
         "Error: tiny.nc:1: feed rate F must be at least 0.0001 mm/min\n", 1, {{"tiny.nc", "G1 X2 F1e-300\nM30\n"}}, {}},
        {"a refused program leaves no folder", VESKARO_POST, {"-c", "grbl", "-o", "out/grbl", "bad.nc"},
         {{"bad.nc", "G21\nG91\nM30\n"}}, {}, "", "Error: bad.nc:2: unsupported command 'G91'\n", 1,
         {{"bad.nc", "G21\nG91\nM30\n"}}, {}},
        {"an option given twice to post", VESKARO_POST, {"-c", "grbl", "-c", "linuxcnc", "face.nc"},
         {{"face.nc", kFace}}, {}, "", "Error: Option 'controller' is given more than once" + usage, 1,
         {{"face.nc", kFace}}, {}},
        // A picture that cannot be written fails the run, the finished
        // part's too.
        {"a finished picture that cannot be written", VESKARO_PREVIEW,
         {"-m", "2", "--finished", "--material-thickness", "3", "face.nc"}, {{"face.nc", kFace}},
         [](const std::string& dir) { ASSERT_EQ(mkdir((dir + "/face.finished.svg").c_str(), 0700), 0); }, "",
         "Error: cannot write 'face.finished.svg': Is a directory\n", 1,
         {{"face.nc", kFace}, {"face.svg", "<svg of face>"}, {"face.finished.svg", "<folder>"}}, {}},
        {"and to the preview", VESKARO_PREVIEW, {"-r", "500", "--rapid-rate", "2000", "face.nc"}, {{"face.nc", kFace}},
         {}, "", "Error: Option 'rapid-rate' is given more than once" + usage, 1, {{"face.nc", kFace}}, {}},
    };
}

class Hostile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(Hostile, RefusedOrHandledWithTheFilesAsTheyShouldBe) {
    const HostileCase& c = GetParam();
    TempFolder folder;
    for (const auto& [name, text] : c.before) folder.write(name, text);
    if (c.prepare) c.prepare(folder.path());
    veskaro::testing::ProcessControl control;
    control.timeout_seconds = 120;  // a hang fails the row rather than the suite
#ifndef VESKARO_SANITIZED
    control.limits = c.limits;  // address-space limits cannot be set under the sanitizers
#endif
    const Outcome outcome = veskaro::testing::run_controlled(c.program, c.args, folder.path(), control);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.out, c.out);
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(snapshot(folder.path()), c.after);
}

std::string hostile_name(const ::testing::TestParamInfo<HostileCase>& info) {
    std::string name = std::to_string(info.index) + "_";
    for (const char* c = info.param.what; *c != 0; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Table, Hostile, ::testing::ValuesIn(hostile_cases()), hostile_name);

TEST(PostLines, CountedInSixtyFourBits) {
    // A program of more than 2^31 lines would wrap a 32-bit counter: the
    // reader and the kept moves carry the line as it is.
    using namespace veskaro::toolpath;
    constexpr std::int64_t kFar = 3'000'000'000;
    ProgramReader reader;
    const LineRead read = reader.line(kFar, "G0 X1 ; far");
    ASSERT_TRUE(read.move.has_value());
    MoveList moves;
    moves.push_back(*read.move);
    moves.push_back(*reader.line(kFar + 2, "G0 Y1").move);
    EXPECT_EQ(moves[0].line, kFar);
    EXPECT_EQ(moves[1].line, kFar + 2);
    EXPECT_EQ(moves[0].comment, "far");
}

}  // namespace
