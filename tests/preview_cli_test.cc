// veskaro-preview as a user runs it: refusals with file and line, pictures
// and index pages that a real XML parser reads, and the generator's own
// programs drawn face by face.
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/process.h"

namespace {

using veskaro::testing::file_exists;
using veskaro::testing::list_folder;
using veskaro::testing::Outcome;
using veskaro::testing::read_file;
using veskaro::testing::run_program;
using veskaro::testing::TempFolder;

const std::string kCircle =
    "# Created with a generator\nG21 ; Set units to mm\nG90 ; Absolute positioning\nG0 Z5 ; lift\n"
    "G0 X64.00 Y60.00 ; start\nG1 Z-1.00 F600.00 ; plunge\nG2 X64.00 Y60.00 I-14.00 J0 F600.00 ; circle\n"
    "G0 Z5 ; lift\nM30 ; End of program\n";

Outcome preview(const std::vector<std::string>& args, const std::string& folder) {
    return run_program(VESKARO_PREVIEW, args, folder);
}

// Parses the files with python3's XML parser; gives the root element's tag
// of each, one a line, or the parser's complaint.
std::string xml_roots(const std::vector<std::string>& paths) {
    if (!file_exists(PYTHON3)) return "python3 not found: " PYTHON3;
    std::vector<std::string> args = {
        "-c", "import sys, xml.etree.ElementTree as E\nfor p in sys.argv[1:]: print(E.parse(p).getroot().tag)"};
    args.insert(args.end(), paths.begin(), paths.end());
    const Outcome parsed = run_program(PYTHON3, args, ".");
    return parsed.status == 0 ? parsed.out : "not well-formed: " + parsed.err;
}

// The text of every element `tag` of the file, or its `attribute`, one a
// line, as python3's XML parser reads them.
std::string xml_values(const std::string& path, const std::string& tag, const std::string& attribute = "") {
    if (!file_exists(PYTHON3)) return "python3 not found: " PYTHON3;
    const Outcome parsed = run_program(
        PYTHON3,
        {"-c",
         "import sys, xml.etree.ElementTree as E\n"
         "p, tag, attribute = sys.argv[1:]\n"
         "for e in E.parse(p).getroot().iter():\n"
         "    if e.tag.split('}')[-1] == tag: print(e.get(attribute) if attribute else e.text)",
         path, tag, attribute},
        ".");
    return parsed.status == 0 ? parsed.out : "not well-formed: " + parsed.err;
}

std::string repeated(const std::string& line, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += line;
    return text;
}

const std::string kSvgRoot = "{http://www.w3.org/2000/svg}svg\n";
const std::string kHtmlRoot = "{http://www.w3.org/1999/xhtml}html\n";

TEST(PreviewCli, RefusesWhatTheGeneratorNeverWritesWithFileAndLine) {
    struct Case {
        std::string line;
        std::string what;
    };
    const std::vector<Case> cases = {
        {"G20 ; inches", "unsupported command 'G20'"},
        {"G91 ; relative", "unsupported command 'G91'"},
        {"T1 M6 ; tool change", "unsupported word 'T1'"},
        {"G1 X10 (note)", "unsupported word '(note)'"},
        {"#5=3", "unsupported word '#5=3'"},
        {"g1 x10", "unsupported word 'g1'"},
        {"G1 X1.2.3", "malformed number in 'X1.2.3'"},
        {"G1 X-", "malformed number in 'X-'"},
        {"G0 X1e+07", "number out of range in 'X1e+07'"},
        {"X10 Y10", "the line has no command (G0, G1, G2, G3, G4, G21, G90, M3, M4, M5 or M30)"},
        {"M6 ; tool change", "unsupported command 'M6'"},
        {"G1 X1 S5 F100", "word S is not allowed with G1"},
        {"M5 S100", "word S is not allowed with M5"},
        {"M3 S-1", "spindle speed S must not be negative"},
        {"G4 ; wait", "G4 without a dwell time (P)"},
        {"G4 P-1", "dwell time P must not be negative"},
        {"G0 X1 G1 Y2", "more than one command on the line"},
        {"G0 X1 X2", "word X given twice"},
        {"G0 X1 I5", "word I is not allowed with G0"},
        {"G21 X1", "word X is not allowed with G21"},
        {"G1 Z-1", "G1 without a feed rate (no F so far)"},
        {"G1 Z-1 F0", "feed rate F must be greater than 0"},
        {"G2 X10 Y0 F100", "G2 without a centre offset (I, J)"},
        {"G2 X10 Y0 I3 J0 F100", "the end point of G2 is 4.000000 mm off its circle"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        folder.write("face.nc", "# header\nG21 ; mm\nG90 ; absolute\n" + c.line + "\nM30 ; end\n");
        const Outcome outcome = preview({"face.nc"}, folder.path());
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, "Error: face.nc:4: " + c.what + "\n");
        EXPECT_FALSE(file_exists(folder.path() + "/face.svg"));
    }

    // A program cut short, or with more after its end.
    folder.write("face.nc", "# header\nG21 ; mm\nG0 X1 ; start\n");
    EXPECT_EQ(preview({"face.nc"}, folder.path()).err,
              "Error: face.nc:3: the program does not end with M30 (is it cut short?)\n");
    folder.write("face.nc", "G21 ; mm\nM30 ; end\nG0 X1 ; after the end\n");
    EXPECT_EQ(preview({"face.nc"}, folder.path()).err, "Error: face.nc:3: text after the end of the program (M30)\n");
    // "#" is the header's comment on the first line only.
    folder.write("face.nc", "G21 ; mm\n# not a header\nM30 ; end\n");
    EXPECT_EQ(preview({"face.nc"}, folder.path()).err, "Error: face.nc:2: unsupported word '#'\n");
}

TEST(PreviewCli, DrawsButWarnsOfNumbersWithAnExponent) {
    // A turned recess row that ends on the panel's left edge, in the general
    // form: controllers read "e-07" as a word of its own.
    TempFolder folder;
    folder.write("face.nc", "G21 ; mm\nG0 X24 Y33 ; start\nG1 Z-1 F100 ; plunge\nG1 X2.62268e-07 Y33 F100 ; row\n"
                            "M30 ; end\n");
    const Outcome outcome = preview({"face.nc"}, folder.path());
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "warning: face.nc:4: a number written with an exponent; most controllers refuse it\n");
    EXPECT_EQ(outcome.out.substr(0, 33), "face.nc: X 0.00..24.00 Y 33.00..3");
    EXPECT_TRUE(file_exists(folder.path() + "/face.svg"));
}

