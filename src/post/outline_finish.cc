#include "post/outline_finish.h"

#include <algorithm>

#include "base/decimal_text.h"
#include "base/run_error.h"
#include "post/plain_number.h"
#include "post/program_line.h"
#include "post/tab_places.h"
#include "toolpath/panel_marks.h"

namespace veskaro::post {

using namespace toolpath;

namespace {

struct Point {
    double x;
    double y;
};

std::string mm(double value) { return trimmed_decimals(value, kPlainDecimals); }

// The rectangle the tool centre runs on, its corners in the order the
// passes reach them: the start (upper left), then clockwise.
struct PathRectangle {
    Point corner[5];
    double length[4];  // of the edges from corner[n] to corner[n + 1]

    PathRectangle(double x0, double y0, double x1, double y1)
        : corner{{x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}, {x0, y1}},
          length{x1 - x0, y1 - y0, x1 - x0, y1 - y0} {}

    double width() const { return length[0]; }
    double height() const { return length[1]; }

    // The point `along` mm from the start of edge `edge`.
    Point on_edge(int edge, double along) const {
        const Point& a = corner[edge];
        const Point& b = corner[edge + 1];
        // Along an edge one coordinate stays; the other moves by `along`.
        const double dx = b.x > a.x ? along : b.x < a.x ? -along : 0;
        const double dy = b.y > a.y ? along : b.y < a.y ? -along : 0;
        return {a.x + dx, a.y + dy};
    }
};

std::string with_point(const std::string& text, Point point) {
    LineParts parts = line_parts(text);
    set_word(parts, 'X', point.x);
    set_word(parts, 'Y', point.y);
    return line_text(parts);
}

class OutlineWriter {
public:
    OutlineWriter(const Outline& outline, const FinishOptions& options, std::vector<std::string>& out)
        : options_(options), out_(out), path_(path_of(outline, options)) {
        if (options.tabs > 0) {
            tabs_ = tab_places(path_.width(), path_.height(), options.tabs, options.tab_width, options.bit_diameter);
            tab_top_ = options.tab_height - options.thickness;
        }
    }

    const std::vector<double>& tabs() const { return tabs_; }

    // True when the pass at `depth` goes below the tabs' top.
    bool lifts(double depth) const { return !tabs_.empty() && depth < tab_top_ - 1e-6; }

    void travel(const std::string& text) { out_.push_back(moved() ? with_point(text, path_.corner[0]) : text); }

    void edge(int edge, const std::string& text, double depth) {
        if (!lifts(depth)) {
            out_.push_back(moved() ? with_point(text, path_.corner[edge + 1]) : text);
            return;
        }
        double start = 0;
        for (int n = 0; n < edge; ++n) start += path_.length[n];
        const double half = options_.tab_width / 2;
        bool first = true;
        const LineParts parts = line_parts(text);
        for (std::size_t tab = 0; tab < tabs_.size(); ++tab) {
            const double along = tabs_[tab] - start;
            if (along < 0 || along >= path_.length[edge]) continue;
            const std::string number = std::to_string(tab + 1);
            // The first piece keeps the line's own words (its feed); the
            // others are plain cuts along the same edge.
            LineParts piece = first ? parts : LineParts{};
            if (!first) {
                piece = line_parts("G1");
                piece.comment = parts.comment;
            }
            first = false;
            const Point up = path_.on_edge(edge, along - half);
            const Point down = path_.on_edge(edge, along + half);
            set_word(piece, 'X', up.x);
            set_word(piece, 'Y', up.y);
            out_.push_back(line_text(piece));
            out_.push_back("G1 " + plain_word('Z', tab_top_) + " ; Lift over tab " + number);
            out_.push_back("G1 " + plain_word('X', down.x) + " " + plain_word('Y', down.y) + " ; Across tab " +
                           number);
            out_.push_back("G1 " + plain_word('Z', depth) + " ; Lower after tab " + number);
        }
        out_.push_back(moved() ? with_point(text, path_.corner[edge + 1]) : text);
    }

private:
    bool moved() const { return options_.outline == OutlinePlace::outside; }

    static PathRectangle path_of(const Outline& outline, const FinishOptions& options) {
        const double out = options.outline == OutlinePlace::outside ? options.bit_diameter / 2 : 0;
        return PathRectangle(-out, -out, outline.width + out, outline.height + out);
    }

