#include "preview/preview_run.h"

#include <filesystem>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include <optional>

#include "base/console.h"
#include "base/output_file.h"
#include "base/run_error.h"
#include "base/written_targets.h"
#include "simulate/cut_sheet.h"
#include "preview/figure_spool.h"
#include "preview/finished_view.h"
#include "preview/index_page.h"
#include "preview/preview_options.h"
#include "preview/program_files.h"
#include "preview/summary.h"
#include "preview/svg_picture.h"
#include "toolpath/program_file.h"

namespace veskaro::preview {

using namespace toolpath;

namespace fs = std::filesystem;

namespace {

std::string folder_title(const fs::path& folder) {
    const fs::path full = fs::absolute(folder).lexically_normal();
    const fs::path name = full.has_filename() ? full.filename() : full.parent_path().filename();
    return name.empty() ? full.string() : name.string();
}

// Reads, summarises and draws the programs at the paths of one run.
class PreviewRun {
public:
    PreviewRun(const PreviewSettings& settings, const Console& console) : settings_(settings), console_(console) {}

    // The programs at one path, with an index page when it is a folder.
    // Returns false when any could not be read or drawn.
    bool path(const std::string& path) {
        ProgramSet set;
        try {
            set = programs_at(path);
        } catch (const PathError& e) {
            print_error(console_, e.what());
            return false;
        }
        bool all_drawn = true;
        if (set.folder.empty()) {
            for (const fs::path& program : set.programs) {
                if (preview_program(program, nullptr).picture.empty()) all_drawn = false;
            }
            return all_drawn;
        }
        const fs::path index = set.folder / "index.html";
        FigureSpool figures(index.string());
        std::vector<IndexEntry> entries;
        for (const fs::path& program : set.programs) {
            figures.write(figure_start(entries.size() + 1));
            entries.push_back(preview_program(program, &figures));
            if (entries.back().picture.empty()) all_drawn = false;
            figures.write(figure_end(entries.back()));
        }
        try {
            targets_.claim(set.folder, index);
            OutputFile page(index.string());
            page.write(index_start(folder_title(set.folder), entries));
            figures.copy_to(page);
            page.write(index_end());
            page.commit();
            if (!settings_.tsv && !settings_.finished.measure) console_.out << "Index: " << index.string() << "\n";
        } catch (const RunError& e) {
            print_error(console_, e.what());
            return false;
        }
        return all_drawn;
    }

private:
    // Reads, summarises and draws one program, and its finished part with
    // --finished; its pictures' elements also go to `figures` when there is
    // an index page.  The entry's picture stays empty when that failed; the
    // reason is on the error stream and in the summary.
    IndexEntry preview_program(const fs::path& path, FigureSpool* figures) {
        IndexEntry entry{path.filename().string(), "", "", ""};
        const long mark = figures != nullptr ? figures->mark() : 0;
        try {
            const fs::path picture = picture_path(path);
            targets_.claim(path, picture);
            if (settings_.finished.on) targets_.claim(path, finished_picture_path(path));
            // Read once; the text is not kept, only the moves.
            const Program program = read_program_file(path.string(), KeepText::no).program;
            // In the form of veskaro-check's findings, on the error stream: the
            // standard output holds the figures.
            for (std::int64_t line : program.exponent_lines) {
                console_.err << "warning: " << escape_name(path.string()) << ":" << line
                             << ": a number written with an exponent; most controllers refuse it" << std::endl;
            }
            const Summary summary = summarise(program, settings_.rapid_rate);
            if (figures != nullptr && settings_.finished.on) figures->write("<div class=\"pair\">\n");
            draw(path, picture, program, summary, figures);
            entry.picture = picture.filename().string();
            entry.summary = summary_text(summary);
            std::vector<std::string> measures;
            if (settings_.finished.on) measures = add_finished_part(path, program, summary, entry, figures);
            if (settings_.finished.measure) {
                for (const std::string& line : measures) console_.out << path.string() << "\t" << line << "\n";
            } else if (settings_.tsv) {
                console_.out << path.string() << "\t" << summary_tsv(summary) << "\n";
            } else {
                console_.out << path.string() << ": " << entry.summary << "\n";
            }
        } catch (const ProgramError& e) {
            entry.summary = "line " + std::to_string(e.line()) + ": " + e.what();
            print_error(console_, path.string() + ":" + std::to_string(e.line()) + ": " + e.what());
        } catch (const simulate::SimulationError& e) {
            entry.picture.clear();
            entry.summary = e.what();
            const std::string line = e.line() > 0 ? ":" + std::to_string(e.line()) : "";
            print_error(console_, path.string() + line + ": " + e.what());
        } catch (const RunError& e) {
            entry.picture.clear();
            entry.summary = e.what();
            print_error(console_, e.what());
        }
        // A face not drawn shows its reason in the page instead.
        if (figures != nullptr && entry.picture.empty()) figures->return_to(mark);
        return entry;
    }

    // Simulates the program's cut and draws the finished part beside its
    // picture; the summary gains the part.  Returns the lines of --measure.
    std::vector<std::string> add_finished_part(const fs::path& path, const Program& program, const Summary& summary,
                                               IndexEntry& entry, FigureSpool* figures) {
        FinishedView view = finished_view(path.stem().string(), program, summary, settings_.finished);
        const fs::path picture = finished_picture_path(path);
        OutputFile file(picture.string());
        file.write(view.svg);
        file.commit();
        entry.finished_picture = picture.filename().string();
        if (figures != nullptr) {
            const std::size_t start = view.svg.find("<svg");
            if (start != std::string::npos) figures->write(std::string_view(view.svg).substr(start));
            figures->write("</div>\n");
        }
        entry.summary += ", " + view.text;
        return std::move(view.measures);
    }

    // The picture into its file, piece by piece as it is drawn, and into the
    // index page's figures.
    void draw(const fs::path& path, const fs::path& picture, const Program& program, const Summary& summary,
              FigureSpool* figures) {
        OutputFile file(picture.string());
        file.write(kSvgDeclaration);
        draw_svg_element(path.stem().string(), program, summary, {settings_.bit_diameter},
                         [&](std::string_view piece) {
                             file.write(piece);
                             if (figures != nullptr) figures->write(piece);
                         });
        file.commit();
    }

    const PreviewSettings& settings_;
    const Console& console_;
    WrittenTargets targets_;
};

}  // namespace

int run_preview(int argc, const char* const* argv, const Console& console) {
    PreviewSettings settings;
    const auto read = [&] {
        return read_preview_command_line(argc, argv, program_name(argc, argv, "veskaro-preview"));
    };
    if (const std::optional<int> status = take_command_line(console, read, settings)) return *status;

    if (settings.tsv) console.out << "program\t" << summary_tsv_header() << "\n";
    PreviewRun run(settings, console);
    bool all_drawn = true;
    for (const std::string& path : settings.paths) {
        if (!run.path(path)) all_drawn = false;
    }
    console.out.flush();
    return all_drawn ? 0 : 1;
}

}  // namespace veskaro::preview
