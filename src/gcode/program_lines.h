// The program lines of one face, built word by word into one buffer.
//
// Sections append text and numbers and end each line; the buffer is handed
// to a sink in blocks of about 64 KiB, so a long program never sits in
// memory whole.  Without a sink the text is kept (tests and small callers
// read it back).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "project/run_error.h"

namespace veskaro {

class ProgramLines {
public:
    using Sink = std::function<void(std::string_view)>;

    // A generous bound on one face program: sizes that would need more lines
    // are refused instead of filling the disk.
    static constexpr std::uint64_t kMaxLines = 10'000'000;

    explicit ProgramLines(Sink sink = {}, std::uint64_t max_lines = kMaxLines);

    ProgramLines& text(std::string_view words) {
        buffer_.append(words);
        return *this;
    }
    // A number in fixed notation with two decimals.
    ProgramLines& fixed(float value);
    // A number in the general form (six significant digits).
    ProgramLines& general(float value);
    // Ends the current line with a line feed.
    void end_line();
    // Hands what is left in the buffer to the sink.
    void finish();

    std::uint64_t line_count() const { return lines_; }
    // The text not yet handed to a sink: the whole program when there is none.
    const std::string& kept_text() const { return buffer_; }

    // The face and component whose lines are being built, for error messages.
    Where where;

private:
    [[noreturn]] void not_finite(float value) const;

    std::string buffer_;
    Sink sink_;
    std::uint64_t lines_ = 0;
    std::uint64_t max_lines_;
};

}  // namespace veskaro
