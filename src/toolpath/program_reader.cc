#include "toolpath/program_reader.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "base/input_file.h"
#include "toolpath/arc.h"
#include "toolpath/line_words.h"

namespace veskaro::toolpath {

namespace {

// An arc whose end lies farther than this from its circle is refused, as a
// controller refuses it.
constexpr double kArcEndTolerance = 0.002;

struct Block {
    const Word* command = nullptr;
    std::optional<double> x, y, z, i, j, f, s, p;
};

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
            if (&word != &words.front()) throw LineError("'" + word.text + "' is not at the start of the line");
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

class Reader {
public:
    void line(int number, const std::string& text) {
        line_ = number;
        if (number == 1 && !text.empty() && text[0] == '#') return;  // the header's comment
        const std::vector<Word> words = split_words(text);
        if (words.empty()) return;
        if (ended_) throw LineError("text after the end of the program (M30)");
        for (const Word& word : words) {
            if (word.exponent) {
                if (program_.exponent_lines.empty() || program_.exponent_lines.back() != number) {
                    program_.exponent_lines.push_back(number);
                }
            }
        }
        block(make_block(words), line_comment(text));
    }

    Program finish(int last_line) {
        if (!ended_) throw ProgramError(last_line, "the program does not end with M30 (is it cut short?)");
        return std::move(program_);
    }

private:
    void block(const Block& b, std::string_view comment) {
        const std::string name = command_name(*b.command);
        if (name.empty()) throw LineError("unsupported command '" + b.command->text + "'");
        if (name == "G0" || name == "G1" || name == "G2" || name == "G3") {
            motion(b, name, comment);
        } else {
            machine_setting(b, name);
        }
    }

    // Units, positioning, the spindle, a dwell and the end: no motion.
    void machine_setting(const Block& b, const std::string& name) {
        if (name == "G4") {
            allow_only(b, "P", name);
            if (!b.p.has_value()) throw LineError("G4 without a dwell time (P)");
            if (!(*b.p >= 0)) throw LineError("dwell time P must not be negative");
            program_.dwell_seconds += *b.p;
        } else if (name == "M3" || name == "M4") {
            allow_only(b, "S", name);
            if (b.s.has_value() && !(*b.s >= 0)) throw LineError("spindle speed S must not be negative");
        } else {
            allow_only(b, "", name);
            if (name == "M30") ended_ = true;
        }
    }

    void motion(const Block& b, const std::string& name, std::string_view comment) {
        if (b.f.has_value()) {
            if (!(*b.f > 0)) throw LineError("feed rate F must be greater than 0");
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
        program_.moves.push_back(move);
        at_ = move.to;
    }

    static void arc(const Block& b, const std::string& name, Move& move) {
        if (!b.i.has_value() && !b.j.has_value()) throw LineError(name + " without a centre offset (I, J)");
        move.kind = name == "G2" ? MoveKind::arc_clockwise : MoveKind::arc_counterclockwise;
        move.centre_x = move.from.x + b.i.value_or(0);
        move.centre_y = move.from.y + b.j.value_or(0);
        const double off_circle = std::fabs(arc_radius(move) - arc_end_radius(move));
        if (off_circle > kArcEndTolerance) {
            throw LineError("the end point of " + name + " is " + std::to_string(off_circle) +
                            " mm off its circle");
        }
    }

    Program program_;
    Position at_;
    double feed_ = 0;
    bool ended_ = false;
    int line_ = 0;
};

}  // namespace

Program read_program(std::istream& in, const std::string& file) {
    Reader reader;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        try {
            reader.line(number, text);
        } catch (const LineError& error) {
            throw ProgramError(number, error.what());
        }
    }
    if (in.bad()) fail_reading(file);
    return reader.finish(number == 0 ? 1 : number);
}

}  // namespace veskaro::toolpath
