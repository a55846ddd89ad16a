// A program file read once.
//
// Every program is read exactly once, from its first byte to its last, and
// everything that is done with it is done with what that one reading gave:
// the moves checked by the reader and, when asked for, the very bytes read.
// So a file replaced while a run goes on (a sync tool, a second run writing
// the folder) cannot slip past the check, and a FIFO or a device can be
// given as a program.
//
//   const ProgramFile read = read_program_file(path, KeepText::yes);
//   for_each_line(read.text, [&](std::int64_t number, std::string_view line) {
//       ...  // the lines that were checked, in order, with read.program.moves
//   });
//
// Memory: the moves in their compact form (about the size of the text, see
// MoveList), the text itself only when it is kept, and one line.
#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "toolpath/moves.h"
#include "toolpath/program_lines.h"
#include "toolpath/program_reader.h"

namespace veskaro::toolpath {

enum class KeepText { no, yes };

struct ProgramFile {
    Program program;
    // The bytes read, exactly, with KeepText::yes; empty otherwise.  Cut
    // into lines by for_each_line, they are the lines the reader checked.
    std::string text;
};

// Reads the program at `path`.  Throws ProgramError for a line the reader
// refuses (a line longer than kLongestLine included), RunError "cannot
// read '<path>': <reason>" for a file that cannot be opened or read.
ProgramFile read_program_file(const std::string& path, KeepText keep);

// The same for a program's bytes already in memory.
ProgramFile read_program_text(std::string_view bytes, KeepText keep);

// The program of the whole of `in`.  Throws ProgramError, and RunError
// "cannot read '<file>': <reason>" when `in` could not be read to its end.
Program read_program(std::istream& in, const std::string& file);

}  // namespace veskaro::toolpath
