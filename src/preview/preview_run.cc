#include "preview/preview_run.h"

#include <filesystem>
#include <fstream>
#include <optional>

#include "base/console.h"
#include "base/input_file.h"
#include "base/output_file.h"
#include "base/run_error.h"
#include "simulate/cut_sheet.h"
#include "preview/finished_view.h"
#include "preview/index_page.h"
#include "preview/preview_options.h"
#include "preview/program_files.h"
#include "preview/summary.h"
#include "preview/svg_picture.h"
#include "toolpath/program_reader.h"

namespace veskaro::preview {

using namespace toolpath;

namespace fs = std::filesystem;

namespace {

void write_file(const fs::path& path, const std::string& text) {
    OutputFile file(path.string());
    file.write(text);
    file.commit();
}

// Simulates the program's cut and draws the finished part beside its
// picture; the summary gains the part.  Returns the lines of --measure.
std::vector<std::string> add_finished_part(const fs::path& path, const Program& program, const Summary& summary,
                                           const FinishedSettings& settings, IndexEntry& entry) {
    FinishedView view = finished_view(path.stem().string(), program, summary, settings);
    const fs::path picture = finished_picture_path(path);
    write_file(picture, view.svg);
    entry.finished_picture = picture.filename().string();
    entry.finished_svg = std::move(view.svg);
    entry.summary += ", " + view.text;
    return std::move(view.measures);
}

// Reads, summarises and draws one program.  The entry's picture stays empty
// when that failed; the reason is on the error stream and in the summary.
IndexEntry preview_program(const fs::path& path, const PreviewSettings& settings, const Console& console) {
    IndexEntry entry{path.filename().string(), "", "", "", "", ""};
    try {
        std::ifstream in = open_input(path.string());
        const Program program = read_program(in, path.string());
        // In the form of veskaro-check's findings, on the error stream: the
        // standard output holds the figures.
        for (int line : program.exponent_lines) {
            console.err << "warning: " << escape_name(path.string()) << ":" << line
                        << ": a number written with an exponent; most controllers refuse it" << std::endl;
        }
        const Summary summary = summarise(program, settings.rapid_rate);
        const fs::path picture = picture_path(path);
        entry.svg = svg_picture(path.stem().string(), program, summary, {settings.bit_diameter});
        write_file(picture, entry.svg);
        entry.picture = picture.filename().string();
        entry.summary = summary_text(summary);
        std::vector<std::string> measures;
        if (settings.finished.on) measures = add_finished_part(path, program, summary, settings.finished, entry);
        if (settings.finished.measure) {
            for (const std::string& line : measures) console.out << path.string() << "\t" << line << "\n";
        } else if (settings.tsv) {
            console.out << path.string() << "\t" << summary_tsv(summary) << "\n";
        } else {
            console.out << path.string() << ": " << entry.summary << "\n";
        }
    } catch (const ProgramError& e) {
        entry.summary = "line " + std::to_string(e.line()) + ": " + e.what();
        print_error(console, path.string() + ":" + std::to_string(e.line()) + ": " + e.what());
    } catch (const simulate::SimulationError& e) {
        entry.picture.clear();
        entry.summary = e.what();
        const std::string line = e.line() > 0 ? ":" + std::to_string(e.line()) : "";
        print_error(console, path.string() + line + ": " + e.what());
    } catch (const RunError& e) {
        entry.summary = e.what();
        print_error(console, e.what());
    }
    return entry;
}

std::string folder_title(const fs::path& folder) {
    const fs::path full = fs::absolute(folder).lexically_normal();
    const fs::path name = full.has_filename() ? full.filename() : full.parent_path().filename();
    return name.empty() ? full.string() : name.string();
}

// The programs at one path, with an index page when it is a folder.  Returns
// false when any could not be read or drawn.
bool preview_path(const std::string& path, const PreviewSettings& settings, const Console& console) {
    ProgramSet set;
    try {
        set = programs_at(path);
    } catch (const PathError& e) {
        print_error(console, e.what());
        return false;
    }
    bool all_drawn = true;
    std::vector<IndexEntry> entries;
    for (const fs::path& program : set.programs) {
        entries.push_back(preview_program(program, settings, console));
        if (entries.back().picture.empty()) all_drawn = false;
    }
    if (set.folder.empty()) return all_drawn;
    const fs::path index = set.folder / "index.html";
    try {
        write_file(index, index_page(folder_title(set.folder), entries));
        if (!settings.tsv && !settings.finished.measure) console.out << "Index: " << index.string() << "\n";
    } catch (const RunError& e) {
        print_error(console, e.what());
        return false;
    }
    return all_drawn;
}

}  // namespace

int run_preview(int argc, const char* const* argv, const Console& console) {
    PreviewSettings settings;
    const auto read = [&] {
        return read_preview_command_line(argc, argv, program_name(argc, argv, "veskaro-preview"));
    };
    if (const std::optional<int> status = take_command_line(console, read, settings)) return *status;

    if (settings.tsv) console.out << "program\t" << summary_tsv_header() << "\n";
    bool all_drawn = true;
    for (const std::string& path : settings.paths) {
        if (!preview_path(path, settings, console)) all_drawn = false;
    }
    console.out.flush();
    return all_drawn ? 0 : 1;
}

}  // namespace veskaro::preview
