#include "gcode/program_lines.h"

#include <cmath>

#include "gcode/number_text.h"
#include "gcode/precision_limits.h"

namespace veskaro {

namespace {

constexpr std::size_t kBlock = 64 * 1024;

}  // namespace

ProgramLines::ProgramLines(const Console& console, Sink sink, std::uint64_t max_lines)
    : sink_(std::move(sink)), console_(console), max_lines_(max_lines) {
    if (sink_) buffer_.reserve(kBlock + 512);
}

ProgramLines& ProgramLines::fixed(float value) {
    if (!std::isfinite(value)) not_finite(where, value);
    append_fixed2(buffer_, value);
    return *this;
}

ProgramLines& ProgramLines::general(float value) {
    if (!std::isfinite(value)) not_finite(where, value);
    append_general(buffer_, value);
    return *this;
}

void ProgramLines::end_line() {
    buffer_ += '\n';
    if (++lines_ > max_lines_) too_many_lines(where, max_lines_);
    if (sink_ && buffer_.size() >= kBlock) {
        sink_(buffer_);
        buffer_.clear();
    }
}

void ProgramLines::finish() {
    if (sink_ && !buffer_.empty()) {
        sink_(buffer_);
        buffer_.clear();
    }
}

}  // namespace veskaro
