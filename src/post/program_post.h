// One program rewritten for a controller, line by line: the header as a
// comment, numbers without exponents, zero-radius circles left out, comments
// the controller can take, and the spindle, dwell and plunge feed asked for.
// Everything else stays as it was written.
//
// Every line written is read back at once by the program reader, and must
// make the move of the line it was written for (within the rounding of
// numbers to four decimals): what post writes, the preview reads with the
// same moves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "post/controller.h"
#include "post/modal_feed.h"
#include "toolpath/line_words.h"
#include "toolpath/moves.h"
#include "toolpath/program_reader.h"

namespace veskaro::post {

struct PostOptions {
    Controller controller = Controller::linuxcnc;
    std::optional<double> spindle;      // S of a spindle start (M3), or no start
    std::optional<double> dwell;        // seconds to wait (G4) after the start
    std::optional<double> plunge_feed;  // F of the cutting moves along Z only
};

// What was changed in one program.
struct PostCounts {
    std::int64_t header = 0;              // "#" first line written as a ";" comment naming the controller
    std::int64_t numbers = 0;             // numbers with an exponent (or, for GRBL, leading zeros) rewritten
    std::int64_t circles = 0;             // zero-radius full circles left out
    std::int64_t comment_bytes = 0;       // comment bytes the controller would act on, replaced
    std::int64_t comments_shortened = 0;  // comments cut to the controller's line length
    std::int64_t feeds = 0;               // F words written or changed
    std::int64_t lines_added = 0;         // spindle start, dwell and stop
};

// "header rewritten 1, numbers rewritten 2, circles dropped 1, ...".
std::string counts_text(const PostCounts& counts);

class ProgramPost {
public:
    // `program` is the program as the toolpath reader read it: the lines
    // given to line() must be the ones it read.  It must outlive this.
    ProgramPost(const toolpath::Program& program, const PostOptions& options);

    // Appends the written form of line `number` (1 is the first), after any
    // lines added before it, to `out`.  Lines come in order.  Throws
    // toolpath::ProgramError for a line no controller could take as
    // written, and for one whose written form would not make its move.
    void line(std::int64_t number, std::string_view text, std::string& out);

    // After the last line: throws ProgramError when the program written
    // would not end as a program must.
    void finish(std::int64_t last_line) const;

    const PostCounts& counts() const { return counts_; }

private:
    void rewrite(const std::string_view& text, std::string& out);
    void plain_numbers(std::vector<toolpath::Word>& words);
    void add_start(std::string& out);
    void add_line(std::string& out, const std::string& code, const std::string& comment);
    toolpath::LineRead write(std::string& out, const std::string& code, std::optional<std::string> comment);

    toolpath::MoveList::Iterator next_move_;
    toolpath::MoveList::Iterator end_;
    PostOptions options_;
    const ControllerRules& rules_;
    ModalFeed feed_;
    bool started_ = false;
    PostCounts counts_;
    // The program as written, read back line by line.
    toolpath::ProgramReader written_;
    std::int64_t written_lines_ = 0;
    std::int64_t number_ = 0;  // the line being rewritten
};

}  // namespace veskaro::post
