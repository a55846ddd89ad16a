// The feed rate in effect, in the program as read and in the program as
// written, so that a changed or dropped F word never changes the feed of a
// later move that relied on it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolpath/line_words.h"
#include "toolpath/moves.h"

namespace veskaro::post {

class ModalFeed {
public:
    // `plunge_feed`: the F of every cutting move along Z only, or nothing to
    // keep each move's own feed.
    explicit ModalFeed(std::optional<double> plunge_feed);

    // A line that is left out: its F word still sets the feed of the lines
    // that follow it in the program as read.
    void drop(const std::vector<toolpath::Word>& words);

    // The words of a line that is written, with `move` its motion (nullptr
    // for a line without one): the F word is set to the feed the move must
    // have, or added when the feed in effect in the written program is
    // another.  Returns the number of F words written or changed (0 or 1).
    int keep(std::vector<toolpath::Word>& words, const toolpath::Move* move);

private:
    std::optional<double> plunge_feed_;
    toolpath::Word read_;  // the last F word read; letter 0 before the first
    double written_ = 0;   // the feed in effect in the written program
};

// A cutting straight move that changes Z and nothing else: a plunge, or a
// lift at the cutting feed.
bool is_z_only_cut(const toolpath::Move& move);

}  // namespace veskaro::post
