#include "preview/picture_axes.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "base/decimal_text.h"
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
    return "<line x1=\"" + trimmed_decimals(x1, 3) + "\" y1=\"" + trimmed_decimals(y1, 3) + "\" x2=\"" + trimmed_decimals(x2, 3) + "\" y2=\"" + trimmed_decimals(y2, 3) + "\"" +
           attributes + "/>\n";
}

}  // namespace

void append_grid(std::string& svg, const Frame& f) {
    const double step = grid_step(f);
    const auto major = [step](double at) { return std::fmod(std::fabs(at), 5 * step) == 0; };
    const double x0 = f.drawn.min_x, x1 = f.drawn.max_x, y0 = f.drawn.min_y, y1 = f.drawn.max_y;
    svg += "<g stroke=\"#e4e4e4\" stroke-width=\"" + trimmed_decimals(f.hair / 2, 3) + "\">\n";
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
    svg += "<g font-family=\"sans-serif\" font-size=\"" + trimmed_decimals(size, 3) + "\" fill=\"#555\">\n";
    for_each_multiple(f.drawn.min_x, f.drawn.max_x, every(f.drawn.width()), [&](double x) {
        svg += "<text x=\"" + trimmed_decimals(f.x(x), 3) + "\" y=\"" + trimmed_decimals(f.y(f.drawn.min_y) + f.margin + size, 3) +
               "\" text-anchor=\"middle\">" + trimmed_decimals(x, 3) + "</text>\n";
    });
    for_each_multiple(f.drawn.min_y, f.drawn.max_y, every(f.drawn.height()), [&](double y) {
        svg += "<text x=\"" + trimmed_decimals(f.x(f.drawn.min_x) - f.margin - size * 0.3, 3) + "\" y=\"" +
               trimmed_decimals(f.y(y) + size * 0.35, 3) + "\" text-anchor=\"end\">" + trimmed_decimals(y, 3) + "</text>\n";
    });
    svg += "<text x=\"" + trimmed_decimals(f.x(f.drawn.min_x) - f.margin - size * 0.3, 3) + "\" y=\"" +
           trimmed_decimals(f.y(f.drawn.min_y) + f.margin + size, 3) + "\" text-anchor=\"end\">mm</text>\n</g>\n";
}

std::string origin_marker(double x, double y, double radius, double width) {
    const std::string stroke = " stroke=\"#222\" stroke-width=\"" + trimmed_decimals(width, 3) + "\"";
    return "<g fill=\"none\"" + stroke + "><circle cx=\"" + trimmed_decimals(x, 3) + "\" cy=\"" + trimmed_decimals(y, 3) + "\" r=\"" + trimmed_decimals(radius, 3) +
           "\"/>" + line(x - 1.6 * radius, y, x + 1.6 * radius, y) + line(x, y - 1.6 * radius, x, y + 1.6 * radius) +
           "</g>\n";
}

void append_origin(std::string& svg, const Frame& f) {
    svg += "<g class=\"origin\"><desc>X0 Y0</desc>\n" + origin_marker(0, 0, f.font * 0.3, f.hair) + "</g>\n";
}

}  // namespace veskaro::preview
