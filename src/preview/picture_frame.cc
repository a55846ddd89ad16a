#include "preview/picture_frame.h"

#include <algorithm>

namespace veskaro::preview {

Frame frame_for(const Summary& summary) {
    Frame f;
    f.drawn.add(summary.cutting);
    f.drawn.add(summary.rapid);
    f.drawn.add(0, 0);  // the origin is always shown
    const double span = std::max({f.drawn.width(), f.drawn.height(), 10.0});
    // Text and lines grow with the drawing, so that the picture reads the
    // same at the size a browser opens it at.
    f.font = span / 32;
    f.hair = span / 400;
    f.margin = span * 0.04;
    f.band = f.font * 4.8;
    f.left = f.font * 2.2;
    f.bottom = f.font * 0.9;
    f.width = std::max(f.left + f.drawn.width() + 2 * f.margin, f.font * 30);
    f.height = f.band + f.drawn.height() + 2 * f.margin + f.bottom;
    return f;
}

// The drawing sits right of the Y numbers, centred in what is left, and one
// margin above the X numbers.
double Frame::x(double machine_x) const {
    return left + (width - left - drawn.width()) / 2 + (machine_x - drawn.min_x);
}

double Frame::y(double machine_y) const { return height - bottom - margin - (machine_y - drawn.min_y); }

}  // namespace veskaro::preview
