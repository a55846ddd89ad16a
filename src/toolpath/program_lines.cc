#include "toolpath/program_lines.h"

namespace veskaro::toolpath {

void ProgramLines::refuse_long_line() {
    throw LineError("the line is longer than " + std::to_string(kLongestLine) + " characters");
}

}  // namespace veskaro::toolpath
