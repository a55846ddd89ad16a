// A program's bytes cut into lines, as they arrive: every line ends at a line
// feed, and the bytes after the last one are a last line of their own (a
// program whose last line has no line feed).  The line feed is not part of
// the line; a carriage return before it is, and the reader takes it as a
// blank.  A line longer than kLongestLine is refused as soon as its bytes
// pass that length, so that a file without line feeds (a sparse file, a
// link to /dev/zero) never takes more memory than one line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toolpath/line_words.h"

namespace veskaro::toolpath {

class ProgramLines {
public:
    // Hands every line that `bytes` completes to `line(number, text)`, the
    // first line being number 1.  Throws LineError for a line that is too
    // long (its number is next_line()).
    template <typename OnLine>
    void add(std::string_view bytes, OnLine&& line) {
        while (!bytes.empty()) {
            const std::size_t feed = bytes.find('\n');
            const std::string_view piece = bytes.substr(0, feed);
            if (partial_.size() + piece.size() > kLongestLine) refuse_long_line();
            if (feed == std::string_view::npos) {
                partial_.append(piece);
                return;
            }
            ++number_;
            if (partial_.empty()) {
                line(number_, piece);
            } else {
                partial_.append(piece);
                line(number_, std::string_view(partial_));
                partial_.clear();
            }
            bytes.remove_prefix(feed + 1);
        }
    }

    // After the last bytes: hands the last line over when it had no line
    // feed.
    template <typename OnLine>
    void finish(OnLine&& line) {
        if (partial_.empty()) return;
        ++number_;
        line(number_, std::string_view(partial_));
        partial_.clear();
    }

    // The number of lines handed over.
    std::int64_t count() const { return number_; }
    // The number of the line being read.
    std::int64_t next_line() const { return number_ + 1; }

private:
    [[noreturn]] static void refuse_long_line();

    std::string partial_;
    std::int64_t number_ = 0;
};

// Every line of a whole text, as ProgramLines cuts it.
template <typename OnLine>
void for_each_line(std::string_view text, OnLine&& line) {
    ProgramLines lines;
    lines.add(text, line);
    lines.finish(line);
}

}  // namespace veskaro::toolpath