TEST(PreviewCli, ReadsTheProgramsWrittenForAMachineBesideTheOriginals) {
    // As veskaro-post writes them: the header as a ";" comment, the spindle
    // started, a dwell that counts in the time, the spindle stopped.
    TempFolder folder;
    folder.write("face.nc", kCircle);
    folder.write("face.ngc", "; Created with a generator\nG21 ; mm\nG0 Z5 ; lift\nM3 S12000 ; start\nG4 P30 ; wait\n" +
                                 kCircle.substr(kCircle.find("G0 X64"), kCircle.find("M30") - kCircle.find("G0 X64")) +
                                 "M5 ; stop\nM30 ; end\n");
    const Outcome outcome = preview({"."}, folder.path());
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    const std::string figures = "X 36.00..64.00 Y 46.00..74.00 mm, deepest Z -1.00 mm, cutting 94.0 mm, rapid 98.7 mm";
    EXPECT_EQ(outcome.out, "./face.nc: " + figures + ", time 0:00:15\n./face.ngc: " + figures +
                               ", time 0:00:45\nIndex: ./index.html\n");
    EXPECT_EQ(list_folder(folder.path()),
              (std::vector<std::string>{"face.nc", "face.ngc", "face.ngc.svg", "face.svg", "index.html"}));
}

