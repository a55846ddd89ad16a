// The program text writer: what a section is given to write one face's
// program.  The line builder, the console for its progress lines, and the
// face and component it is at, for error messages.
//
// Sections append words and numbers and end each line; the text is handed
// to a sink in blocks of about 64 KiB, so a long program never sits in
// memory whole.  Without a sink the text is kept (tests read it back).
//
// The sections are written for any observer with the members of this one
// (text, fixed, general, end_line, progress, report and where); FaceCuts is
// the other, which keeps what they report and drops the text.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "base/console.h"
#include "base/run_error.h"

namespace veskaro {

struct Cut;

class ProgramLines {
public:
    using Sink = std::function<void(std::string_view)>;

    // A generous bound on one face program: sizes that would need more lines
    // are refused instead of filling the disk.
    static constexpr std::uint64_t kMaxLines = 10'000'000;

    explicit ProgramLines(const Console& console, Sink sink = {}, std::uint64_t max_lines = kMaxLines);

    ProgramLines& text(std::string_view words) {
        buffer_.append(words);
        return *this;
    }
    // A number in fixed notation with two decimals.
    ProgramLines& fixed(float value);
    // A number in the general form (six significant digits, an exponent
    // below 1e-4 and from 1e6 up).
    ProgramLines& general(float value);
    // Ends the current line with a line feed.
    void end_line();
    // Hands what is left in the buffer to the sink.
    void finish();

    // The text not yet handed to a sink: the whole program when there is none.
    const std::string& kept_text() const { return buffer_; }

    // Progress lines, one per recess, component, screw and outline, ended by
    // "\n" without a flush.
    std::ostream& progress() { return console_.out; }

    // What a section has cut; the text says it all, so it is not kept.
    void report(const Cut&) {}

    Where where;

private:
    std::string buffer_;
    Sink sink_;
    Console console_;
    std::uint64_t lines_ = 0;
    std::uint64_t max_lines_;
};

}  // namespace veskaro
