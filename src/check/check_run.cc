#include "check/check_run.h"

#include <optional>
#include <string>

#include "base/version.h"
#include "check/bit_rules.h"
#include "check/collision_rules.h"
#include "check/component_rules.h"
#include "check/face_rules.h"
#include "check/panel_rules.h"
#include "check/project_rules.h"
#include "check/settings_rules.h"
#include "cli/command_line.h"
#include "cli/output_paths.h"
#include "project/load_project.h"

namespace veskaro::check {

namespace {

std::string description() {
    return std::string(
               "VESKARO project check: says what each face will really cut with the settings of "
               "veskaro-gcode, before any material is (v.") +
           VERSION + ")\n";
}

void report_face(const FaceCheck& face, const Json& value, const Arguments& settings, Findings& findings) {
    const float bit = settings.bit_diameter;
    check_face(face, value, settings, findings);
    const Box panel = panel_of(face, bit);
    for (const ComponentCheck& component : face.components) {
        check_component(face, component, settings, findings);
        check_bit_sizes(face, component, bit, findings);
        check_component_on_panel(face, component, panel, bit, findings);
    }
    check_collisions(face, bit, findings);
    check_screws_on_panel(face, panel, bit, findings);
}

// Every face in key order, refused where the generator's run would refuse
// it.  Returns false when there are faces and no "Generic" to size them:
// the generator skips every one.
bool check_faces(const Json& project, const Arguments& settings, RunFacts& facts, Findings& findings) {
    if (!project.is_object()) return true;
    bool sized = true;
    for (const auto& member : project.items()) {
        const std::string& name = member.key();
        if (name.find('_') == std::string::npos) continue;
        const Where where{name, {}, false};
        const std::string reason = unusable_face_name_reason(name);
        if (!reason.empty()) fail(where, reason);
        sized = project.contains("Generic");
        if (!sized) continue;
        const FaceCheck face = walk_face(project, name, read_box_size(project, where), settings, facts.depths);
        add_face_facts(facts, face, settings);
        report_face(face, member.value(), settings, findings);
    }
    return sized;
}

}  // namespace

int run_check(int argc, const char* const* argv, const Console& console) {
    Arguments settings;
    const auto read = [&] {
        return read_command_line(argc, argv, program_name(argc, argv, "veskaro-check"), description(), true);
    };
    if (const std::optional<int> status = take_command_line(console, read, settings, kCouldNotRun)) return *status;
    try {
        const Json project = load_project(settings.json_file);
        Findings members;
        check_project_members(project, members);
        RunFacts facts;
        Findings faces;
        const bool sized = check_faces(project, settings, facts, faces);
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
