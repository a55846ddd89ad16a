// End-to-end: bad settings, bad project data, unsafe names, absurd sizes and
// output that cannot be written.  Every case must end with
// status 1 and one exact error report, write only the faces met before the
// fault, leave no partial or temporary file, and keep the programs of an
// earlier good run byte for byte.
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/process.h"
#include "support/program_text.h"

namespace {

namespace fs = std::filesystem;
using veskaro::testing::generator_path;
using veskaro::testing::has_file_open_under;
using veskaro::testing::Outcome;
using veskaro::testing::ProcessControl;
using veskaro::testing::run_controlled;
using veskaro::testing::run_program;
using veskaro::testing::read_file;
using veskaro::testing::run_generator;
using veskaro::testing::TempFolder;
using veskaro::testing::kFooter;
using veskaro::testing::kHeader;
using veskaro::testing::kOutline200x100;

// The program of a face without components: 200 x 100 mm, outline in two
// passes of 1.5 mm through 3 mm.
const std::string kGoodProgram = kHeader + kOutline200x100 + kFooter;

const char* const kGeneric = R"("Generic": {"width": 20, "height": 10})";
const char* const kGoodProject = R"({"Generic": {"width": 20, "height": 10}, "A_Main": {}, "Box_Main": {}})";

// A project whose face A_Main is sound and whose face Box_Main holds one
// component "fan" with the given members.
std::string with_fan(const std::string& members) {
    return std::string("{") + kGeneric + R"(, "A_Main": {}, "Box_Main": {"fan": {)" + members + "}}}";
}

// A project with A_Main and Box_Main sound and one more member.
std::string with_member(const std::string& member) {
    return std::string("{") + kGeneric + R"(, "A_Main": {}, "Box_Main": {}, )" + member + "}";
}

std::string with_generic(const std::string& generic) {
    return R"({"Generic": )" + generic + R"(, "A_Main": {}, "Box_Main": {}})";
}

std::string with_box_main(const std::string& face) {
    return std::string("{") + kGeneric + R"(, "A_Main": {}, "Box_Main": )" + face + "}";
}

// The command line of a case: the project file, the output directory, the
// three required sizes and the case's own options; a case's option replaces
// the base option of the same name.
std::vector<std::string> command(const std::string& json_file, const std::string& output_directory,
                                 const std::vector<std::string>& options) {
    std::vector<std::pair<std::string, std::string>> pairs = {
        {"-j", json_file}, {"-o", output_directory}, {"-t", "3"}, {"-b", "50"}, {"-d", "1.5"}};
    std::vector<std::string> flags;
    for (std::size_t i = 0; i < options.size(); ++i) {
        const std::string& name = options[i];
        if (name.rfind("--", 0) == 0 || i + 1 == options.size()) {
            flags.push_back(name);
            continue;
        }
        const std::string& value = options[++i];
        bool replaced = false;
        for (auto& pair : pairs) {
            if (pair.first == name) {
                pair.second = value;
                replaced = true;
            }
        }
        if (!replaced) pairs.emplace_back(name, value);
    }
    std::vector<std::string> args;
    for (const auto& pair : pairs) {
        args.push_back(pair.first);
        args.push_back(pair.second);
    }
    args.insert(args.end(), flags.begin(), flags.end());
    return args;
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string option_error(const std::string& message) {
    return "Error: " + message + "\n\nUse --help for usage information.\n";
}

std::string run_error(const std::string& message) { return "Error: " + message + "\n"; }

// Undoes a mount when the case ends, before its folder is removed.
class Mount {
public:
    explicit Mount(std::string point) : point_(std::move(point)) {}
    ~Mount() { umount2(point_.c_str(), MNT_DETACH); }

private:
    std::string point_;
};

using Guard = std::shared_ptr<void>;

// Mounts a small tmpfs at <dir>/<name>; returns null with `why` set when
// this machine does not allow it.
Guard mount_tmpfs(const std::string& dir, const std::string& name, const char* options, std::string& why) {
    const std::string point = dir + "/" + name;
    fs::create_directory(point);
    if (mount("tmpfs", point.c_str(), "tmpfs", 0, options) != 0) {
        why = "mounting a tmpfs is not permitted here (" + std::string(std::strerror(errno)) +
              "); CI runs as root and does this case";
        return nullptr;
    }
    return std::make_shared<Mount>(point);
}

bool remount_read_only(const std::string& point, std::string& why) {
    if (mount("tmpfs", point.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        why = "remounting read-only failed: " + std::string(std::strerror(errno));
        return false;
    }
    return true;
}

struct BadCase {
    std::string label;
    std::string project;               // text of box.json
    std::vector<std::string> options;  // besides the required ones
    std::string error;                 // the whole error stream; {dir} is the case's folder
    std::vector<std::string> written;  // faces written before the fault, in order
    std::string output_directory = ".";
    std::string json_file = "box.json";
    bool prints_output_path = false;   // only the missing "Generic", which skips faces
    bool rerun = true;                 // also run over the output of a good run
    // Prepares the folder; returns a guard that lives until the case ends,
    // or null with `why` set to skip the case.
    std::function<Guard(const std::string& dir, std::string& why)> prepare;
    int status = 1;                    // 128 + the signal for a run a signal ends
    // Limits, signals and file systems the run meets; none when empty.
    std::function<veskaro::testing::ProcessControl(const std::string& dir)> control;
};

// Failures name the case, not its bytes.
void PrintTo(const BadCase& c, std::ostream* out) { *out << c.label; }

// Every file and folder below `root`: path relative to it, then the bytes of
// a file (its size only when it is large) or "<folder>".
std::map<std::string, std::string> snapshot(const std::string& root) {
    constexpr std::uintmax_t kLargest = 1 << 20;
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        if (entry.is_directory()) {
            entries[name] = "<folder>";
        } else if (entry.file_size() > kLargest) {
            entries[name] = "<" + std::to_string(entry.file_size()) + " bytes>";
        } else {
            entries[name] = read_file(entry.path().string());
        }
    }
    return entries;
}

// The entries that differ, by name; empty when the snapshots are equal.
std::string difference(const std::map<std::string, std::string>& expected,
                       const std::map<std::string, std::string>& actual) {
    std::string text;
    for (const auto& [name, bytes] : expected) {
        const auto found = actual.find(name);
        if (found == actual.end()) {
            text += "missing: " + name + "\n";
        } else if (found->second != bytes) {
            text += "changed: " + name + " (" + std::to_string(found->second.size()) + " bytes: " +
                    found->second.substr(0, 200) + ")\n";
        }
    }
    for (const auto& [name, bytes] : actual) {
        if (expected.count(name) == 0) text += "unexpected: " + name + " (" + bytes.substr(0, 200) + ")\n";
    }
    return text;
}

std::string replace_dir(std::string text, const std::string& dir) {
    const std::string mark = "{dir}";
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + dir.size())) {
        text.replace(at, mark.size(), dir);
    }
    return text;
}

