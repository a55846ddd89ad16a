// Reads a face program into its moves.
//
// Only the G-code that the generator and the post-processor write is
// understood: a "#" comment as the first line, ";" comments, G0, G1, G2 and
// G3 with X, Y, Z, I, J and F, G21, G90, a spindle start M3 or M4 with S, a
// stop M5, a dwell G4 with P (seconds) and M30, one command at the start of
// each line.  Anything else is
// refused with the line it is on: a preview that guessed could show a cut
// the machine will not make.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "toolpath/moves.h"
#include "toolpath/panel_marks.h"

namespace veskaro::toolpath {

class ProgramError : public std::runtime_error {
public:
    ProgramError(std::int64_t line, const std::string& what) : std::runtime_error(what), line_(line) {}
    std::int64_t line() const { return line_; }

private:
    std::int64_t line_;
};

// The smallest feed rate a program may give, in mm/min (the smallest that
// veskaro-post writes): below it a program's time has no bound.
inline constexpr double kSmallestFeed = 0.0001;

// The words of one line, sorted by letter (in program_reader.cc).
struct Block;

// What one line gave.
struct LineRead {
    std::optional<Move> move;  // its comment views the line's text
    bool exponent = false;     // a number of the line carries an exponent
    std::optional<PanelMark> panel;  // a comment line marking a sheet's panel
};

// The reader itself, line by line, for a program read as it arrives (and
// for veskaro-post, which reads every line it writes back with it).  The
// tool starts at X0 Y0 Z0, the face's origin.
class ProgramReader {
public:
    // Reads line `number` (1 is the first).  Throws LineError.
    LineRead line(std::int64_t number, std::string_view text);
    // After the last line, `last_line` the number of lines (0 for none):
    // throws ProgramError when the program did not end with M30.
    void finish(std::int64_t last_line) const;
    double dwell_seconds() const { return dwell_seconds_; }

private:
    std::optional<Move> motion(const Block& block, const std::string& name, std::string_view comment);
    void machine_setting(const Block& block, const std::string& name);

    Position at_;
    double feed_ = 0;
    double dwell_seconds_ = 0;
    bool ended_ = false;
    std::int64_t line_ = 0;
};

}  // namespace veskaro::toolpath
