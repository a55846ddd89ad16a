// End-to-end: the command line, the settings report and the run driver,
// checked on the console text, exit status and files of real runs.
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/process.h"

namespace {

using veskaro::testing::file_exists;
using veskaro::testing::list_folder;
using veskaro::testing::Outcome;
using veskaro::testing::read_file;
using veskaro::testing::run_generator;
using veskaro::testing::TempFolder;

int this_year() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// Runs the generator and writes the year it named as "<year>": the year is
// read before and after the run, so a run at New Year may name either.
Outcome run_naming_the_year(const std::vector<std::string>& args, const std::string& folder) {
    const int before = this_year();
    Outcome run = run_generator(args, folder);
    for (int year : {before, this_year()}) {
        const std::string text = "Copyright (C) " + std::to_string(year) + " ";
        for (std::size_t at; (at = run.out.find(text)) != std::string::npos;) {
            run.out.replace(at, text.size(), "Copyright (C) <year> ");
        }
    }
    return run;
}

const char* const kBanner =
    "== VESKARO G-Code generator for Laser Engraving and CNC Routers ==\n"
    "== Copyright (C) <year> The VESKARO developers ==\n"
    "== Version: 1.0.0 ==\n"
    "\n"
    "== Website: https://veskaro.example.org ==\n"
    "\n";

struct Report {
    std::string outer = "No", components = "Yes", outline = "Yes";
    std::string top = "0", bottom = "0", head = "0", head_height = "0", margin = "0", recess = "0";
    std::string feed = "100", bit = "0", thickness = "3", depth = "1.5", height = "50";
    std::string simulate = "No";

    std::string text() const {
        return "~~~~~ Settings ~~~~~\n"
               "Outer sizing enabled: " + outer + "\n"
               "Components enabled: " + components + "\n"
               "Side outline enabled: " + outline + "\n"
               "Screw diameter top in mm: " + top + "\n"
               "Screw diameter bottom in mm: " + bottom + "\n"
               "Screw head diameter in mm: " + head + "\n"
               "Screw head height in mm: " + head_height + "\n"
               "Screw extra margin in mm: " + margin + "\n"
               "Recess depth in mm: " + recess + "\n"
               "Feedrate: " + feed + "\n"
               "Bit diameter in mm: " + bit + "\n"
               "Material thickness in mm: " + thickness + "\n"
               "Depth per pass in mm: " + depth + "\n"
               "Box height in 3D in mm: " + height + "\n"
               "Cut depth per pass in mm: " + depth + "\n"
               "Simulation enabled: " + simulate + "\n"
               "======================\n";
    }
};


std::vector<std::string> required(const std::string& json = "box.json", const std::string& out = ".") {
    return {"-j", json, "-o", out, "-t", "3", "-b", "50", "-d", "1.5"};
}

std::vector<std::string> plus(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::string option_error(const std::string& message) {
    return "Error: " + message + "\n\nUse --help for usage information.\n";
}

const char* const kBox = R"({"Generic": {"width": 20, "height": 10}, "Box_Main": {}})";

TEST(CommandLine, HelpIsTheLibraryTextWithOurDescription) {
    TempFolder dir;
    const std::string expected =
        "VESKARO G-Code Generator for Laser Engraving and CNC Routers (v.1.0.0)\n"
        "Copyright (C) <year> The VESKARO developers\n"
        "\n"
        "Website: https://veskaro.example.org\n"
        "\n"
        "Usage:\n"
        "  veskaro-gcode [OPTION...]\n"
        "\n"
        "  -j, --json-file arg           Project JSON file\n"
        "  -o, --output-directory arg    Output folder\n"
        "  -t, --material-thickness arg  Material thickness to cut in mm\n"
        "  -b, --box-height-3d arg       Box height in 3D in mm\n"
        "  -d, --cut-depth-per-pass arg  Depth per pass to cut in mm\n"
        "  -m, --bit-diameter arg        Bit diameter in mm for drill size \n"
        "                                compensation (default: 0)\n"
        "  -z, --outer-sizing            Box sizes are for outside borders (inner \n"
        "                                area will be smaller)\n"
        "  -r, --recess-depth arg        The depth of recess in mm (Default: no \n"
        "                                recess) (default: 0)\n"
        "  -f, --feedrate arg            Feedrate to use for axes (default: 100)\n"
        "  -l, --outline                 Enable side outline cutting (default: true)\n"
        "  -c, --components              Enable component cutting (default: true)\n"
        "  -e, --screw-size-top arg      Screw diameter for top side in mm (Default: \n"
        "                                0 - no screws) (default: 0)\n"
        "  -w, --screw-size-bottom arg   Screw diameter for bottom side in mm \n"
        "                                (Default: 0 - no screws) (default: 0)\n"
        "  -i, --screw-head-diameter arg\n"
        "                                Screw head diameter in mm (default: 0)\n"
        "  -a, --screw-head-height arg   Screw head height in mm (default: 0)\n"
        "  -n, --screw-extra-margin arg  Screw extra margin in mm (default: 0)\n"
        "  -s, --simulate                Simulate, do not write NCs\n"
        "  -h, --help                    Show this help message and quit\n"
        "\n";
    // Help wins over missing required options, and needs none of them.
    for (const auto& args : {std::vector<std::string>{"-h"}, std::vector<std::string>{"--help", "-t", "3"}}) {
        const Outcome run = run_naming_the_year(args, dir.path());
        EXPECT_EQ(run.out, expected);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.status, 0);
    }
}

TEST(CommandLine, ParserErrorsAreQuotedWithApostrophes) {
    TempFolder dir;
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{}, "Option 'json-file' has no value"},
        {{"-h", "--bogus"}, "Option 'bogus' does not exist"},
        {plus(required(), {"--feedrate=abc"}), "Argument 'abc' failed to parse"},
        {plus(required(), {"--outline=maybe"}), "Argument 'maybe' failed to parse"},
        {{"-j", "box.json", "-o", ".", "-t", "3", "-d", "1"}, "Option 'box-height-3d' has no value"},
        {{"-j"}, "Option 'j' is missing an argument"},
        {plus(required(), {"-q"}), "Option 'q' does not exist"},
        // Typographic quotes typed by the user are part of the value and stay.
        {plus(required(), {"--feedrate=a\u2019b\u2018"}), "Argument 'a\u2019b\u2018' failed to parse"},
        {plus(required(), {"--f\u2019"}), "Argument '--f\u2019' starts with a - but has incorrect syntax"},
    };
    for (const auto& c : cases) {
        const Outcome run = run_generator(c.args, dir.path());
        EXPECT_EQ(run.err, option_error(c.message)) << c.message;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.status, 1);
    }
    EXPECT_TRUE(list_folder(dir.path()).empty());
}

TEST(CommandLine, SettingsReportWithOnlyTheRequiredOptions) {
    TempFolder dir;
    dir.write("box.json", kBox);
    const Outcome run = run_naming_the_year(required(), dir.path());
    EXPECT_EQ(run.out, kBanner + Report().text() +
                                                   "Creating outline cut for: Box_Main\n"
                                                   "G-codes generated for: Box_Main\n"
                                                   "Output path: " + dir.path() + "/box\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
}

}  // namespace