std::string generated_lines(const std::vector<std::string>& faces) {
    std::string text;
    for (const auto& face : faces) text += "G-codes generated for: " + face + "\n";
    return text;
}

// Only the lines that tell what was written or where.
std::string outcome_lines(const std::string& out) {
    std::string kept;
    std::size_t start = 0;
    while (start < out.size()) {
        std::size_t end = out.find('\n', start);
        if (end == std::string::npos) end = out.size() - 1;
        const std::string line = out.substr(start, end - start + 1);
        if (line.rfind("G-codes generated for: ", 0) == 0 || line.rfind("Output path: ", 0) == 0) kept += line;
        start = end + 1;
    }
    return kept;
}

void check_case(const BadCase& c, bool over_good_run) {
    TempFolder folder;
    const std::string& dir = folder.path();
    Guard guard;
    if (c.prepare) {
        std::string why;
        guard = c.prepare(dir, why);
        if (!guard) GTEST_SKIP() << why;
    }
    const std::string out_folder =
        dir + (c.output_directory == "." ? "" : "/" + c.output_directory) + "/box";
    if (over_good_run) {
        folder.write("box.json", kGoodProject);
        const Outcome good = run_generator(command("box.json", c.output_directory, {}), dir);
        ASSERT_EQ(good.status, 0) << good.err;
        ASSERT_EQ(read_file(out_folder + "/Box_Main.nc"), kGoodProgram);
    }
    folder.write("box.json", c.project);
    const auto before = snapshot(dir);

    // A run that hangs is killed after a minute and fails on its status.
    ProcessControl control = c.control ? c.control(dir) : ProcessControl{};
    control.timeout_seconds = 60;
    const Outcome run = run_controlled(generator_path(), command(c.json_file, c.output_directory, c.options), dir, control);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, replace_dir(c.error, dir));
    // A settings error comes before the banner.
    if (run.err.find("Use --help for usage information.") != std::string::npos) {
        EXPECT_EQ(run.out, "");
    }
    std::string expected_out = generated_lines(c.written);
    if (c.prints_output_path) expected_out += "Output path: " + out_folder + "\n";
    EXPECT_EQ(outcome_lines(run.out), expected_out);

    // The faces written anew, nothing else changed, no temporary file left.
    // The output folder may have been made before the fault was met.
    const auto after = snapshot(dir);
    auto expected = before;
    for (fs::path made = fs::relative(out_folder, dir); !made.empty(); made = made.parent_path()) {
        if (after.count(made.string()) != 0) expected.emplace(made.string(), "<folder>");
    }
    for (const auto& face : c.written) {
        const fs::path name = fs::relative(out_folder + "/" + face + ".nc", dir);
        expected[name.string()] = kGoodProgram;
        for (fs::path parent = name.parent_path(); !parent.empty(); parent = parent.parent_path()) {
            expected[parent.string()] = "<folder>";
        }
    }
    EXPECT_EQ(difference(expected, after), "");
}

