// libFuzzer target over the program reader, veskaro-post and the preview's
// drawing.
//
// The input's first byte chooses post's settings: the controller (bit 0:
// GRBL, else LinuxCNC), a spindle start (bit 1), a dwell after it (bit 2)
// and a plunge feed (bit 3); the rest is the program.  A program the reader
// refuses, or post refuses, is the expected outcome of most inputs.  Every
// program read is summarised and drawn as the preview draws it, and its
// compact moves must read back alike by iteration and by index.  Beyond
// crashes, every program post writes must be read back by the reader with
// the original's moves: the same kind, ends and centres within the rounding
// of numbers to four decimals, the feed the move must have, no circle of
// radius 0 and no line longer than the controller takes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "post/comment_text.h"
#include "post/modal_feed.h"
#include "post/plain_number.h"
#include "post/program_post.h"
#include "preview/summary.h"
#include "preview/svg_picture.h"
#include "toolpath/arc.h"
#include "toolpath/program_file.h"

namespace {

using namespace veskaro::toolpath;
using veskaro::post::Controller;
using veskaro::post::PostOptions;

void check(bool holds) {
    if (!holds) std::abort();
}

PostOptions options_of(std::uint8_t bits) {
    PostOptions options;
    options.controller = (bits & 1) != 0 ? Controller::grbl : Controller::linuxcnc;
    if ((bits & 2) != 0) options.spindle = 12000;
    if ((bits & 4) != 0) options.dwell = 1.5;
    if ((bits & 8) != 0) options.plunge_feed = 75;
    return options;
}

// The moves kept compactly read back alike, one after the other and one by
// one.
void check_move_list(const MoveList& moves) {
    std::size_t n = 0;
    for (const Move& move : moves) {
        if (n % 7 == 0) {
            const Move again = moves[n];
            check(again.line == move.line && again.kind == move.kind && again.comment == move.comment);
            check(std::memcmp(&again.to, &move.to, sizeof move.to) == 0 && again.feed == move.feed);
        }
        ++n;
    }
    check(n == moves.size());
}

// Post's output, or nothing when post refused the program.
std::optional<std::string> posted(const ProgramFile& read, const PostOptions& options) {
    veskaro::post::ProgramPost post(read.program, options);
    std::string out;
    std::int64_t lines = 0;
    try {
        for_each_line(read.text, [&](std::int64_t number, std::string_view text) {
            post.line(number, text, out);
            lines = number;
        });
        post.finish(lines == 0 ? 1 : lines);
    } catch (const ProgramError&) {
        return std::nullopt;
    }
    return out;
}

bool near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

bool is_zero_circle(const Move& move) { return is_arc(move) && arc_radius(move) == 0; }

// The output read back makes the original's moves, the zero-radius circles
// left out.
void check_same_moves(const Program& original, const std::string& out, const PostOptions& options) {
    const ProgramFile again = read_program_text(out, KeepText::no);  // aborts the run when refused
    constexpr double kPosition = 1e-4 + 1e-9;
    MoveList::Iterator written = again.program.moves.begin();
    for (const Move& move : original.moves) {
        if (is_zero_circle(move)) continue;
        check(written != again.program.moves.end());
        const Move& w = *written;
        check(w.kind == move.kind);
        check(near(w.to.x, move.to.x, kPosition) && near(w.to.y, move.to.y, kPosition) &&
              near(w.to.z, move.to.z, kPosition));
        if (is_cutting(move)) {
            const bool plunge = options.plunge_feed && veskaro::post::is_z_only_cut(move);
            check(near(w.feed, plunge ? *options.plunge_feed : move.feed, kPosition) && w.feed > 0);
        }
        if (is_arc(move)) {
            check(arc_radius(w) > 0);
            check(near(w.centre_x, move.centre_x, 2 * kPosition) && near(w.centre_y, move.centre_y, 2 * kPosition));
            check(near(arc_length(w), arc_length(move), 1e-3));
        }
        ++written;
    }
    check(written == again.program.moves.end());
    check(again.program.exponent_lines.empty());
    check(near(again.program.dwell_seconds, original.dwell_seconds + options.dwell.value_or(0),
               1e-6));
}

// Every line within the controller's length; for GRBL, no byte it acts on
// and every number read whole by its eight digits.
void check_lines(const std::string& out, const PostOptions& options) {
    const veskaro::post::ControllerRules& rules = veskaro::post::rules_of(options.controller);
    for_each_line(out, [&](std::int64_t, std::string_view line) {
        check(line.size() <= rules.longest_line);
        for (char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            check(byte >= 0x20 && byte != 0x7F);
            if (rules.replaces_realtime_bytes) check(byte <= 0x7E && c != '!' && c != '?' && c != '~');
        }
        if (!rules.reads_eight_digits) return;
        for (const Word& word : split_words(line)) check(veskaro::post::read_whole_by_grbl(word.text));
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const PostOptions options = options_of(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    ProgramFile read;
    try {
        read = read_program_text(text, KeepText::yes);
    } catch (const ProgramError&) {
        return 0;
    }
    check(read.text == text);
    check_move_list(read.program.moves);

    // The preview's figures and picture.
    const veskaro::preview::Summary summary = veskaro::preview::summarise(read.program, 1000);
    const std::string svg = veskaro::preview::svg_picture("face", read.program, summary, {(data[0] & 16) != 0 ? 2.0 : 0});
    check(svg.size() > veskaro::preview::kSvgDeclaration.size());
    veskaro::preview::summary_text(summary);

    const std::optional<std::string> out = posted(read, options);
    if (!out) return 0;
    check_lines(*out, options);
    check_same_moves(read.program, *out, options);
    return 0;
}