    const FinishOptions& options_;
    std::vector<std::string>& out_;
    PathRectangle path_;
    std::vector<double> tabs_;
    double tab_top_ = 0;
};

void check_tabs(const OutlineWriter& writer, const Outline& outline, const FinishOptions& options) {
    if (options.tabs == 0) return;
    if (writer.tabs().empty()) {
        const double longest = std::max(outline.width, outline.height) +
                               (options.outline == OutlinePlace::outside ? options.bit_diameter : 0);
        throw FinishError("Option 'tab-width' " + mm(options.tab_width) +
                          ": no edge of the outline is long enough for a tab; the longest is " +
                          fixed_decimals(longest, 2) + " mm, and a tab needs " +
                          fixed_decimals(options.tab_width + 2 * options.bit_diameter, 2) +
                          " mm: its width and the bit's diameter to each corner");
    }
    double deepest = 0;
    for (const OutlinePass& pass : outline.passes) deepest = std::min(deepest, pass.depth);
    if (deepest < -options.thickness - 1e-6) {
        throw FinishError("Option 'material-thickness' " + mm(options.thickness) + ": the outline cuts down to " +
                          fixed_decimals(deepest, 2) +
                          " mm, below the sheet's bottom; give the thickness the program was made for");
    }
    if (!writer.lifts(deepest)) {
        throw FinishError("Option 'tab-height' " + mm(options.tab_height) + ": no pass of the outline goes below " +
                          "the tabs' top at " + mm(options.tab_height - options.thickness) +
                          " mm (the deepest is at " + fixed_decimals(deepest, 2) + " mm), so no tab would be left");
    }
}

}  // namespace

std::string no_outline_text() {
    return "no outline to finish: the program does not end with the passes around the face from 0,0 that the "
           "generator cuts with its outline on";
}

std::string finish_counts_text(const FinishCounts& counts) {
    std::string text;
    if (counts.passes_moved > 0) text += ", outline passes moved outside " + std::to_string(counts.passes_moved);
    if (counts.tabs_asked > 0) {
        text += ", tabs placed " + std::to_string(counts.tabs_placed);
        if (counts.tabs_placed < counts.tabs_asked) text += " of " + std::to_string(counts.tabs_asked) + " asked";
        text += ", passes lifted over tabs " + std::to_string(counts.passes_lifted);
    }
    return text;
}

FinishedOutline finish_outline(const std::vector<std::string>& lines, const Outline& outline,
                               const FinishOptions& options, const std::optional<std::string>& mark) {
    FinishedOutline finished;
    OutlineWriter writer(outline, options, finished.lines);
    check_tabs(writer, outline, options);

    // The role of each line of the passes: -1 for the travel, 0 for the
    // plunge, 1 to 4 for the edges; the depth of its pass.
    const auto index = [](std::int64_t line) { return static_cast<std::size_t>(line - 1); };
    const std::size_t begin = index(outline.passes.front().lines.front());
    const std::size_t end = index(outline.passes.back().lines.back()) + 1;
    std::vector<int> role(end - begin, -2);
    std::vector<double> depth(end - begin, 0);
    for (const OutlinePass& pass : outline.passes) {
        for (std::size_t n = 0; n < kPassMoves; ++n) {
            role[index(pass.lines[n]) - begin] = static_cast<int>(n) - 1;
            depth[index(pass.lines[n]) - begin] = pass.depth;
        }
    }

    finished.lines.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(begin));
    if (mark) {
        finished.lines.push_back("; " + panel_mark_text({escape_name(*mark), 0, 0, false, outline.width, outline.height}));
    }
    finished.outline_begin = finished.lines.size();
    for (std::size_t at = begin; at < end; ++at) {
        const int r = role[at - begin];
        if (r == -1) {
            writer.travel(lines[at]);
        } else if (r >= 1) {
            writer.edge(r - 1, lines[at], depth[at - begin]);
        } else {
            finished.lines.push_back(lines[at]);
        }
    }
    finished.outline_end = finished.lines.size();
    finished.lines.insert(finished.lines.end(), lines.begin() + static_cast<std::ptrdiff_t>(end), lines.end());

    FinishCounts& counts = finished.counts;
    if (options.outline == OutlinePlace::outside) counts.passes_moved = static_cast<int>(outline.passes.size());
    counts.tabs_asked = options.tabs;
    counts.tabs_placed = static_cast<int>(writer.tabs().size());
    for (const OutlinePass& pass : outline.passes) counts.passes_lifted += writer.lifts(pass.depth) ? 1 : 0;
    return finished;
}

}  // namespace veskaro::post
