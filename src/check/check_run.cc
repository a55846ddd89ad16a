#include "check/check_run.h"

#include <optional>
#include <string>
#include <vector>

#include "base/version.h"
#include "check/bit_rules.h"
#include "check/collision_rules.h"
#include "check/component_rules.h"
#include "check/face_rules.h"
#include "check/panel_rules.h"
#include "check/project_rules.h"
#include "check/recess_rules.h"
#include "check/settings_rules.h"
#include "options/command_line.h"
#include "project/face_names.h"
#include "project/load_project.h"

namespace veskaro::check {

namespace {

// The generator's settings and the check's own.
struct CheckSettings {
    Arguments generator;
    float min_wall = 1;  // mm
};

std::string description() {
    return std::string(
               "VESKARO project check: says what each face will really cut with the settings of "
               "veskaro-gcode, before any material is (v.") +
           VERSION + ")\n";
}

const std::vector<OptionRow>& own_rows() {
    static const std::vector<OptionRow> rows = {
        {"", "min-wall", OptionType::number, "1",
         "Thinnest wall in mm between two through-cuts, or one and the outline, that passes without a warning"},
    };
    return rows;
}

CommandLine<CheckSettings> read_check_command_line(int argc, const char* const* argv) {
    std::vector<float> own;
    GeneratorCommandLine line =
        read_command_line(argc, argv, program_name(argc, argv, "veskaro-check"), description(), own_rows(), own);
    CommandLine<CheckSettings> check{line.help, std::move(line.help_text), {std::move(line.settings)}};
    if (line.help) return check;
    check.settings.min_wall = own[0];
    if (!(check.settings.min_wall >= 0)) throw OptionError("Option 'min-wall' must be 0 or greater");
    return check;
}

void report_face(const FaceCheck& face, const Json& value, const CheckSettings& check, Findings& findings) {
    const Arguments& settings = check.generator;
    const float bit = settings.bit_diameter;
    check_face(face, value, settings, findings);
    const Box panel = panel_of(face, bit);
    for (const ComponentCheck& component : face.components) {
        check_component(face, component, findings);
        check_recess(face, component, settings, findings);
        check_bit_sizes(face, component, bit, findings);
        check_component_on_panel(face, component, panel, check.min_wall, findings);
    }
    check_collisions(face, bit, check.min_wall, findings);
    check_screws_on_panel(face, panel, bit, check.min_wall, findings);
}

// Every face in key order, refused where the generator's run would refuse
// it.  Returns false when there are faces and no "Generic" to size them:
// the generator skips every one.
bool check_faces(const Json& project, const CheckSettings& check, RunFacts& facts, Findings& findings) {
    if (!project.is_object()) return true;
    bool sized = true;
    for (const auto& member : project.items()) {
        const std::string& name = member.key();
        if (!is_face_name(name)) continue;
        const Where where{name, {}, false};
        const std::string reason = unusable_face_name_reason(name);
        if (!reason.empty()) fail(where, reason);
        sized = project.contains("Generic");
        if (!sized) continue;
        const FaceCheck face = read_face(project, name, read_box_size(project, where), check.generator, facts.depths);
        add_face_facts(facts, face);
        report_face(face, member.value(), check, findings);
    }
    return sized;
}

}  // namespace

int run_check(int argc, const char* const* argv, const Console& console) {
    CheckSettings check;
    const auto read = [&] { return read_check_command_line(argc, argv); };
    if (const std::optional<int> status = take_command_line(console, read, check, kCouldNotRun)) return *status;
    const Arguments& settings = check.generator;
    try {
        const Json project = load_project(settings.json_file);
        Findings members;
        check_project_members(project, members);
        RunFacts facts;
        Findings faces;
        const bool sized = check_faces(project, check, facts, faces);
        // The settings first: they are said once and matter to every face.
        Findings findings;
        check_settings(settings, facts, findings);
        findings.list.insert(findings.list.end(), members.list.begin(), members.list.end());
        findings.list.insert(findings.list.end(), faces.list.begin(), faces.list.end());
        if (!sized) print_error(console, "'Generic' data missing");
        print_findings(console.out, findings.list);
        if (!sized) return kCouldNotRun;
        return count_of(findings.list, Severity::warning) > 0 ? kWarnings : kClean;
    } catch (const RunError& e) {
        print_error(console, e.what());
        return kCouldNotRun;
    }
}

}  // namespace veskaro::check