TEST(PreviewCli, PathsOptionsAndStatus) {
    TempFolder folder;
    folder.write("notes.txt", "G21\n");
    // Files that cannot be read, with the system's reason: missing, a link
    // to itself, and one whose reads fail (a process's memory at address 0).
    ASSERT_EQ(symlink("loop.nc", (folder.path() + "/loop.nc").c_str()), 0);
    ASSERT_EQ(symlink("/proc/self/mem", (folder.path() + "/mem.nc").c_str()), 0);
    Outcome outcome = preview({"missing.nc", "loop.nc", "mem.nc", "notes.txt"}, folder.path());
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "Error: cannot read 'missing.nc': No such file or directory\n"
              "Error: cannot read 'loop.nc': Too many levels of symbolic links\n"
              "Error: cannot read 'mem.nc': Input/output error\n"
              "Error: notes.txt: not a .nc or .ngc program\n");
    unlink((folder.path() + "/loop.nc").c_str());
    unlink((folder.path() + "/mem.nc").c_str());
    outcome = preview({"."}, folder.path());
    EXPECT_EQ(outcome.err, "Error: .: no .nc or .ngc programs in the folder\n");

    outcome = preview({}, folder.path());
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Error: no program or folder given\n\nUse --help for usage information.\n");
    outcome = preview({"--rapid-rate", "0", "x.nc"}, folder.path());
    EXPECT_EQ(outcome.err, "Error: Option 'rapid-rate' must be greater than 0\n\nUse --help for usage information.\n");
    outcome = preview({"-m", "3mm", "x.nc"}, folder.path());
    EXPECT_EQ(outcome.err, "Error: Argument '3mm' failed to parse\n\nUse --help for usage information.\n");
    outcome = preview({"--help"}, folder.path());
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out,
              "Draws VESKARO face programs (.nc) as SVG pictures beside them and prints what each program does.\n"
              "A folder stands for every .nc program in it and also gets an index.html that shows them all.\n"
              "\n"
              "Usage:\n"
              "  veskaro-preview [OPTION...] PATH...\n"
              "\n"
              "  -r, --rapid-rate arg          Speed of rapid (G0) moves in mm/min, for \n"
              "                                the time estimate (default: 1000)\n"
              "  -m, --bit-diameter arg        Draw cutting moves as wide as the bit, in \n"
              "                                mm (Default: 0 - thin lines); with \n"
              "                                --finished, the flat-end bit that cuts \n"
              "                                (default: 0)\n"
              "  -t, --tsv                     Print the figures as tab-separated values, \n"
              "                                for scripts, instead of the summary lines\n"
              "      --finished                Also simulate each program's cut and draw \n"
              "                                the finished part beside its picture \n"
              "                                (<name>.finished.svg); needs --bit-diameter \n"
              "                                and --material-thickness\n"
              "      --material-thickness arg  Thickness of the sheet in mm, for \n"
              "                                --finished; Z 0 is its top\n"
              "      --cell arg                Cell of the simulated cut in mm, 0.005 to 1 \n"
              "                                and at most half the bit (Default: 0.05)\n"
              "      --min-wall arg            Walls thinner than this between two \n"
              "                                through-cuts are findings, in mm (Default: \n"
              "                                1)\n"
              "      --measure                 With --finished, print a tab-separated line \n"
              "                                per feature of the finished part instead of \n"
              "                                the summary lines\n"
              "  -h, --help                    Show this help message and quit\n"
              "  -v, --version                 Show the program's name and version and \n"
              "                                quit\n"
              "\n");
}

// A 60 x 40 mm face cut free with a 2 mm bit through 3 mm: a 10 mm hole of
// "fan" and a 1 mm recess around it.
const std::string kFace =
    "# header\nG21 ; mm\nG90 ; absolute\nG0 Z5 ; lift\n"
    "G0 X26 Y20 ; start\nG1 Z-1 F600 ; Start cutting down to -1mm\nG2 X26 Y20 I-6 J0 ; ring\nG0 Z5 ; lift\n"
    "G0 X24 Y20 ; start\nG1 Z-3 ; Start cutting fan down to -3mm\nG2 X24 Y20 I-4 J0 ; circle\n"
    "G0 Z5 ; Lift to safe height after cutting fan\n"
    "G0 X0 Y0 ; start\nG1 Z-3 ; Start cutting down to -3mm\nG1 X60 ; edge\nG1 Y40 ; edge\nG1 X0 ; edge\n"
    "G1 Y0 ; edge\nG0 Z5 ; lift\nM30 ; end\n";

