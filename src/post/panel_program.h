// A face program made ready for a sheet: its outline finished as asked,
// and split where the sheet takes it apart (the start, the inner cuts, the
// outline, the end).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "post/finish_options.h"
#include "post/outline_finish.h"
#include "toolpath/extents.h"
#include "toolpath/moves.h"

namespace veskaro::post {

struct PanelProgram {
    std::filesystem::path source;
    std::string name;                // the program's name without its extension
    std::vector<std::string> lines;  // finished
    toolpath::Program program;       // read from `lines`
    // Line indices: the start is [0, body_begin), the inner cuts
    // [body_begin, outline_begin), the outline [outline_begin, outline_end),
    // the end [outline_end, lines.size()).
    std::size_t body_begin = 0;
    std::size_t outline_begin = 0;
    std::size_t outline_end = 0;
    double width = 0;  // of the face, whose outline runs from 0,0
    double height = 0;
    toolpath::Extents reach;  // the face and all the bit cuts, its radius included
    double highest = 0;       // the highest Z the tool is sent to
    bool sets_units = false;  // G21 before the first cut
    FinishCounts counts;
};

// Throws toolpath::ProgramError for a line (a spindle or dwell of its own
// among them: a sheet starts the spindle once), FinishError for a program
// without an outline or options that do not fit it, RunError for a file
// that cannot be read.
PanelProgram prepare_panel(const std::filesystem::path& source, const FinishOptions& options);

}  // namespace veskaro::post
