// One program rewritten for a controller, line by line: the header as a
// comment, numbers without exponents, zero-radius circles left out, comments
// the controller can take, and the spindle, dwell and plunge feed asked for.
// Everything else stays as it was written.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "post/controller.h"
#include "post/modal_feed.h"
#include "toolpath/line_words.h"
#include "toolpath/moves.h"

namespace veskaro::post {

struct PostOptions {
    Controller controller = Controller::linuxcnc;
    std::optional<double> spindle;      // S of a spindle start (M3), or no start
    std::optional<double> dwell;        // seconds to wait (G4) after the start
    std::optional<double> plunge_feed;  // F of the cutting moves along Z only
};

// What was changed in one program.
struct PostCounts {
    int header = 0;              // "#" first line written as a ";" comment naming the controller
    int numbers = 0;             // numbers with an exponent written in plain decimals
    int circles = 0;             // zero-radius full circles left out
    int comment_bytes = 0;       // comment bytes GRBL would act on, replaced
    int comments_shortened = 0;  // comments cut to the controller's line length
    int feeds = 0;               // F words written or changed
    int lines_added = 0;         // spindle start, dwell and stop; the first line where no "#" header was
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
    // toolpath::ProgramError for a line no controller could take as written,
    // and for a first line that post wrote (the program was rewritten
    // already).
    void line(int number, std::string text, std::string& out);

    const PostCounts& counts() const { return counts_; }

private:
    void rewrite(int number, const std::string& text, std::string& out);
    void add_start(std::string& out);
    void add_line(std::string& out, const std::string& code, const std::string& comment);
    void write(std::string& out, const std::string& code, std::optional<std::string> comment);

    const std::vector<toolpath::Move>& moves_;
    std::size_t next_move_ = 0;
    PostOptions options_;
    const ControllerRules& rules_;
    ModalFeed feed_;
    bool started_ = false;
    PostCounts counts_;
};

}  // namespace veskaro::post