TEST(PreviewCli, FinishedPartBesideEachPicture) {
    TempFolder folder;
    folder.write("face.nc", kFace);
    const std::vector<std::string> finished = {"--finished", "-m", "2", "--material-thickness", "3"};
    std::vector<std::string> args = finished;
    args.push_back(".");
    Outcome outcome = preview(args, folder.path());
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out,
              "./face.nc: X 0.00..60.00 Y 0.00..40.00 mm, deepest Z -3.00 mm, cutting 284.8 mm, rapid 93.0 mm, "
              "time 0:00:34, finished 58.00 x 38.00 mm, freed, 1 hole, 1 pocket\nIndex: ./index.html\n");
    EXPECT_EQ(list_folder(folder.path()),
              (std::vector<std::string>{"face.finished.svg", "face.nc", "face.svg", "index.html"}));
    const std::string picture = folder.path() + "/face.finished.svg";
    EXPECT_EQ(xml_roots({picture, folder.path() + "/index.html"}), kSvgRoot + kHtmlRoot);
    // On the same axes as the tool paths: the same size and grid, the
    // hole named after its component.
    EXPECT_EQ(xml_values(picture, "svg", "viewBox"), xml_values(folder.path() + "/face.svg", "svg", "viewBox"));
    EXPECT_EQ(xml_values(picture, "title"), "face: finished 58.00 x 38.00 mm, freed, 1 hole, 1 pocket\n");
    const std::string texts = xml_values(picture, "text");
    EXPECT_EQ(texts.substr(texts.rfind("mm\n")), "mm\nfan\n");
    // Both pictures side by side in the page.
    EXPECT_EQ(xml_values(folder.path() + "/index.html", "svg", "viewBox"), repeated("0 0 68.925 55.487\n", 2));

    // One line a feature: the part, its hole (with its component), its
    // pocket.
    args = finished;
    args.insert(args.end(), {"--measure", "face.nc"});
    outcome = preview(args, folder.path());
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "face.nc\tpart\tfreed\t30.00\t20.00\t58.00\t38.00\t2125.45\t0.00\t1.00\n"
              "face.nc\thole\tfan\t20.00\t20.00\t10.00\t10.00\t78.55\t3.00\t3.00\n"
              "face.nc\tpocket\t-\t20.00\t20.00\t14.00\t14.00\t75.40\t1.00\t1.00\n");
}

TEST(PreviewCli, FinishedOptionsAreRefusedNamingTheOption) {
    struct Case {
        std::vector<std::string> args;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{"--finished", "--material-thickness", "3"}, "Option 'bit-diameter' must be given with 'finished'"},
        {{"--finished", "-m", "0", "--material-thickness", "3"},
         "Option 'bit-diameter' must be greater than 0 to simulate the cut (a bit of no width removes nothing)"},
        {{"--finished", "-m", "2"}, "Option 'material-thickness' must be given with 'finished'"},
        {{"--finished", "-m", "2", "--material-thickness", "0"},
         "Option 'material-thickness' must be greater than 0 and at most 1000"},
        {{"--finished", "-m", "2", "--material-thickness", "3mm"}, "Argument '3mm' failed to parse"},
        {{"--finished", "-m", "2", "--material-thickness", "1,5"}, "Argument '1,5' failed to parse"},
        {{"--finished", "-m", "2", "--material-thickness", "3", "--cell", "0.004"},
         "Option 'cell' must be between 0.005 and 1"},
        {{"--finished", "-m", "2", "--material-thickness", "3", "--cell", "1.5"},
         "Option 'cell' must be between 0.005 and 1"},
        {{"--finished", "-m", "0.5", "--material-thickness", "3", "--cell", "0.5"},
         "Option 'cell' must be at most half the bit diameter"},
        {{"--finished", "-m", "2", "--material-thickness", "3", "--cell", "nan"}, "Argument 'nan' failed to parse"},
        {{"--finished", "-m", "2", "--material-thickness", "3", "--min-wall", "-1"},
         "Option 'min-wall' must be between 0 and 1000"},
        {{"--finished", "-m", "2", "--material-thickness", "3", "--measure", "--tsv"},
         "Option 'measure' cannot be combined with 'tsv'"},
        {{"--measure"}, "Option 'measure' needs 'finished'"},
        {{"--cell", "0.1"}, "Option 'cell' needs 'finished'"},
        {{"--material-thickness", "3"}, "Option 'material-thickness' needs 'finished'"},
    };
    TempFolder folder;
    folder.write("face.nc", kFace);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        std::vector<std::string> args = c.args;
        args.push_back("face.nc");
        const Outcome outcome = preview(args, folder.path());
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, "Error: " + c.error + "\n\nUse --help for usage information.\n");
        EXPECT_EQ(list_folder(folder.path()), std::vector<std::string>{"face.nc"});
    }
    // A program that reaches beyond any sheet is drawn but not simulated.
    folder.write("far.nc", "G21 ; mm\nG0 X0 Y0 ; start\nG1 Z-1 F100 ; down\nG1 X10500 ; far\nG0 Z5 ; up\nM30 ; end\n");
    const Outcome outcome = preview({"--finished", "-m", "2", "--material-thickness", "3", "far.nc"}, folder.path());
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "Error: far.nc:4: the move reaches 10500.00 mm from the origin: no sheet is wider than "
                           "10 m, the cut is not simulated\n");
}

