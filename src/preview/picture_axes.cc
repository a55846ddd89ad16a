#include "preview/picture_axes.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "preview/markup.h"

namespace veskaro::preview {

namespace {

// 10 mm, or 100 mm, ... so that there are at most 100 lines a side.
double grid_step(const Frame& f) {
    const double span = std::max(f.drawn.width(), f.drawn.height());
    double step = 10;
    while (span / step > 100) step *= 10;
    return step;
}

// Calls `at` for every multiple of `step` from `from` to `to`.  Counted in
// whole steps so that the values are exact multiples, not sums.
void for_each_multiple(double from, double to, double step, const std::function<void(double)>& at) {
    for (long n = static_cast<long>(std::ceil(from / step)); n * step <= to; ++n) at(n * step);
}

std::string line(double x1, double y1, double x2, double y2, const std::string& attributes = "") {
    return "<line x1=\"" + mm(x1) + "\" y1=\"" + mm(y1) + "\" x2=\"" + mm(x2) + "\" y2=\"" + mm(y2) + "\"" +
           attributes + "/>\n";
}

}  // namespace

void append_grid(std::string& svg, const Frame& f) {
    const double step = grid_step(f);
    const auto major = [step](double at) { return std::fmod(std::fabs(at), 5 * step) == 0; };
    const double x0 = f.drawn.min_x, x1 = f.drawn.max_x, y0 = f.drawn.min_y, y1 = f.drawn.max_y;
    svg += "<g stroke=\"#e4e4e4\" stroke-width=\"" + mm(f.hair / 2) + "\">\n";
    for_each_multiple(x0, x1, step, [&](double x) {
        svg += line(x, y0, x, y1, major(x) ? " stroke=\"#c8c8c8\"" : "");
    });
    for_each_multiple(y0, y1, step, [&](double y) {
        svg += line(x0, y, x1, y, major(y) ? " stroke=\"#c8c8c8\"" : "");
    });
    svg += "</g>\n";
}

void append_axis_numbers(std::string& svg, const Frame& f) {
    // Every grid line while they are few, every fifth on a crowded side.
    const double step = grid_step(f);
    const auto every = [&](double span) { return span / step > 16 ? 5 * step : step; };
    const double size = f.font * 0.45;
    svg += "<g font-family=\"sans-serif\" font-size=\"" + mm(size) + "\" fill=\"#555\">\n";
    for_each_multiple(f.drawn.min_x, f.drawn.max_x, every(f.drawn.width()), [&](double x) {
        svg += "<text x=\"" + mm(f.x(x)) + "\" y=\"" + mm(f.y(f.drawn.min_y) + f.margin + size) +
               "\" text-anchor=\"middle\">" + mm(x) + "</text>\n";
    });
    for_each_multiple(f.drawn.min_y, f.drawn.max_y, every(f.drawn.height()), [&](double y) {
        svg += "<text x=\"" + mm(f.x(f.drawn.min_x) - f.margin - size * 0.3) + "\" y=\"" +
               mm(f.y(y) + size * 0.35) + "\" text-anchor=\"end\">" + mm(y) + "</text>\n";
    });
    svg += "<text x=\"" + mm(f.x(f.drawn.min_x) - f.margin - size * 0.3) + "\" y=\"" +
           mm(f.y(f.drawn.min_y) + f.margin + size) + "\" text-anchor=\"end\">mm</text>\n</g>\n";
}

std::string origin_marker(double x, double y, double radius, double width) {
    const std::string stroke = " stroke=\"#222\" stroke-width=\"" + mm(width) + "\"";
    return "<g fill=\"none\"" + stroke + "><circle cx=\"" + mm(x) + "\" cy=\"" + mm(y) + "\" r=\"" + mm(radius) +
           "\"/>" + line(x - 1.6 * radius, y, x + 1.6 * radius, y) + line(x, y - 1.6 * radius, x, y + 1.6 * radius) +
           "</g>\n";
}

void append_origin(std::string& svg, const Frame& f) {
    svg += "<g class=\"origin\"><desc>X0 Y0</desc>\n" + origin_marker(0, 0, f.font * 0.3, f.hair) + "</g>\n";
}

}  // namespace veskaro::preview