BadCase bad(std::string label, std::string project, std::vector<std::string> options, std::string error,
            std::vector<std::string> written, std::string output_directory = ".",
            std::string json_file = "box.json", bool prints_output_path = false, bool rerun = true,
            std::function<Guard(const std::string&, std::string&)> prepare = nullptr) {
    BadCase c;
    c.label = std::move(label);
    c.project = std::move(project);
    c.options = std::move(options);
    c.error = std::move(error);
    c.written = std::move(written);
    c.output_directory = std::move(output_directory);
    c.json_file = std::move(json_file);
    c.prints_output_path = prints_output_path;
    c.rerun = rerun;
    c.prepare = std::move(prepare);
    return c;
}

// A project whose first face, A_Main, has `count` small openings: a long
// program with as many progress lines.
std::string with_many_components(int count) {
    std::string components;
    for (int i = 0; i < count; ++i) {
        components += (i == 0 ? "\"c" : ", \"c") + std::to_string(i) +
                      R"(": {"location_x": 5, "location_y": 4, "drill_diameter": 0.5})";
    }
    return std::string("{") + kGeneric + R"(, "A_Main": {)" + components + R"(}, "Box_Main": {}})";
}

// A run that `signal` ends while it writes A_Main.  The signal is sent once
// the program has a file open in the output folder; A_Main's progress lines,
// more than a pipe holds, keep the run in the middle of the face until then.
BadCase interrupted(std::string label, int signal, bool without_unnamed_files) {
    BadCase c = bad(std::move(label), with_many_components(20000), {}, "", {});
    c.status = 128 + signal;
    c.control = [signal, without_unnamed_files](const std::string& dir) {
        ProcessControl control;
        control.without_unnamed_files = without_unnamed_files;
        control.watch = [signal, folder = dir + "/box/"](int pid) {
            if (!has_file_open_under(pid, folder)) return false;
            kill(pid, signal);
            return true;
        };
        return control;
    };
    return c;
}

// The case run under a resource limit: setrlimit(resource, bytes).
BadCase limited(BadCase c, int resource, unsigned long bytes) {
    c.control = [resource, bytes](const std::string&) {
        ProcessControl control;
        control.limits = {{resource, bytes}};
        return control;
    };
    return c;
}

Guard unless_sanitized(const std::string&, [[maybe_unused]] std::string& why) {
#ifdef VESKARO_SANITIZED
    why = "the sanitizers reserve more address space than the limit allows";
    return nullptr;
#else
    return std::make_shared<int>(0);
#endif
}

