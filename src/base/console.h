// Where a program's console lines go: the report and progress lines to
// `out`, errors to `err`.  The programs pass std::cout and std::cerr; tests
// and the fuzz target pass string streams, or streams that drop the text.
#pragma once

#include <ostream>
#include <string_view>

namespace veskaro {

struct Console {
    std::ostream& out;
    std::ostream& err;
};

// "Error: <message>" as one line of the error stream, after what the output
// stream holds so far, so that both read in order on a terminal.  Control
// characters in the message are shown escaped (\n, \xNN...), as escape_name
// shows names, so that the error stays on one line.
void print_error(const Console& console, std::string_view message);

// A refused command line: the error line, a blank line and
// "Use --help for usage information.".
void print_option_error(const Console& console, std::string_view message);

}  // namespace veskaro
