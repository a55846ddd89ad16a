// libFuzzer target over the settings and the project document.
//
// The input's first line holds command-line options, split at blanks and
// read by the real option table and checks; the rest is the project
// document.  Every face is generated as a run would, into a temporary
// folder that is emptied after each input.  Refusals (option errors, bad
// project data, too long programs) are the expected outcome of most inputs;
// anything else that escapes, a crash, a hang or a leak is a finding.  So is
// a face that the sections refuse otherwise when they write for FaceCuts,
// as veskaro-check runs them, than when they write the program.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/banner.h"
#include "cli/output_paths.h"
#include "gcode/face_cuts.h"
#include "gcode/generator.h"
#include "options/command_line.h"
#include "project/face_names.h"

namespace {

namespace fs = std::filesystem;

// Far below a real run's bound, so that absurd sizes end in milliseconds.
constexpr std::uint64_t kFuzzMaxLines = 20'000;

std::string& output_folder() {
    static std::string folder;
    return folder;
}

std::vector<std::string> split_at_blanks(std::string_view line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t\r", at);
        if (start == std::string_view::npos) break;
        std::size_t end = line.find_first_of(" \t\r", start);
        if (end == std::string_view::npos) end = line.size();
        words.emplace_back(line.substr(start, end - start));
        at = end;
    }
    return words;
}

bool read_settings(std::string_view line, veskaro::Arguments& settings) {
    std::vector<std::string> words = {"veskaro-gcode", "-j", "fuzz.json", "-o", "."};
    for (auto& word : split_at_blanks(line)) words.push_back(std::move(word));
    std::vector<const char*> argv;
    for (const auto& word : words) argv.push_back(word.c_str());
    try {
        const veskaro::GeneratorCommandLine command_line = veskaro::read_command_line(
            static_cast<int>(argv.size()), argv.data(), "veskaro-gcode", veskaro::generator_description(2024));
        if (command_line.help) return false;
        settings = command_line.settings;
    } catch (const veskaro::OptionError&) {
        return false;
    }
    return true;
}

// What refuses the face: the error's text, "skipped" without "Generic",
// or nothing.
std::string cuts_refusal(const veskaro::Json& project, const std::string& face, const veskaro::Arguments& settings) {
    if (!project.contains("Generic")) return "skipped";
    try {
        const veskaro::Where where{face, {}, false};
        const veskaro::BoxSize box = veskaro::read_box_size(project, where);
        veskaro::FaceCuts cuts(kFuzzMaxLines);
        cuts.where = where;
        veskaro::build_face_program(project, face, box, settings, cuts);
    } catch (const veskaro::RunError& e) {
        return e.what();
    }
    return {};
}

void empty_output_folder() {
    for (const auto& entry : fs::directory_iterator(output_folder())) fs::remove_all(entry.path());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (fs::temp_directory_path() / "veskaro-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    output_folder() = pattern;
    std::atexit([] { fs::remove_all(output_folder()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t line_end = input.find('\n');
    if (line_end == std::string_view::npos) return 0;

    veskaro::Arguments settings;
    if (!read_settings(input.substr(0, line_end), settings)) return 0;
    const veskaro::Json project = veskaro::Json::parse(input.substr(line_end + 1), nullptr, false);
    if (project.is_discarded() || !project.is_object()) return 0;

    // The progress lines are not under test here: a stream without a buffer
    // drops them.
    std::ostream dropped(nullptr);
    const veskaro::Console console{dropped, dropped};
    for (const auto& member : project.items()) {
        const std::string& face = member.key();
        if (!veskaro::is_face_name(face)) continue;
        if (!veskaro::unusable_face_name_reason(face).empty()) continue;
        std::string refusal;
        try {
            veskaro::generate_gcode(project, veskaro::face_output_path(output_folder(), face), face, settings,
                                    console, kFuzzMaxLines);
        } catch (const veskaro::FaceSkipped&) {
            refusal = "skipped";
        } catch (const veskaro::RunError& e) {
            refusal = e.what();
        }
        if (refusal != cuts_refusal(project, face, settings)) std::abort();
        if (refusal == "skipped") continue;  // the run goes on with the next face
        if (!refusal.empty()) break;         // a run stops at its first error
    }
    empty_output_folder();
    return 0;
}
