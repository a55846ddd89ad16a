// The finished part of one program: its cut simulated, measured, drawn and
// put in words.
#pragma once

#include <string>
#include <vector>

#include "toolpath/moves.h"
#include "preview/finished_options.h"
#include "preview/summary.h"

namespace veskaro::preview {

struct FinishedView {
    std::string svg;                    // the picture
    std::string text;                   // for the console line: "finished 116.83 x 76.83 mm, freed, ..."
    std::vector<std::string> measures;  // for --measure, without the file
};

// Throws simulate::SimulationError for a program that cannot be simulated.
FinishedView finished_view(const std::string& name, const toolpath::Program& program, const Summary& summary,
                           const FinishedSettings& settings);

}  // namespace veskaro::preview