std::vector<BadCase> bad_cases() {
    const std::string fan = R"("location_x": 5, "location_y": 4)";
    const std::vector<std::string> recess = {"-m", "3", "-r", "3"};
    auto with_recess = [&](std::vector<std::string> more) {
        more.insert(more.begin(), recess.begin(), recess.end());
        return more;
    };
    const std::string big_face = R"({"Generic": {"width": 20, "height": 10}, "A_Main": {}})";
    std::vector<BadCase> cases = {
        // Settings that would make a loop run forever or a machine refuse the program.
        bad("ZeroDepthPerPass", kGoodProject, {"-d", "0"},
         option_error("Option 'cut-depth-per-pass' must be greater than 0"), {}),
        bad("NegativeDepthPerPass", kGoodProject, {"-d", "-1.5"},
         option_error("Option 'cut-depth-per-pass' must be greater than 0"), {}),
        bad("DepthPerPassBeforeFeedrate", kGoodProject, {"-d", "0", "-f", "0"},
         option_error("Option 'cut-depth-per-pass' must be greater than 0"), {}),
        bad("ZeroFeedrate", kGoodProject, {"-f", "0"}, option_error("Option 'feedrate' must be greater than 0"), {}),
        bad("NegativeFeedrate", kGoodProject, {"-f", "-100"},
         option_error("Option 'feedrate' must be greater than 0"), {}),
        bad("FeedrateBeforeBit", kGoodProject, {"-f", "0", "-r", "1"},
         option_error("Option 'feedrate' must be greater than 0"), {}),
        bad("NoBitWithRecess", kGoodProject, {"-r", "1"},
         option_error("Option 'bit-diameter' must be greater than 0 when 'recess-depth' is greater than 0 "
                      "(recesses are cut one bit diameter apart)"),
         {}),
        bad("NegativeBitWithRecess", kGoodProject, {"-m", "-3", "-r", "1"},
         option_error("Option 'bit-diameter' must be greater than 0 when 'recess-depth' is greater than 0 "
                      "(recesses are cut one bit diameter apart)"),
         {}),
        bad("NoBitWithTopScrewHeads", kGoodProject, {"-e", "3", "-i", "2"},
         option_error("Option 'bit-diameter' must be greater than 0 when screw-head recesses are cut "
                      "(they are cleared one bit diameter apart)"),
         {}),
        bad("NoBitWithBottomScrewHeads", kGoodProject, {"-w", "3", "-i", "2"},
         option_error("Option 'bit-diameter' must be greater than 0 when screw-head recesses are cut "
                      "(they are cleared one bit diameter apart)"),
         {}),
        bad("ThicknessBeyondSinglePrecision", kGoodProject, {"-t", "1e39"},
         option_error("Argument '1e39' failed to parse"), {}),
        bad("DepthNotANumber", kGoodProject, {"-d", "nan"}, option_error("Argument 'nan' failed to parse"), {}),
        bad("FeedrateWrittenAsZero", kGoodProject, {"-f", "0.004"},
         option_error("Option 'feedrate' would be written as F0.00 (the programs write it with two decimals); it "
                      "must round to 0.01 or more"),
         {}),

        // Number texts with more after the number, which the stream would read
        // as the number before it.
        bad("ThicknessWithADecimalComma", kGoodProject, {"-t", "1,5"}, option_error("Argument '1,5' failed to parse"),
         {}),
        bad("BitWithADecimalComma", kGoodProject, {"-m", "3,175"}, option_error("Argument '3,175' failed to parse"), {}),
        bad("HeightWithAUnit", kGoodProject, {"-b", "50cm"}, option_error("Argument '50cm' failed to parse"), {}),
        bad("ThicknessWithALineFeed", kGoodProject, {"-t", "1\n2"}, option_error("Argument '1\\n2' failed to parse"),
         {}),

        // Arguments that no option reads.
        bad("FlagValueAfterABlank", kGoodProject, {"-c", "false"},
         option_error("Argument 'false' is not read by any option: a flag takes a value only after an equals sign, "
                      "as in '--components=false'"),
         {}),
        bad("FlagValueAfterAGroupOfFlags", kGoodProject, {"-zl", "0"},
         option_error("Argument '0' is not read by any option: a flag takes a value only after an equals sign, as "
                      "in '--outline=0'"),
         {}),
        bad("WordAfterAFlag", kGoodProject, {"-s", "box.json"},
         option_error("Argument 'box.json' is not read by any option"), {}),

        // The project file itself.
        bad("ProjectMissing", kGoodProject, {}, run_error("cannot read 'missing.json': No such file or directory"),
         {}, ".", "missing.json"),
        bad("ProjectIsAFolder", kGoodProject, {}, run_error("cannot read 'sub': Is a directory"), {}, ".", "sub",
         false, true,
         [](const std::string& dir, std::string&) -> Guard {
             fs::create_directory(dir + "/sub");
             return std::make_shared<int>(0);
         }),
        // A read that fails halfway (a process's memory at address 0).
        bad("ProjectUnreadable", kGoodProject, {}, run_error("cannot read 'mem.json': Input/output error"), {}, ".",
         "mem.json", false, true,
         [](const std::string& dir, std::string&) -> Guard {
             fs::create_symlink("/proc/self/mem", dir + "/mem.json");
             return std::make_shared<int>(0);
         }),
        bad("ProjectEmpty", "", {},
         run_error("'box.json' is not a valid project file: parse error at line 1, column 1: syntax error while "
                   "parsing value - unexpected end of input; expected '[', '{', or a literal"),
         {}),
        bad("ProjectCutShort", R"({"Generic": {"width": 20,)", {},
         run_error("'box.json' is not a valid project file: parse error at line 1, column 26: syntax error while "
                   "parsing object key - unexpected end of input; expected string literal"),
         {}),

        bad("ProjectIsAnArray", R"([1, {"A_Main": {}}])", {},
         run_error("'box.json' is not a valid project file: the document must be an object, not array"), {}),
        bad("ProjectIsNull", "null", {},
         run_error("'box.json' is not a valid project file: the document must be an object, not null"), {}),
        bad("ProjectOfBytesAfterADigit", std::string("7\x89\xFF\x00\x1B{", 6), {},
         run_error("'box.json' is not a valid project file: the document must be an object, not number"), {}),
        bad("ProjectPathWithALineFeed", kGoodProject, {},
         run_error("cannot read 'a\\nb.json': No such file or directory"), {}, ".", "a\nb.json"),
        // The stem ".." would put the programs in the output folder's parent.
        bad("ProjectNamedDotDotDotJson", kGoodProject, {},
         run_error("'...json' cannot name the output folder: its name without the extension is '..'"), {}, "out",
         "...json", false, true, [](const std::string& dir, std::string&) -> Guard {
             write_file(dir + "/...json", kGoodProject);
             return std::make_shared<int>(0);
         }),

        // "Generic".
        bad("GenericMissing", R"({"A_Main": {}, "Box_Main": {}})", {},
         "Error: 'Generic' data missing\nError: 'Generic' data missing\n", {}, ".", "box.json", true),
        bad("GenericNotAnObject", with_generic("5"), {}, run_error("face 'A_Main': 'Generic' must be an object, not number"),
         {}),
        bad("GenericWidthMissing", with_generic(R"({"height": 10})"), {},
         run_error("face 'A_Main': \"width\" of 'Generic' is missing"), {}),
        bad("GenericHeightText", with_generic(R"({"width": 20, "height": "10"})"), {},
         run_error("face 'A_Main': \"height\" of 'Generic' must be a number, not string"), {}),
        bad("GenericWidthNull", with_generic(R"({"width": null, "height": 10})"), {},
         run_error("face 'A_Main': \"width\" of 'Generic' must be a number, not null"), {}),
        bad("GenericWidthBeyondSinglePrecision", with_generic(R"({"width": 1e39, "height": 10})"), {},
         run_error("face 'A_Main': \"width\" of 'Generic' is out of range"), {}),

        // Faces and components that are not objects.
        bad("FaceIsText", with_box_main(R"("fan")"), {},
         run_error("face 'Box_Main': must be an object of components, not string"), {"A_Main"}),
        bad("FaceIsNumber", with_box_main("7"), {},
         run_error("face 'Box_Main': must be an object of components, not number"), {"A_Main"}),
        bad("FaceIsBoolean", with_box_main("true"), {},
         run_error("face 'Box_Main': must be an object of components, not boolean"), {"A_Main"}),
        bad("ArrayElementIsNumber", with_box_main("[5]"), {},
         run_error("face 'Box_Main', component '0': must be an object, not number"), {"A_Main"}),
        bad("ComponentIsText", with_box_main(R"({"fan": "round"})"), {},
         run_error("face 'Box_Main', component 'fan': must be an object, not string"), {"A_Main"}),
        bad("ComponentIsNull", with_box_main(R"({"fan": null})"), {},
         run_error("face 'Box_Main', component 'fan': must be an object, not null"), {"A_Main"}),

        // Cut-outs read location_x, location_y, drill_diameter, drill_width,
        // drill_height, then rotation for rectangles only.
        bad("CutoutLocationXMissing", with_fan(R"("location_y": 4, "drill_diameter": 1)"), {},
         run_error("face 'Box_Main', component 'fan': \"location_x\" is missing"), {"A_Main"}),
        bad("CutoutLocationYMissing", with_fan(R"("location_x": 5, "drill_diameter": 1)"), {},
         run_error("face 'Box_Main', component 'fan': \"location_y\" is missing"), {"A_Main"}),
        bad("CutoutLocationXText", with_fan(R"("location_x": "5", "location_y": 4)"), {},
         run_error("face 'Box_Main', component 'fan': \"location_x\" must be a number, not string"), {"A_Main"}),
        bad("CutoutLocationYNull", with_fan(R"("location_x": 5, "location_y": null)"), {},
         run_error("face 'Box_Main', component 'fan': \"location_y\" must be a number, not null"), {"A_Main"}),
        bad("CutoutDrillDiameterText", with_fan(fan + R"(, "drill_diameter": "1", "drill_width": [])"), {},
         run_error("face 'Box_Main', component 'fan': \"drill_diameter\" must be a number, not string"),
         {"A_Main"}),
        bad("CutoutDrillWidthBoolean", with_fan(fan + R"(, "drill_width": true, "drill_height": "2")"), {},
         run_error("face 'Box_Main', component 'fan': \"drill_width\" must be a number, not boolean"), {"A_Main"}),
        bad("CutoutDrillHeightArray", with_fan(fan + R"(, "drill_width": 2, "drill_height": [1])"), {},
         run_error("face 'Box_Main', component 'fan': \"drill_height\" must be a number, not array"), {"A_Main"}),
        bad("CutoutRectangleRotationText", with_fan(fan + R"(, "drill_width": 2, "drill_height": 1, "rotation": "90")"),
         {}, run_error("face 'Box_Main', component 'fan': \"rotation\" must be a number, not string"), {"A_Main"}),
        bad("CutoutLocationBeyondSinglePrecision", with_fan(R"("location_x": 1e39, "location_y": 4)"), {},
         run_error("face 'Box_Main', component 'fan': \"location_x\" is out of range"), {"A_Main"}),
        bad("CutoutDrillDiameterBeyondSinglePrecision", with_fan(fan + R"(, "drill_diameter": -1e39)"), {},
         run_error("face 'Box_Main', component 'fan': \"drill_diameter\" is out of range"), {"A_Main"}),
        bad("CutoutsOnlyWhenSimulating", with_fan(R"("location_y": 4)"), {"--simulate"},
         run_error("face 'Box_Main', component 'fan': \"location_x\" is missing"), {}),

        // Recesses read location_x, location_y, visible_diameter,
        // visible_width, visible_height and rotation, for every shape, and
        // come before the cut-outs.
        bad("RecessLocationXMissing", with_fan(R"("location_y": 4, "visible_diameter": 1)"), recess,
         run_error("face 'Box_Main', component 'fan': \"location_x\" is missing"), {"A_Main"}),
        bad("RecessLocationYBeforeSizes", with_fan(R"("location_x": 5, "location_y": {}, "visible_diameter": "1")"),
         recess, run_error("face 'Box_Main', component 'fan': \"location_y\" must be a number, not object"),
         {"A_Main"}),
        bad("RecessVisibleDiameterBeforeDrill", with_fan(fan + R"(, "visible_diameter": "1", "drill_diameter": "1")"),
         recess, run_error("face 'Box_Main', component 'fan': \"visible_diameter\" must be a number, not string"),
         {"A_Main"}),
        bad("RecessVisibleWidthNull", with_fan(fan + R"(, "visible_width": null)"), recess,
         run_error("face 'Box_Main', component 'fan': \"visible_width\" must be a number, not null"), {"A_Main"}),
        bad("RecessVisibleHeightObject", with_fan(fan + R"(, "visible_width": 1, "visible_height": {"cm": 1})"), recess,
         run_error("face 'Box_Main', component 'fan': \"visible_height\" must be a number, not object"), {"A_Main"}),
        bad("RecessRotationReadForCircles", with_fan(fan + R"(, "visible_diameter": 1, "rotation": false)"), recess,
         run_error("face 'Box_Main', component 'fan': \"rotation\" must be a number, not boolean"), {"A_Main"}),
        bad("RecessVisibleDiameterBeyondSinglePrecision", with_fan(fan + R"(, "visible_diameter": 1e40)"), recess,
         run_error("face 'Box_Main', component 'fan': \"visible_diameter\" is out of range"), {"A_Main"}),

        // Names that would leave the output folder or break a line.
        bad("FaceNameWithSlash", with_member(R"("../x_Main": {})"), {},
         run_error("face '../x_Main': the name contains a path separator and cannot name a file in the output "
                   "folder"),
         {}),
        bad("FaceNameWithBackslash", with_member(R"("a\\b_Main": {})"), {},
         run_error("face 'a\\b_Main': the name contains a path separator and cannot name a file in the output "
                   "folder"),
         {"A_Main", "Box_Main"}),
        bad("FaceNameWithNul", with_member(R"("Box_\u0000Main": {})"), {},
         run_error("face 'Box_\\x00Main': the name contains a control character"), {"A_Main"}),
        bad("FaceNameWithLineFeed", with_member(R"("Box_Main\nG0 Z-40": {})"), {},
         run_error("face 'Box_Main\\nG0 Z-40': the name contains a control character"), {"A_Main", "Box_Main"}),
        bad("FaceNameTooLongForAFile", with_member("\"Box_" + std::string(300, 'x') + "\": {}"), {},
         run_error("cannot write '{dir}/box/Box_" + std::string(300, 'x') + ".nc': File name too long"),
         {"A_Main", "Box_Main"}),
        bad("ComponentNameWithLineFeed", with_box_main(R"({"fan\nG1 Z-40": {"location_x": 5, "location_y": 4}})"), {},
         run_error("face 'Box_Main', component 'fan\\nG1 Z-40': the component name contains a control character"),
         {"A_Main"}),
        bad("ComponentNameWithCarriageReturn", with_box_main(R"({"fan\rM3": {"location_x": 5, "location_y": 4}})"), {},
         run_error("face 'Box_Main', component 'fan\\rM3': the component name contains a control character"),
         {"A_Main"}),
        bad("RecessComponentNameWithEscape", with_box_main(R"({"fan\u001b": {"location_x": 5, "location_y": 4}})"),
         with_recess({"--components=false"}),
         run_error("face 'Box_Main', component 'fan\\x1B': the component name contains a control character"),
         {"A_Main"}),

        // Sizes that single precision or the disk cannot follow.
        bad("RingStepLostInHugeRecess", with_fan(fan + R"(, "visible_diameter": 1e9)"), recess,
         run_error("face 'Box_Main', component 'fan': a step of 3 mm no longer changes 5e+09; the sizes are too "
                   "large for single precision"),
         {"A_Main"}),
        bad("RowsOfAHugeRecess", with_fan(fan + R"(, "visible_width": 1, "visible_height": 1e37)"), recess,
         run_error("face 'Box_Main', component 'fan': the program would be longer than 10000000 lines; the sizes "
                   "are too large for these settings"),
         {"A_Main"}),
        bad("RowsOfATinyBit", with_fan(fan + R"(, "visible_width": 1, "visible_height": 1)"),
         {"-m", "1e-30", "-r", "3"},
         run_error("face 'Box_Main', component 'fan': the program would be longer than 10000000 lines; the sizes "
                   "are too large for these settings"),
         {"A_Main"}),
        bad("PassesThroughAHugeThickness", big_face, {"-t", "1e7", "-d", "0.01"},
         run_error("face 'A_Main': the program would be longer than 10000000 lines; the sizes are too large for "
                   "these settings"),
         {}),
        bad("PassesOfATinyDepth", big_face, {"-d", "1e-45"},
         run_error("face 'A_Main': the program would be longer than 10000000 lines; the sizes are too large for "
                   "these settings"),
         {}),
        bad("ScrewRingStepLost", big_face, {"-m", "1", "-e", "3", "-i", "1e10", "-a", "3"},
         run_error("face 'A_Main': a step of 1 mm no longer changes 5e+09; the sizes are too large for single "
                   "precision"),
         {}),
        bad("BoxWiderThanSinglePrecision", with_generic(R"({"width": 1e38, "height": 10})"), {},
         run_error("face 'A_Main': a computed value is inf; the sizes are too large for single precision"), {}),
        bad("ComponentBeyondSinglePrecision", with_fan(R"("location_x": 1e38, "location_y": 4, "drill_diameter": 1)"),
         {}, run_error("face 'Box_Main', component 'fan': a computed value is inf; the sizes are too large for "
                       "single precision"),
         {"A_Main"}),

        // Output that cannot be written.
        bad("FileInPlaceOfTheOutputFolder", kGoodProject, {}, run_error("cannot write '{dir}/box': Not a directory"), {},
         ".", "box.json", false, false,
         [](const std::string& dir, std::string&) -> Guard {
             write_file(dir + "/box", "not a folder\n");
             return std::make_shared<int>(0);
         }),
        bad("FileInPlaceOfTheOutputDirectory", kGoodProject, {}, run_error("cannot write '{dir}/out/sub/box': Not a directory"),
         {}, "out/sub", "box.json", false, false,
         [](const std::string& dir, std::string&) -> Guard {
             write_file(dir + "/out", "not a folder\n");
             return std::make_shared<int>(0);
         }),
        bad("FileInPlaceOfAnOutputFolderWithALineFeed", kGoodProject, {},
         run_error("cannot write '{dir}/o\\nx/box': Not a directory"), {}, "o\nx", "box.json", false, false,
         [](const std::string& dir, std::string&) -> Guard {
             write_file(dir + "/o\nx", "not a folder\n");
             return std::make_shared<int>(0);
         }),
        bad("FolderInPlaceOfTheProgram", kGoodProject, {}, run_error("cannot write '{dir}/box/Box_Main.nc': Is a directory"),
         {"A_Main"}, ".", "box.json", false, false,
         [](const std::string& dir, std::string&) -> Guard {
             fs::create_directories(dir + "/box/Box_Main.nc");
             return std::make_shared<int>(0);
         }),
        bad("FullDisk", big_face, {"-t", "3000"},
         run_error("cannot write '{dir}/disk/box/A_Main.nc': No space left on device"), {}, "disk", "box.json",
         false, true,
         [](const std::string& dir, std::string& why) { return mount_tmpfs(dir, "disk", "size=64k", why); }),
        bad("ReadOnlyDiskWithoutTheFolder", kGoodProject, {},
         run_error("cannot write '{dir}/disk/box': Read-only file system"), {}, "disk", "box.json", false, false,
         [](const std::string& dir, std::string& why) -> Guard {
             Guard mounted = mount_tmpfs(dir, "disk", "size=64k", why);
             if (!mounted || !remount_read_only(dir + "/disk", why)) return nullptr;
             return mounted;
         }),
        bad("ReadOnlyDiskWithAnEarlierProgram", kGoodProject, {},
         run_error("cannot write '{dir}/disk/box/A_Main.nc': Read-only file system"), {}, "disk", "box.json", false,
         false,
         [](const std::string& dir, std::string& why) -> Guard {
             Guard mounted = mount_tmpfs(dir, "disk", "size=64k", why);
             if (!mounted) return nullptr;
             fs::create_directory(dir + "/disk/box");
             write_file(dir + "/disk/box/A_Main.nc", kGoodProgram);
             if (!remount_read_only(dir + "/disk", why)) return nullptr;
             return mounted;
         }),

        // Signals, limits and file systems without unnamed files.  A signal
        // ends the run as it would any program; a limit is an error.
        interrupted("InterruptedWhileWritingAHiddenFile", SIGINT, true),
        interrupted("TerminatedWhileWriting", SIGTERM, false),
        interrupted("HungUpWhileWritingAHiddenFile", SIGHUP, true),
        limited(bad("FileSizeLimit", big_face, {"-t", "3000"},
                    run_error("cannot write '{dir}/box/A_Main.nc': File too large"), {}),
                RLIMIT_FSIZE, 64 << 10),
        limited(bad("OutOfMemoryWhileReadingTheProject", with_many_components(100000), {}, "Error: out of memory\n",
                    {}, ".", "box.json", false, true, unless_sanitized),
                RLIMIT_AS, 16 << 20),
    };
    return cases;
}

