// The program of one sheet: the start of its first panel's program, the
// inner cuts of every panel, then every panel's outline, and the end; each
// panel's moves carried to its place on the sheet, turned when it lies
// turned.
#pragma once

#include <string>
#include <vector>

#include "post/panel_program.h"
#include "toolpath/panel_marks.h"

namespace veskaro::post {

struct PanelPlace {
    const PanelProgram* panel = nullptr;
    double x = 0;  // where the face's lower left corner lies on the sheet, mm
    double y = 0;
    // Turned a quarter counter-clockwise: the face's left edge lies along
    // the bottom, its X along the sheet's Y.
    bool turned = false;
};

// The panel's mark on the sheet, its name escaped so that it stays on one
// line.
toolpath::PanelMark panel_mark(const PanelPlace& place);

// The sheet program's lines, the panels cut in the order given.  Throws
// FinishError when no program lifts the tool above the sheet (there is no
// height to travel between the panels at).
std::vector<std::string> sheet_lines(const std::vector<PanelPlace>& panels);

}  // namespace veskaro::post
