#include "post/program_post.h"

#include "post/comment_text.h"
#include "post/plain_number.h"
#include "post/program_line.h"
#include "toolpath/arc.h"
#include "post/same_motion.h"
#include "toolpath/program_reader.h"

namespace veskaro::post {

using namespace toolpath;

namespace {

bool is_z_only_rapid(const Move& move) {
    return move.kind == MoveKind::rapid && move.from.x == move.to.x && move.from.y == move.to.y;
}

// A full circle of radius 0: the tool stays where it is.  LinuxCNC refuses
// it ("Zero-radius arc"), GRBL takes it and moves nothing.
bool is_zero_circle(const Move& move) {
    if (!is_arc(move) || arc_radius(move) != 0) return false;
    const bool stays = move.from.x == move.to.x && move.from.y == move.to.y && move.from.z == move.to.z;
    if (!stays) throw LineError("an arc of radius 0 whose end is not its start");
    return true;
}

bool is_program_end(const std::vector<Word>& words) {
    return !words.empty() && words.front().letter == 'M' && words.front().value == 30;
}

}  // namespace

std::string counts_text(const PostCounts& c) {
    return "header rewritten " + std::to_string(c.header) + ", numbers rewritten " + std::to_string(c.numbers) +
           ", circles dropped " + std::to_string(c.circles) + ", comment bytes replaced " +
           std::to_string(c.comment_bytes) + ", comments shortened " + std::to_string(c.comments_shortened) +
           ", feeds written " + std::to_string(c.feeds) + ", lines added " + std::to_string(c.lines_added);
}

ProgramPost::ProgramPost(const Program& program, const PostOptions& options)
    : next_move_(program.moves.begin()),
      end_(program.moves.end()),
      options_(options),
      rules_(rules_of(options.controller)),
      feed_(options.plunge_feed) {}

void ProgramPost::line(std::int64_t number, std::string_view text, std::string& out) {
    number_ = number;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    try {
        if (number == 1 && !text.empty() && text[0] == '#') {
            // "#" starts a parameter in LinuxCNC and is no word in GRBL.
            ++counts_.header;
            write(out, "", std::string(text.substr(1)));
            return;
        }
        rewrite(text, out);
    } catch (const LineError& error) {
        throw ProgramError(number, error.what());
    }
}

void ProgramPost::finish(std::int64_t last_line) const { written_.finish(last_line); }

void ProgramPost::rewrite(const std::string_view& text, std::string& out) {
    std::optional<Move> move;
    if (next_move_ != end_ && next_move_->line == number_) move = *next_move_++;
    std::vector<Word> words = split_words(text);
    if (is_program_end(words)) {
        add_start(out);
        if (options_.spindle) add_line(out, "M5", " Stop the spindle or laser");
    } else if (move && !is_z_only_rapid(*move)) {
        // After the units, the positioning and the lift to the safe height,
        // before the tool travels to the first cut.
        add_start(out);
    }
    if (move && is_zero_circle(*move)) {
        feed_.drop(words);
        ++counts_.circles;
        return;
    }
    plain_numbers(words);
    counts_.feeds += feed_.keep(words, move ? &*move : nullptr);
    const std::size_t semicolon = text.find(';');
    std::optional<std::string> comment;
    if (semicolon != std::string_view::npos) comment = std::string(text.substr(semicolon + 1));
    const LineRead written = write(out, words_text(words), comment);
    if (!move) return;
    const double feed = !is_cutting(*move)                                 ? 0
                        : options_.plunge_feed && is_z_only_cut(*move) ? *options_.plunge_feed
                                                                        : move->feed;
    const std::string change = written.move ? motion_change(*move, *written.move, feed) : "the move would be lost";
    if (!change.empty()) throw LineError("written in plain decimals, " + change);
}

// Numbers with an exponent in plain decimals; for GRBL, numbers without
// leading zeros and within the eight digits it reads.
void ProgramPost::plain_numbers(std::vector<Word>& words) {
    for (Word& word : words) {
        std::string text = word.exponent ? plain_word(word.letter, word.value) : word.text;
        if (rules_.reads_eight_digits) {
            text = without_leading_zeros(text);
            if (!read_whole_by_grbl(text)) text = plain_word(word.letter, word.value);
            if (!read_whole_by_grbl(text)) {
                throw LineError("GRBL reads only the first eight digits of a number, and would not read " +
                                quoted_word(word.text) + " as written");
            }
        }
        if (text == word.text) continue;
        word.text = std::move(text);
        ++counts_.numbers;
    }
}

void ProgramPost::add_start(std::string& out) {
    if (started_) return;
    started_ = true;
    if (options_.spindle) add_line(out, "M3 " + plain_word('S', *options_.spindle), " Start the spindle or laser");
    if (options_.dwell) {
        add_line(out, "G4 " + plain_word('P', *options_.dwell), " Wait for the spindle to come up to speed");
    }
}

void ProgramPost::add_line(std::string& out, const std::string& code, const std::string& comment) {
    write(out, code, comment);
    ++counts_.lines_added;
}

LineRead ProgramPost::write(std::string& out, const std::string& code, std::optional<std::string> comment) {
    std::string line = code;
    if (comment) {
        counts_.comment_bytes += rules_.replaces_realtime_bytes ? replace_realtime_bytes(*comment)
                                                                : replace_control_bytes(*comment);
        bool shortened = false;
        line = line_with_comment(code, *comment, rules_.longest_line, shortened);
        if (shortened) ++counts_.comments_shortened;
    }
    if (line.size() > rules_.longest_line) {
        throw LineError("the words alone are longer than the " + std::to_string(rules_.longest_line) +
                        " characters a line may hold");
    }
    // Read back as the preview reads the program written.
    LineRead read;
    try {
        read = written_.line(++written_lines_, line);
    } catch (const LineError& error) {
        throw LineError(std::string("written in plain decimals, the line would be refused: ") + error.what());
    }
    out += line;
    out += '\n';
    return read;
}

}  // namespace veskaro::post