std::vector<BadCase> rerun_cases() {
    std::vector<BadCase> cases;
    for (const auto& c : bad_cases()) {
        if (c.rerun) cases.push_back(c);
    }
    return cases;
}

class BadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadInput, FailsCleanlyInAnEmptyFolder) { check_case(GetParam(), false); }

class BadRerun : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadRerun, KeepsTheProgramsOfAnEarlierGoodRun) { check_case(GetParam(), true); }

std::string case_name(const ::testing::TestParamInfo<BadCase>& info) { return info.param.label; }

INSTANTIATE_TEST_SUITE_P(Table, BadInput, ::testing::ValuesIn(bad_cases()), case_name);
INSTANTIATE_TEST_SUITE_P(Table, BadRerun, ::testing::ValuesIn(rerun_cases()), case_name);

// The checks refuse only what cannot be cut: these runs stay valid.
TEST(BadInputLimits, RunsThatAreStillValid) {
    struct Valid {
        std::string label;
        std::string project;
        std::vector<std::string> options;
        std::vector<std::string> faces;
    };
    const std::string long_face = std::string(245, 'x') + "_Main";  // 253 bytes with ".nc"
    const std::vector<Valid> runs = {
        {"no bit, screws without a head recess", kGoodProject, {"-e", "3", "-i", "0"}, {"A_Main", "Box_Main"}},
        {"no bit, negative recess depth", kGoodProject, {"-r", "-1"}, {"A_Main", "Box_Main"}},
        {"rotation of a circular opening is not read", with_fan(R"("location_x": 5, "location_y": 4, "drill_diameter": 1, "rotation": "x")"),
         {}, {"A_Main", "Box_Main"}},
        {"malformed components are not read when nothing is cut from them",
         with_box_main(R"({"fan": "round", "knob": {"location_x": null}})"), {"--components=false"}, {"A_Main", "Box_Main"}},
        {"a face named with the longest file name", std::string("{") + kGeneric + ", \"" + long_face + "\": {}}", {},
         {long_face}},
        {"a face of components named by index", with_box_main(R"([{"location_x": 5, "location_y": 4, "drill_diameter": 1}])"),
         {}, {"A_Main", "Box_Main"}},
        // The generator's command line is prescribed: the last of an option
        // given twice is taken (the other programs refuse it).
        {"an option given twice", kGoodProject, {"-b", "60", "--box-height-3d", "50"}, {"A_Main", "Box_Main"}},
    };
    for (const auto& valid : runs) {
        TempFolder folder;
        folder.write("box.json", valid.project);
        const Outcome run = run_generator(command("box.json", ".", valid.options), folder.path());
        EXPECT_EQ(run.status, 0) << valid.label;
        EXPECT_EQ(run.err, "") << valid.label;
        EXPECT_EQ(outcome_lines(run.out), generated_lines(valid.faces) + "Output path: " + folder.path() + "/box\n")
            << valid.label;
    }
}