TEST(PreviewCli, FolderGetsPicturesAndAnIndexThatParseAsXml) {
    TempFolder folder;
    const std::string faces = folder.path() + "/faces";
    ASSERT_EQ(run_program("/bin/mkdir", {faces}, ".").status, 0);
    // Names that need escaping in XML and in links.
    folder.write("faces/B & <b>.nc", kCircle);
    folder.write("faces/A #1.nc", kCircle);
    folder.write("faces/C.nc", "G21 ; mm\nG1 X5 ; no feed\nM30 ; end\n");
    folder.write("faces/readme.txt", "not a program");

    const Outcome outcome = preview({"faces"}, folder.path());
    EXPECT_EQ(outcome.status, 1);  // C.nc could not be read
    EXPECT_EQ(outcome.err, "Error: faces/C.nc:2: G1 without a feed rate (no F so far)\n");
    const std::string summary =
        ": X 36.00..64.00 Y 46.00..74.00 mm, deepest Z -1.00 mm, cutting 94.0 mm, rapid 98.7 mm, time 0:00:15\n";
    EXPECT_EQ(outcome.out, "faces/A #1.nc" + summary + "faces/B & <b>.nc" + summary + "Index: faces/index.html\n");
    EXPECT_EQ(list_folder(faces), (std::vector<std::string>{"A #1.nc", "A #1.svg", "B & <b>.nc", "B & <b>.svg",
                                                            "C.nc", "index.html", "readme.txt"}));

    EXPECT_EQ(xml_roots({faces + "/A #1.svg", faces + "/B & <b>.svg", faces + "/index.html"}),
              repeated(kSvgRoot, 2) + kHtmlRoot);
    const std::string figures =
        "X 36.00..64.00 Y 46.00..74.00 mm, deepest Z -1.00 mm, cutting 94.0 mm, rapid 98.7 mm, time 0:00:15";
    EXPECT_EQ(xml_values(faces + "/B & <b>.svg", "title"), "B & <b>: " + figures + "\n");
    // The faces and programs in the table, then each picture's own file.
    EXPECT_EQ(xml_values(faces + "/index.html", "a", "href"),
              "#face-1\nA%20%231.nc\n#face-2\nB%20%26%20%3Cb%3E.nc\n#face-3\nC.nc\nA%20%231.svg\n"
              "B%20%26%20%3Cb%3E.svg\n");
    // The pictures are in the page, after the switch that hides their rapid moves.
    EXPECT_EQ(xml_values(faces + "/index.html", "svg", "viewBox"), repeated("0 0 75.008 93.101\n", 2));
    EXPECT_EQ(xml_values(faces + "/index.html", "input", "id"), "show-rapids\n");
    EXPECT_EQ(xml_values(faces + "/index.html", "p"), "line 2: G1 without a feed rate (no F so far)\n");
}

