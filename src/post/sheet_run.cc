#include "post/sheet_run.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "base/decimal_text.h"
#include "base/output_file.h"
#include "base/run_error.h"
#include "post/made_folders.h"
#include "post/output_folder.h"
#include "post/panel_program.h"
#include "post/program_source.h"
#include "post/sheet_layout.h"
#include "post/sheet_program.h"
#include "toolpath/program_files.h"
#include "toolpath/program_reader.h"

namespace veskaro::post {

using namespace toolpath;

namespace fs = std::filesystem;

namespace {

std::string mm2(double value) { return fixed_decimals(value, 2); }

std::string mm_trimmed(double value) { return trimmed_decimals(value, 2); }

std::string sheet_option(const FinishOptions& finish) { return "Option 'sheet' " + finish.sheet->text; }

// A panel's rectangle on the sheet: the face and all its cuts, unturned
// and turned, from the face's lower left corner, in hundredths.
struct PanelFrame {
    Hundredths left, bottom;                 // unturned: the rectangle's corner from the face's corner
    Hundredths turned_left, turned_bottom;   // turned
    PanelBox box;
};

PanelFrame frame_of(const PanelProgram& panel) {
    const Extents& r = panel.reach;
    PanelFrame frame;
    frame.left = hundredths_down(r.min_x);
    frame.bottom = hundredths_down(r.min_y);
    frame.box.plain = {hundredths_up(r.max_x) - frame.left, hundredths_up(r.max_y) - frame.bottom};
    // Turned, a point x, y of the face lies at height - y, x.
    frame.turned_left = hundredths_down(panel.height - r.max_y);
    frame.turned_bottom = hundredths_down(r.min_x);
    frame.box.turned = {hundredths_up(panel.height - r.min_y) - frame.turned_left,
                        hundredths_up(r.max_x) - frame.turned_bottom};
    return frame;
}

class SheetRun {
public:
    SheetRun(const PostSettings& settings, const Console& console)
        : settings_(settings), finish_(settings.finish), console_(console) {}

    int run() {
        const bool listed = list_programs();
        const bool read = read_panels();
        if (!listed || !read || !same_machine()) return 1;
        std::optional<SheetLayout> layout = place();
        if (!layout) return 1;
        return write(*layout) ? 0 : 1;
    }

private:
    bool list_programs() {
        bool ok = true;
        std::set<fs::path> seen;
        for (const std::string& path : settings_.paths) {
            try {
                const ProgramSet set = programs_at(path);
                if (folder_.empty()) {
                    folder_ = settings_.output_directory ? fs::path(*settings_.output_directory)
                                                         : default_folder(set, path, settings_.post.controller);
                }
                for (const fs::path& program : set.programs) {
                    std::error_code error;
                    const fs::path key = fs::weakly_canonical(program, error);
                    if (!seen.insert(error ? program : key).second) {
                        print_error(console_, program.string() + ": given twice; a panel is placed once");
                        ok = false;
                        continue;
                    }
                    sources_.push_back(program);
                }
            } catch (const PathError& e) {
                print_error(console_, e.what());
                ok = false;
            }
        }
        return ok;
    }

    bool read_panels() {
        bool ok = true;
        for (const fs::path& source : sources_) {
            try {
                panels_.push_back(std::make_unique<PanelProgram>(prepare_panel(source, finish_)));
            } catch (const ProgramError& e) {
                print_error(console_, source.string() + ":" + std::to_string(e.line()) + ": " + e.what());
                ok = false;
            } catch (const FinishError& e) {
                print_error(console_, source.string() + ": " + e.what());
                ok = false;
            } catch (const RunError& e) {
                print_error(console_, e.what());
                ok = false;
            }
        }
        name_panels();
        return ok;
    }

    // The program's name, or its path without the extension where two
    // programs have one name (the same face of two projects).
    void name_panels() {
        std::map<std::string, int> count;
        for (const auto& panel : panels_) ++count[panel->name];
        for (const auto& panel : panels_) {
            if (count[panel->name] > 1) panel->name = (panel->source.parent_path() / panel->source.stem()).string();
        }
    }

    // A sheet holds the programs of one controller, in one unit.
    bool same_machine() {
        for (const auto& panel : panels_) {
            const PanelProgram& first = *panels_.front();
            std::string why;
            if (panel->source.extension() != first.source.extension()) {
                why = "the programs are for different controllers: '" + first.source.string() + "' is a " +
                      first.source.extension().string() + " program and '" + panel->source.string() + "' a " +
                      panel->source.extension().string() + " one";
            } else if (panel->sets_units != first.sets_units) {
                const PanelProgram& with = first.sets_units ? first : *panel;
                const PanelProgram& without = first.sets_units ? *panel : first;
                why = "the programs are in different units: '" + with.source.string() +
                      "' sets millimetres (G21) and '" + without.source.string() + "' sets no unit";
            }
            if (!why.empty()) {
                print_error(console_, sheet_option(finish_) + ": " + why + "; a sheet holds the programs of one "
                                                                            "machine");
                return false;
            }
        }
        return true;
    }

