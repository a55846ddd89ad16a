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

#include <istream>
#include <stdexcept>
#include <string>

#include "toolpath/moves.h"

namespace veskaro::toolpath {

class ProgramError : public std::runtime_error {
public:
    ProgramError(int line, const std::string& what) : std::runtime_error(what), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

// The tool starts at X0 Y0 Z0, the face's origin.  Throws ProgramError, and
// RunError "cannot read '<file>': <reason>" when `in` could not be read to
// its end.
Program read_program(std::istream& in, const std::string& file);

}  // namespace veskaro::toolpath