TEST(PreviewCli, PicturesNameTheComponentsAndShowTheScaleAndTheOrigin) {
    // An unnamed recess ring, then the opening of "fan" in two passes, then an
    // outline: only the opening carries a name, at the centre of its circle.
    TempFolder folder;
    folder.write("face.nc",
                 "# header\nG21 ; mm\nG90 ; absolute\nG0 Z5 ; Lift\n"
                 "G0 X34.00 Y20.00 ; Move to the start of the circle (right side)\n"
                 "G1 Z-0.50 F600.00 ; Start cutting down to -0.50mm\nG2 X34.00 Y20.00 I-4.00 J0 ; Cut a circle\n"
                 "G0 Z5 ; Lift to safe height after cutting\n"
                 "G0 X27.00 Y20.00 ; Move to the pocket position\n"
                 "G1 Z-1.00 F600.00 ; Start cutting fan & co down to -1.00mm\n"
                 "G2 X27.00 Y20.00 I3.00 J0 ; Cut a circle\n"
                 "G1 Z-2.00 ; Start cutting fan & co down to -2.00mm\n"
                 "G2 X27.00 Y20.00 I3.00 J0 ; Cut a circle\n"
                 "G0 Z5 ; Lift to safe height after cutting fan & co\n"
                 "G0 X0 Y40 ; Move to the starting point\nG1 Z-2.00 ; Start cutting down to -2.00mm\n"
                 "G1 X50 Y40 ; Cut along the X axis\nG0 Z5 ; Lift the tool to a safe height\nM30 ; End\n");
    ASSERT_EQ(preview({"face.nc"}, folder.path()).status, 0);
    const std::string svg = folder.path() + "/face.svg";
    EXPECT_EQ(xml_values(svg, "text"),
              "face\n"
              "X 0.00..50.00 Y 16.00..40.00 mm, deepest Z -2.00 mm\n"
              "cutting 132.3 mm, rapid 104.5 mm, time 0:00:20\n"
              "cut to Z -0.5\nZ -2 mm;\nrapid moves;\norigin X0 Y0\n"
              // X every 10 mm below, Y every 10 mm on the left, and the unit.
              "0\n10\n20\n30\n40\n50\n0\n10\n20\n30\n40\nmm\n"
              "fan & co\n");
    // The white ground, a swatch in the key for every depth level from light
    // to dark, and the drawing's white frame.
    EXPECT_EQ(xml_values(svg, "rect", "fill"), "#ffffff\n#79a4c4\n#537da6\n#08306b\n#ffffff\n");
    EXPECT_EQ(xml_values(svg, "desc"), "Z -0.5\nZ -1\nZ -2\nX0 Y0\n");
    // Opened on its own, the picture fits 1000 x 800 pixels (here its height
    // bounds it); inside, it is in millimetres.
    EXPECT_EQ(xml_values(svg, "svg", "width") + xml_values(svg, "svg", "height") + xml_values(svg, "svg", "viewBox"),
              "869\n800\n0 0 57.438 52.906\n");
}

TEST(PreviewCli, DrawsEveryFaceTheGeneratorWrites) {
    TempFolder folder;
    const Outcome generated = run_program(
        VESKARO_BINARY, {"-j", VESKARO_SOURCE_DIR "/tests/fixtures/every_section/project.json", "-o", "out", "-t", "3",
                         "-b", "40", "-d", "1.25", "-m", "2", "-f", "450", "-r", "2.5", "-e", "3.5", "-w", "4", "-i",
                         "7", "-a", "1.5", "-n", "0.5"},
        folder.path());
    ASSERT_EQ(generated.status, 0) << generated.err;
    const Outcome outcome = preview({"--bit-diameter", "2", "out/project"}, folder.path());
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    const std::vector<std::string> faces = {"Box_Back", "Box_Bottom", "Box_Front", "Box_Left",
                                            "Box_Main", "Box_Right", "Lid_Main_Bottom"};
    std::vector<std::string> written;
    for (const std::string& face : faces) written.push_back(folder.path() + "/out/project/" + face + ".svg");
    written.push_back(folder.path() + "/out/project/index.html");
    EXPECT_EQ(xml_roots(written), repeated(kSvgRoot, faces.size()) + kHtmlRoot);
    // A side face without outer sizing is (40 + 6) x (80 + 6); passes of 1.25
    // mm stop at -2.5 in the 3 mm sheet, the last one that is not below -3.
    const std::string left = "out/project/Box_Left.nc: ";
    const std::size_t at = outcome.out.find(left);
    ASSERT_NE(at, std::string::npos) << outcome.out;
    EXPECT_EQ(outcome.out.substr(at, outcome.out.find('\n', at) - at),
              left + "X 0.00..46.00 Y 0.00..86.00 mm, deepest Z -2.50 mm, cutting 647.0 mm, rapid 110.5 mm, "
                     "time 0:01:33");
}

TEST(PreviewCli, SummaryLinesThatCannotBeWrittenFailTheRun) {
    TempFolder folder;
    folder.write("face.nc", kCircle);
    const std::string command =
        "cd '" + folder.path() + "' && '" VESKARO_PREVIEW "' face.nc >/dev/full 2>err.txt; echo $? >status.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(read_file(folder.path() + "/status.txt"), "1\n");
    EXPECT_EQ(read_file(folder.path() + "/err.txt"), "Error: cannot write to standard output\n");
}

}  // namespace
