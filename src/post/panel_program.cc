#include "post/panel_program.h"

#include <algorithm>
#include <optional>

#include "post/outline_passes.h"
#include "post/program_source.h"
#include "toolpath/arc.h"
#include "toolpath/line_words.h"
#include "toolpath/program_reader.h"

namespace veskaro::post {

using namespace toolpath;

namespace {

bool is_command(const Word& word, char letter, int number) { return word.letter == letter && word.value == number; }

// A sheet program starts the spindle once, after its own start: a panel
// that starts, stops or waits for it by itself would do so in the middle
// of the sheet.
void refuse_spindle_lines(const std::vector<std::string>& lines) {
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (n == 0 && !lines[n].empty() && lines[n][0] == '#') continue;
        const std::vector<Word> words = split_words(lines[n]);
        if (words.empty()) continue;
        const Word& command = words.front();
        if (is_command(command, 'M', 3) || is_command(command, 'M', 4) || is_command(command, 'M', 5) ||
            is_command(command, 'G', 4)) {
            throw ProgramError(static_cast<std::int64_t>(n + 1),
                               "a spindle start, stop or dwell of its own; a sheet program starts the spindle "
                               "once, as --spindle and --dwell ask");
        }
    }
}

bool sets_units(const std::vector<std::string>& lines, std::size_t end) {
    for (std::size_t n = 0; n < end; ++n) {
        if (n == 0 && !lines[n].empty() && lines[n][0] == '#') continue;
        const std::vector<Word> words = split_words(lines[n]);
        if (!words.empty() && is_command(words.front(), 'G', 21)) return true;
    }
    return false;
}

Extents reach_of(const Program& program, double width, double height, double bit) {
    Extents cut;
    for (const Move& move : program.moves) {
        if (!(std::min(move.from.z, move.to.z) < 0)) continue;
        cut.add(move.from.x, move.from.y);
        cut.add(move.to.x, move.to.y);
        if (is_arc(move)) add_arc(cut, move);
    }
    Extents reach;
    reach.add(0, 0);
    reach.add(width, height);
    if (!cut.empty) {
        reach.add(cut.min_x - bit / 2, cut.min_y - bit / 2);
        reach.add(cut.max_x + bit / 2, cut.max_y + bit / 2);
    }
    return reach;
}

}  // namespace

PanelProgram prepare_panel(const std::filesystem::path& source, const FinishOptions& options) {
    const ProgramSource read = read_source(source);
    refuse_spindle_lines(read.lines);
    const std::optional<Outline> outline = find_outline(read.program);
    if (!outline) throw FinishError(no_outline_text());
    FinishedOutline finished = finish_outline(read.lines, *outline, options);

    PanelProgram panel;
    panel.source = source;
    panel.name = source.stem().string();
    panel.program = read_lines(finished.lines);
    panel.lines = std::move(finished.lines);
    panel.outline_begin = finished.outline_begin;
    panel.outline_end = finished.outline_end;
    // The outline is a travel, so the program has one.
    const std::int64_t first = first_travel_line(panel.program).value_or(1);
    panel.body_begin = std::min(static_cast<std::size_t>(first - 1), panel.outline_begin);
    panel.width = outline->width;
    panel.height = outline->height;
    panel.reach = reach_of(panel.program, panel.width, panel.height, options.bit_diameter);
    for (const Move& move : panel.program.moves) panel.highest = std::max(panel.highest, move.to.z);
    panel.sets_units = sets_units(panel.lines, panel.body_begin);
    panel.counts = finished.counts;
    return panel;
}

}  // namespace veskaro::post