// Two runs in separate PID namespaces, each process 1 there, write the same
// face into one folder at the same time on a file system without unnamed
// files: each keeps its own temporary file, and both finish.  The first
// run, held by its progress lines, waits with its file open while the
// second one runs.
TEST(BadInputLimits, TwoRunsAsProcessOneShareAFolder) {
    TempFolder folder;
    const std::string unshare = "/usr/bin/unshare";
    if (run_program(unshare, {"--pid", "--fork", "/bin/true"}, folder.path()).status != 0) {
        GTEST_SKIP() << "no PID namespace can be made here; CI runs as root and does this case";
    }
    folder.write("box.json", with_many_components(20000));
    const Outcome reference = run_generator(command("box.json", "reference", {}), folder.path());
    ASSERT_EQ(reference.status, 0) << reference.err;

    std::vector<std::string> args = {"--pid", "--fork", generator_path()};
    for (const std::string& arg : command("box.json", ".", {})) args.push_back(arg);
    ProcessControl second_control;
    second_control.without_unnamed_files = true;
    Outcome second;
    ProcessControl first_control = second_control;
    first_control.watch = [&](int pid) {
        if (!has_file_open_under(pid, folder.path() + "/box/")) return false;
        second = run_controlled(unshare, args, folder.path(), second_control);
        return true;
    };
    const Outcome first = run_controlled(unshare, args, folder.path(), first_control);
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(veskaro::testing::list_folder(folder.path() + "/box"), (std::vector<std::string>{"A_Main.nc", "Box_Main.nc"}));
    EXPECT_EQ(read_file(folder.path() + "/box/A_Main.nc"), read_file(folder.path() + "/reference/box/A_Main.nc"));
}

