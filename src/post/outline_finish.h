// The outline of one face program finished as asked: its passes moved half
// a bit outside the face's edge, and the deepest passes lifted over the
// holding tabs.  Every other line stays as it was written.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "post/finish_options.h"
#include "post/outline_passes.h"
#include "toolpath/moves.h"

namespace veskaro::post {

// Options that do not fit the program (a tab on no edge, a tab height no
// pass reaches); the message names the option and its value.
class FinishError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Why a program has no outline to finish.
std::string no_outline_text();

struct FinishCounts {
    int passes_moved = 0;   // outline passes moved outside
    int tabs_asked = 0;
    int tabs_placed = 0;    // on the outline
    int passes_lifted = 0;  // passes that lift over the tabs
};

// ", outline passes moved outside 4, tabs placed 4, passes lifted over tabs
// 2" for what was done; "tabs placed 3 of 4 asked" when the short edges
// took fewer.  Empty when nothing was.
std::string finish_counts_text(const FinishCounts& counts);

struct FinishedOutline {
    std::vector<std::string> lines;  // the whole program
    std::size_t outline_begin = 0;   // its passes are lines [outline_begin, outline_end)
    std::size_t outline_end = 0;
    FinishCounts counts;
};

// `lines` are the program's lines; `outline` was found in the moves read
// from them.  With a `mark` (the panel's name), the
// outline's mark is written before its passes, at 0,0, so that the
// simulation finds the panel however it is held (a sheet writes its own).
// Throws FinishError.
FinishedOutline finish_outline(const std::vector<std::string>& lines, const Outline& outline,
                               const FinishOptions& options,
                               const std::optional<std::string>& mark = std::nullopt);

}  // namespace veskaro::post
