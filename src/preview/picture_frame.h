// Where things go on a picture: the machine area drawn, the title band above
// it, room for the axis numbers, and the sizes of text and lines, all in
// millimetres of the machine.
#pragma once

#include "toolpath/extents.h"
#include "preview/summary.h"

namespace veskaro::preview {

struct Frame {
    toolpath::Extents drawn;  // machine area shown: the moves and the origin
    double font;    // height of the title; the other texts are fractions of it
    double hair;    // width of thin lines
    double margin;  // blank space around the drawing
    double band;    // height of the title band above the drawing
    double left;    // room for the Y numbers left of the drawing
    double bottom;  // room for the X numbers below it
    double width;   // the whole picture
    double height;

    // Picture coordinates (Y down) of a machine point (Y up).
    double x(double machine_x) const;
    double y(double machine_y) const;
};

Frame frame_for(const Summary& summary);

}  // namespace veskaro::preview