// Recess circles and screw-head rings narrower than the bit cut nothing at
// any depth; a huge depth must not make the run walk its levels anyway.
TEST(BadInputLimits, LevelsThatCutNothingAreNotWalked) {
    std::string components;
    for (int i = 0; i < 1000; ++i) {
        components += (i == 0 ? "" : ", ") + std::string("\"c") + std::to_string(i) +
                      R"(": {"location_x": 5, "location_y": 4, "visible_diameter": 0.1})";
    }
    std::string faces;
    for (int i = 0; i < 100; ++i) faces += ", \"F" + std::to_string(i) + "_Main\": {}";
    const struct {
        std::string project;
        std::vector<std::string> options;
    } runs[] = {
        {std::string("{") + kGeneric + R"(, "Box_Main": {)" + components + "}}", {"-m", "3", "-r", "1e7", "-d", "1", "--simulate"}},
        {std::string("{") + kGeneric + faces + "}", {"-m", "3", "-e", "3", "-i", "3", "-a", "1e7", "-d", "1", "--simulate"}},
    };
    for (const auto& r : runs) {
        TempFolder folder;
        folder.write("box.json", r.project);
        // Walking the levels would take hours; the run is killed after a
        // minute and fails on its status.
        const Outcome run = run_generator(command("box.json", ".", r.options), folder.path(), 60);
        EXPECT_EQ(run.status, 0) << run.err;
    }
}

}  // namespace