    std::optional<SheetLayout> place() {
        std::vector<PanelBox> boxes;
        for (const auto& panel : panels_) {
            frames_.push_back(frame_of(*panel));
            boxes.push_back(frames_.back().box);
        }
        const BoxSize sheet{hundredths_down(finish_.sheet->width), hundredths_down(finish_.sheet->height)};
        try {
            return lay_out(boxes, sheet, hundredths_up(finish_.gap));
        } catch (const PanelTooLarge& e) {
            const PanelProgram& panel = *panels_[e.panel()];
            const PanelBox& box = boxes[e.panel()];
            print_error(console_, sheet_option(finish_) + ": the panel " + escape_name(panel.name) + " of '" +
                                      panel.source.string() + "', " + mm2(box.plain.width / 100.0) + " x " +
                                      mm2(box.plain.height / 100.0) +
                                      " mm with the cuts around it, does not fit on the sheet with a gap of " +
                                      mm_trimmed(finish_.gap) + " mm to its edges, even turned");
            return std::nullopt;
        }
    }

    PanelPlace place_of(std::size_t n, const Placement& placement) const {
        const PanelFrame& frame = frames_[n];
        PanelPlace place;
        place.panel = panels_[n].get();
        place.turned = placement.turned;
        const Hundredths left = placement.turned ? frame.turned_left : frame.left;
        const Hundredths bottom = placement.turned ? frame.turned_bottom : frame.bottom;
        place.x = static_cast<double>(placement.x - left) / 100;
        place.y = static_cast<double>(placement.y - bottom) / 100;
        return place;
    }

    bool write(const SheetLayout& layout) {
        const std::string& extension = rules_of(settings_.post.controller).extension;
        struct Written {
            fs::path target;
            std::vector<PanelPlace> places;
            std::string counts;
        };
        std::vector<Written> sheets(static_cast<std::size_t>(layout.sheets));
        for (std::size_t n : layout.order) {
            const Placement& placement = layout.placements[n];
            sheets[static_cast<std::size_t>(placement.sheet)].places.push_back(place_of(n, placement));
        }
        try {
            std::error_code error;
            for (std::size_t s = 0; s < sheets.size(); ++s) {
                sheets[s].target = folder_ / ("sheet-" + std::to_string(s + 1) + extension);
                for (const fs::path& source : sources_) {
                    if (fs::equivalent(source, sheets[s].target, error)) {
                        throw RunError(source.string() + ": the sheet program '" + sheets[s].target.string() +
                                       "' would be written over it");
                    }
                }
            }
            MadeFolders made(folder_);
            // Every sheet is written before any is put in place, so that a
            // refusal leaves none behind.
            std::vector<std::unique_ptr<OutputFile>> files;
            for (Written& sheet : sheets) {
                const std::vector<std::string> lines = sheet_lines(sheet.places);
                const Program moves = read_lines(lines);
                files.push_back(std::make_unique<OutputFile>(sheet.target.string()));
                sheet.counts = counts_text(write_posted(lines, moves, settings_.post, *files.back()));
            }
            for (auto& file : files) file->commit();
            made.keep();
        } catch (const ProgramError& e) {
            print_error(console_, "sheet program:" + std::to_string(e.line()) + ": " + e.what());
            return false;
        } catch (const FinishError& e) {
            print_error(console_, sheet_option(finish_) + ": " + e.what());
            return false;
        } catch (const RunError& e) {
            print_error(console_, e.what());
            return false;
        }
        for (const Written& sheet : sheets) report(sheet.target, sheet.places, sheet.counts);
        return true;
    }

    void report(const fs::path& target, const std::vector<PanelPlace>& places, const std::string& counts) const {
        double used = 0;
        for (const PanelPlace& place : places) used += place.panel->width * place.panel->height;
        const SheetSize& sheet = *finish_.sheet;
        console_.out << target.string() << ": " << places.size() << (places.size() == 1 ? " panel, " : " panels, ")
                     << fixed_decimals(100 * used / (sheet.width * sheet.height), 1) << " % of the "
                     << mm_trimmed(sheet.width) << " x " << mm_trimmed(sheet.height) << " mm sheet used; " << counts
                     << "\n";
        for (const PanelPlace& place : places) {
            const PanelProgram& panel = *place.panel;
            console_.out << "  " << panel_place_text(panel_mark(place)) << ": " << mm2(panel.width) << " x " << mm2(panel.height)
                         << " mm from " << panel.source.string() << finish_counts_text(panel.counts) << "\n";
        }
    }

    const PostSettings& settings_;
    const FinishOptions& finish_;
    const Console& console_;
    fs::path folder_;
    std::vector<fs::path> sources_;
    std::vector<std::unique_ptr<PanelProgram>> panels_;
    std::vector<PanelFrame> frames_;
};

}  // namespace

int run_sheets(const PostSettings& settings, const Console& console) {
    const int status = SheetRun(settings, console).run();
    console.out.flush();
    return status;
}

}  // namespace veskaro::post
