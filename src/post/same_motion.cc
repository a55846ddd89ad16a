#include "post/same_motion.h"

#include <cmath>

#include "toolpath/arc.h"
#include "toolpath/moves.h"

namespace veskaro::post {

using namespace toolpath;

namespace {

// A coordinate rounded to four decimals moves by at most 0.00005 mm, and an
// arc's centre, its start plus I and J, twice that.
constexpr double kPositionTolerance = 0.0001 + 1e-9;
// The length of an arc whose centre moved that far changes by a few times
// as much; the controllers' own checks work to the thousandth.
constexpr double kLengthTolerance = 0.001;

bool near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

bool near(const Position& a, const Position& b) {
    return near(a.x, b.x, kPositionTolerance) && near(a.y, b.y, kPositionTolerance) &&
           near(a.z, b.z, kPositionTolerance);
}

}  // namespace

std::string motion_change(const Move& read, const Move& written, double feed) {
    if (written.kind != read.kind) return "the line would make another kind of move";
    if (!near(written.from, read.from) || !near(written.to, read.to)) {
        return "the move would end more than 0.0001 mm away";
    }
    if (written.feed != feed && !near(written.feed, feed, kPositionTolerance)) {
        return "the feed rate would change by more than 0.0001 mm/min";
    }
    if (!is_arc(read)) return {};
    if (arc_radius(written) == 0 && arc_radius(read) != 0) return "the arc would have radius 0";
    if (!near(written.centre_x, read.centre_x, 2 * kPositionTolerance) ||
        !near(written.centre_y, read.centre_y, 2 * kPositionTolerance) ||
        !near(arc_length(written), arc_length(read), kLengthTolerance)) {
        return "the arc would change by more than 0.001 mm";
    }
    return {};
}

}  // namespace veskaro::post
