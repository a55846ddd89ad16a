#include "post/tab_places.h"

#include <algorithm>
#include <cmath>

namespace veskaro::post {

namespace {

struct Span {
    double from;
    double to;
};

// Distance between two places on a closed path of length `perimeter`.
double apart(double a, double b, double perimeter) {
    const double d = std::fabs(a - b);
    return std::min(d, perimeter - d);
}

// The place of `spans` nearest to `at`; of two as near, the one ahead
// along the path.
double nearest(const std::vector<Span>& spans, double at, double perimeter) {
    double best = spans.front().from;
    double best_distance = perimeter;
    bool best_ahead = false;
    for (const Span& span : spans) {
        if (at >= span.from && at <= span.to) return at;
        for (double end : {span.from, span.to}) {
            const double distance = apart(at, end, perimeter);
            const bool ahead = std::fmod(end - at + perimeter, perimeter) <= perimeter / 2;
            if (distance < best_distance || (distance == best_distance && ahead && !best_ahead)) {
                best_distance = distance;
                best = end;
                best_ahead = ahead;
            }
        }
    }
    return best;
}

}  // namespace

std::vector<double> tab_places(double width, double height, int count, double tab_width, double bit) {
    const double perimeter = 2 * (width + height);
    const double clear = bit + tab_width / 2;
    const double lengths[4] = {width, height, width, height};
    std::vector<Span> spans;
    double start = 0;
    for (double length : lengths) {
        if (length >= 2 * clear) spans.push_back({start + clear, start + length - clear});
        start += length;
    }
    std::vector<double> places;
    if (spans.empty() || count <= 0) return places;
    const double spacing = perimeter / count;
    // Two tabs closer than this would leave less than a bit's length of cut
    // between them, and join at the cut's sides; the tiny allowance keeps
    // tabs spaced exactly so.
    const double closest = tab_width + bit - 1e-9;
    for (int k = 0; k < count; ++k) {
        const double ideal = std::fmod(width / 2 + k * spacing, perimeter);
        const double place = nearest(spans, ideal, perimeter);
        const bool crowded = std::any_of(places.begin(), places.end(),
                                         [&](double other) { return apart(other, place, perimeter) < closest; });
        if (!crowded) places.push_back(place);
    }
    std::sort(places.begin(), places.end());
    return places;
}

}  // namespace veskaro::post
