// Where one line of the sheet crosses what a round bit sweeps: the exact
// chord, from the distance to the tool centre's path, so that edges fall
// where the geometry puts them and not on cell centres.
//
// Coordinates are of a frame in which the line runs along `u` at v = `at`:
// (x, y) for rows, (y, x) for columns.
#pragma once

#include <optional>

namespace veskaro::simulate {

struct PlanePoint {
    double u = 0;
    double v = 0;
};

struct Chord {
    double from = 0;
    double to = 0;
};

// The stretches of the lines within `radius` of the segment from `a` to `b`
// (a disc swept along it; a point when a equals b), for one line after
// another: what the lines share is worked out once.
class SegmentChords {
public:
    SegmentChords(PlanePoint a, PlanePoint b, double radius);
    std::optional<Chord> at(double v) const;

private:
    PlanePoint a_, b_;
    double radius_;
    double du_, dv_, length_;
};

std::optional<Chord> segment_chord(PlanePoint a, PlanePoint b, double radius, double at);

// The stretches of the line within `radius` of the circle of `path_radius`
// around `centre` (a disc swept once around it): none, one, or two where the
// line crosses the hole in the middle.  Returns how many were written.
int ring_chords(PlanePoint centre, double path_radius, double radius, double at, Chord out[2]);

}  // namespace veskaro::simulate
