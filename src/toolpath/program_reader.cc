#include "toolpath/program_reader.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "toolpath/arc.h"
#include "toolpath/line_words.h"

namespace veskaro::toolpath {

// An arc whose end lies farther than this from its circle is refused, as a
// controller refuses it.
constexpr double kArcEndTolerance = 0.002;

struct Block {
    const Word* command = nullptr;
    std::optional<double> x, y, z, i, j, f, s, p;
};

namespace {

// The letters of the words that may follow a command, in the order of the
// Block's members.
constexpr char kWordLetters[] = "XYZIJFSP";

std::optional<double>* address_of(Block& block, char letter) {
    switch (letter) {
        case 'X': return &block.x;
        case 'Y': return &block.y;
        case 'Z': return &block.z;
        case 'I': return &block.i;
        case 'J': return &block.j;
        case 'F': return &block.f;
        case 'S': return &block.s;
        case 'P': return &block.p;
        default: return nullptr;
    }
}

Block make_block(const std::vector<Word>& words) {
    Block block;
    for (const Word& word : words) {
        if (word.letter == 'G' || word.letter == 'M') {
            if (block.command != nullptr) throw LineError("more than one command on the line");
            if (&word != &words.front()) throw LineError(quoted_word(word.text) + " is not at the start of the line");
            block.command = &word;
            continue;
        }
        std::optional<double>* slot = address_of(block, word.letter);
        if (slot->has_value()) throw LineError(std::string("word ") + word.letter + " given twice");
        *slot = word.value;
    }
    if (block.command == nullptr) {
        throw LineError("the line has no command (G0, G1, G2, G3, G4, G21, G90, M3, M4, M5 or M30)");
    }
    return block;
}

// The command as one of the accepted names, or empty.
std::string command_name(const Word& command) {
    const double v = command.value;
    if (command.exponent || v != std::floor(v) || v < 0 || v > 99) return {};
    const std::string name = command.letter + std::to_string(static_cast<int>(v));
    for (const char* accepted : {"G0", "G1", "G2", "G3", "G4", "G21", "G90", "M3", "M4", "M5", "M30"}) {
        if (name == accepted) return name;
    }
    return {};
}

// Refuses every word of the block whose letter is not in `allowed`.
void allow_only(const Block& b, const char* allowed, const std::string& command) {
    const std::optional<double>* slots[] = {&b.x, &b.y, &b.z, &b.i, &b.j, &b.f, &b.s, &b.p};
    for (int n = 0; kWordLetters[n] != 0; ++n) {
        if (slots[n]->has_value() && std::string(allowed).find(kWordLetters[n]) == std::string::npos) {
            throw LineError(std::string("word ") + kWordLetters[n] + " is not allowed with " + command);
        }
    }
}

void arc(const Block& b, const std::string& name, Move& move) {
    if (!b.i.has_value() && !b.j.has_value()) throw LineError(name + " without a centre offset (I, J)");
    move.kind = name == "G2" ? MoveKind::arc_clockwise : MoveKind::arc_counterclockwise;
    move.centre_x = move.from.x + b.i.value_or(0);
    move.centre_y = move.from.y + b.j.value_or(0);
    const double off_circle = std::fabs(arc_radius(move) - arc_end_radius(move));
    if (off_circle > kArcEndTolerance) {
        throw LineError("the end point of " + name + " is " + std::to_string(off_circle) + " mm off its circle");
    }
}

}  // namespace

LineRead ProgramReader::line(std::int64_t number, std::string_view text) {
    line_ = number;
    LineRead read;
    if (number == 1 && !text.empty() && text[0] == '#') return read;  // the header's comment
    const std::vector<Word> words = split_words(text);
    if (words.empty()) {
        read.panel = read_panel_mark(line_comment(text));
        return read;
    }
    if (ended_) throw LineError("text after the end of the program (M30)");
    for (const Word& word : words) read.exponent = read.exponent || word.exponent;
    const Block block = make_block(words);
    const std::string name = command_name(*block.command);
    if (name.empty()) throw LineError("unsupported command " + quoted_word(block.command->text));
    if (name == "G0" || name == "G1" || name == "G2" || name == "G3") {
        read.move = motion(block, name, line_comment(text));
    } else {
        machine_setting(block, name);
    }
    return read;
}

void ProgramReader::finish(std::int64_t last_line) const {
    if (!ended_) throw ProgramError(last_line, "the program does not end with M30 (is it cut short?)");
}

// Units, positioning, the spindle, a dwell and the end: no motion.
void ProgramReader::machine_setting(const Block& b, const std::string& name) {
    if (name == "G4") {
        allow_only(b, "P", name);
        if (!b.p.has_value()) throw LineError("G4 without a dwell time (P)");
        if (!(*b.p >= 0)) throw LineError("dwell time P must not be negative");
        dwell_seconds_ += *b.p;
    } else if (name == "M3" || name == "M4") {
        allow_only(b, "S", name);
        if (b.s.has_value() && !(*b.s >= 0)) throw LineError("spindle speed S must not be negative");
    } else {
        allow_only(b, "", name);
        if (name == "M30") ended_ = true;
    }
}

std::optional<Move> ProgramReader::motion(const Block& b, const std::string& name, std::string_view comment) {
    if (b.f.has_value()) {
        if (!(*b.f > 0)) throw LineError("feed rate F must be greater than 0");
        // A feed below it would give a time beyond any bound.
        if (*b.f < kSmallestFeed) throw LineError("feed rate F must be at least 0.0001 mm/min");
        feed_ = *b.f;
    }
    Move move;
    move.line = line_;
    move.comment = comment;
    move.from = at_;
    move.to = {b.x.value_or(at_.x), b.y.value_or(at_.y), b.z.value_or(at_.z)};
    if (name == "G0") {
        allow_only(b, "XYZF", name);
        move.kind = MoveKind::rapid;
    } else {
        if (!(feed_ > 0)) throw LineError(name + " without a feed rate (no F so far)");
        move.feed = feed_;
        if (name == "G1") {
            allow_only(b, "XYZF", name);
            move.kind = MoveKind::feed;
        } else {
            allow_only(b, "XYZIJF", name);
            arc(b, name, move);
        }
    }
    at_ = move.to;
    return move;
}

}  // namespace veskaro::toolpath
