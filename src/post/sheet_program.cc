#include "post/sheet_program.h"

#include <algorithm>

#include "base/decimal_text.h"
#include "base/run_error.h"
#include "post/outline_finish.h"
#include "post/plain_number.h"
#include "post/program_line.h"

namespace veskaro::post {

using namespace toolpath;

namespace {

struct SheetPoint {
    double x;
    double y;
};

// A point of the face on the sheet.
SheetPoint on_sheet(const PanelPlace& place, double x, double y) {
    if (!place.turned) return {place.x + x, place.y + y};
    return {place.x + place.panel->height - y, place.y + x};
}

// An arc's centre, from its start, on the sheet: turned with the panel.
SheetPoint offset_on_sheet(const PanelPlace& place, double i, double j) {
    if (!place.turned) return {i, j};
    return {-j, i};
}

class SheetWriter {
public:
    explicit SheetWriter(double safe) : safe_(safe) {}

    std::vector<std::string>& lines() { return lines_; }

    void start(const PanelProgram& first) {
        lines_.assign(first.lines.begin(), first.lines.begin() + static_cast<std::ptrdiff_t>(first.body_begin));
        for (const Move& move : first.program.moves) {
            if (static_cast<std::size_t>(move.line) > first.body_begin) break;
            at_ = {at_.x, at_.y, move.to.z};
        }
    }

    // Lines [begin, end) of the panel's program, carried to its place.
    void block(const PanelPlace& place, std::size_t begin, std::size_t end, const std::string& title) {
        if (begin == end) return;
        const PanelProgram& panel = *place.panel;
        lines_.push_back("; " + title);
        const MoveList& moves = panel.program.moves;
        MoveList::Iterator move = moves.begin();
        while (move != moves.end() && static_cast<std::size_t>(move->line) <= begin) ++move;
        bool entered = false;
        for (std::size_t n = begin; n < end; ++n) {
            if (move == moves.end() || static_cast<std::size_t>(move->line) != n + 1) {
                lines_.push_back(panel.lines[n]);
                continue;
            }
            LineParts parts = line_parts(panel.lines[n]);
            const bool sets_xy = word_value(parts, 'X') || word_value(parts, 'Y');
            if (!entered) enter(place, *move, sets_xy);
            entered = true;
            lines_.push_back(carried(place, *move, parts, sets_xy));
            const SheetPoint to = on_sheet(place, move->to.x, move->to.y);
            at_ = {to.x, to.y, move->to.z};
            ++move;
        }
    }

    void finish(const PanelProgram& first) {
        lines_.insert(lines_.end(), first.lines.begin() + static_cast<std::ptrdiff_t>(first.outline_end),
                      first.lines.end());
    }

private:
    // Out of the last panel's cut before travelling to this one; and to
    // where this one's program starts when its first move sets only Z.
    void enter(const PanelPlace& place, const Move& first, bool sets_xy) {
        if (at_.z < safe_) {
            lines_.push_back("G0 " + plain_word('Z', safe_) + " ; Lift to travel to the next panel");
            at_.z = safe_;
        }
        const SheetPoint from = on_sheet(place, first.from.x, first.from.y);
        if (!sets_xy && (from.x != at_.x || from.y != at_.y)) {
            lines_.push_back("G0 " + plain_word('X', from.x) + " " + plain_word('Y', from.y) +
                             " ; Move to the panel");
            at_ = {from.x, from.y, at_.z};
        }
    }

    static std::string carried(const PanelPlace& place, const Move& move, LineParts& parts, bool sets_xy) {
        if (sets_xy) {
            const SheetPoint to = on_sheet(place, move.to.x, move.to.y);
            set_word(parts, 'X', to.x);
            set_word(parts, 'Y', to.y);
        }
        if (is_arc(move) && place.turned) {
            const SheetPoint offset =
                offset_on_sheet(place, word_value(parts, 'I').value_or(0), word_value(parts, 'J').value_or(0));
            set_word(parts, 'I', offset.x);
            set_word(parts, 'J', offset.y);
        }
        return line_text(parts);
    }

    double safe_;
    Position at_;
    std::vector<std::string> lines_;
};

}  // namespace

toolpath::PanelMark panel_mark(const PanelPlace& place) {
    const PanelProgram& panel = *place.panel;
    return {escape_name(panel.name), place.x, place.y, place.turned, panel.width, panel.height};
}

std::vector<std::string> sheet_lines(const std::vector<PanelPlace>& panels) {
    double safe = 0;
    for (const PanelPlace& place : panels) safe = std::max(safe, place.panel->highest);
    if (!(safe > 0)) {
        throw FinishError("no program lifts the tool above the sheet (Z above 0), so there is no height to "
                          "travel between the panels at");
    }
    SheetWriter writer(safe);
    writer.start(*panels.front().panel);
    for (const PanelPlace& place : panels) {
        writer.block(place, place.panel->body_begin, place.panel->outline_begin, panel_place_text(panel_mark(place)));
    }
    for (const PanelPlace& place : panels) {
        writer.block(place, place.panel->outline_begin, place.panel->outline_end, panel_mark_text(panel_mark(place)));
    }
    writer.finish(*panels.front().panel);
    return std::move(writer.lines());
}

}  // namespace veskaro::post
