// The straightforward line builder, for the benchmark's baseline: every
// number through a string stream of its own, every line handed on as a
// string of its own.  The sections are the generator's own, compiled once;
// only this builder differs.
//
// It defines every member of ProgramLines, so the reference program takes
// them from here and never from the library's program_lines.cc: a member
// missing here would pull that file in and fail the link with duplicate
// definitions rather than mix the two builders.
#include <cmath>

#include "gcode/precision_limits.h"
#include "gcode/program_lines.h"
#include "reference_text.h"

namespace veskaro {

ProgramLines::ProgramLines(const Console& console, Sink sink, std::uint64_t max_lines)
    : sink_(std::move(sink)), console_(console), max_lines_(max_lines) {}

ProgramLines& ProgramLines::fixed(float value) {
    if (!std::isfinite(value)) not_finite(where, value);
    buffer_ += reference::format_float_as_str(static_cast<double>(value), 2);
    return *this;
}

ProgramLines& ProgramLines::general(float value) {
    if (!std::isfinite(value)) not_finite(where, value);
    buffer_ += reference::general_form(value);
    return *this;
}

// The line, without its line feed, goes to the sink on its own.
void ProgramLines::end_line() {
    if (++lines_ > max_lines_) too_many_lines(where, max_lines_);
    sink_(buffer_);
    buffer_.clear();
}

void ProgramLines::finish() {}

}  // namespace veskaro
