#include "preview/svg_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <vector>

#include "toolpath/arc.h"
#include "preview/markup.h"

namespace veskaro::preview {

using namespace toolpath;

namespace {

struct Rgb {
    double r, g, b;
};

// Shade of a cut at `fraction` of the deepest Z: 0 at the surface, 1 at the
// bottom.
std::string depth_colour(double fraction) {
    const Rgb light{158, 202, 225};
    const Rgb dark{8, 48, 107};
    const double t = std::clamp(fraction, 0.0, 1.0);
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<int>(std::lround(light.r + (dark.r - light.r) * t)),
                  static_cast<int>(std::lround(light.g + (dark.g - light.g) * t)),
                  static_cast<int>(std::lround(light.b + (dark.b - light.b) * t)));
    return text;
}

std::string xy(const char* x_name, double x, const char* y_name, double y) {
    return std::string(" ") + x_name + "=\"" + mm(x) + "\" " + y_name + "=\"" + mm(y) + "\"";
}

// One cutting move as an SVG element in machine coordinates.
std::string cut_element(const Move& move, double stroke, const std::string& colour) {
    const bool still = move.from.x == move.to.x && move.from.y == move.to.y;
    if (is_arc(move)) {
        const double radius = arc_radius(move);
        if (radius > 0 && arc_sweep(move) == 2 * std::numbers::pi) {
            return "<circle" + xy("cx", move.centre_x, "cy", move.centre_y) + " r=\"" + mm(radius) + "\"/>";
        }
        if (radius > 0) {
            const bool large = arc_sweep(move) > std::numbers::pi;
            const bool counterclockwise = move.kind == MoveKind::arc_counterclockwise;
            return "<path d=\"M " + mm(move.from.x) + " " + mm(move.from.y) + " A " + mm(radius) + " " +
                   mm(radius) + " 0 " + (large ? "1 " : "0 ") + (counterclockwise ? "1 " : "0 ") +
                   mm(move.to.x) + " " + mm(move.to.y) + "\"/>";
        }
    } else if (!still) {
        return "<line" + xy("x1", move.from.x, "y1", move.from.y) + xy("x2", move.to.x, "y2", move.to.y) + "/>";
    }
    // A plunge, or a circle of radius 0: the bit goes down on one spot.
    return "<circle" + xy("cx", move.to.x, "cy", move.to.y) + " r=\"" + mm(stroke / 2) + "\" fill=\"" +
           colour + "\" stroke=\"none\"/>";
}

struct Frame {
    Extents drawn;  // machine area shown
    double margin;
    double font;
    double band;    // height of the title band above the drawing
    double width;
    double height;
};

Frame frame_for(const Summary& summary) {
    Frame f;
    f.drawn.add(summary.cutting);
    f.drawn.add(summary.rapid);
    if (f.drawn.empty) f.drawn.add(0, 0);
    const double span = std::max({f.drawn.width(), f.drawn.height(), 10.0});
    f.margin = std::max(3.0, span * 0.04);
    f.font = std::clamp(span / 32, 2.0, 12.0);
    f.band = f.font * 4.8;
    f.width = std::max(f.drawn.width() + 2 * f.margin, f.font * 30);
    f.height = f.drawn.height() + 2 * f.margin + f.band;
    return f;
}

void append_title(std::string& svg, const Frame& f, const std::string& name, const Summary& summary) {
    const std::string figures = summary_text(summary);
    // Extents on one line, lengths and time on the next.
    const std::size_t split = figures.find(", cutting ");
    const std::string first = figures.substr(0, split);
    const std::string second = split == std::string::npos ? "" : figures.substr(split + 2);
    const double x = f.margin;
    const auto line = [&](double y, double size, const std::string& attributes, const std::string& text) {
        svg += "<text" + xy("x", x, "y", f.font * y) + " font-size=\"" + mm(f.font * size) + "\"" + attributes +
               ">" + xml_escaped(text) + "</text>\n";
    };
    svg += "<title>" + xml_escaped(name + ": " + figures) + "</title>\n";
    svg += "<g font-family=\"sans-serif\" fill=\"#222\">\n";
    line(1.3, 1, " font-weight=\"bold\"", name);
    line(2.4, 0.6, "", first);
    line(3.3, 0.6, "", second);
    line(4.2, 0.5, " fill=\"#666\"", "solid: cutting, light near the surface, dark at the deepest Z; dashed: rapid moves");
    svg += "</g>\n";
}

// Faint lines every 10 mm (stronger every 50 mm) behind the drawing, so
// sizes can be read off the picture; coarser on very large drawings.
void append_grid(std::string& svg, const Frame& f, double hair) {
    const double span = std::max(f.drawn.width(), f.drawn.height());
    double step = 10;
    while (span / step > 100) step *= 10;
    const double x0 = f.drawn.min_x, x1 = f.drawn.max_x, y0 = f.drawn.min_y, y1 = f.drawn.max_y;
    const auto major = [step](double at) { return std::fmod(std::fabs(at), 5 * step) == 0; };
    svg += "<g stroke=\"#e4e4e4\" stroke-width=\"" + mm(hair / 2) + "\">\n";
    for (double x = std::ceil(x0 / step) * step; x <= x1; x += step) {
        svg += "<line" + xy("x1", x, "y1", y0) + xy("x2", x, "y2", y1) +
               (major(x) ? " stroke=\"#c8c8c8\"" : "") + "/>\n";
    }
    for (double y = std::ceil(y0 / step) * step; y <= y1; y += step) {
        svg += "<line" + xy("x1", x0, "y1", y) + xy("x2", x1, "y2", y) +
               (major(y) ? " stroke=\"#c8c8c8\"" : "") + "/>\n";
    }
    svg += "</g>\n";
}

void append_rapids(std::string& svg, const Program& program, double hair) {
    const double width = hair * 0.6;
    svg += "<g fill=\"none\" stroke=\"#d62728\" stroke-opacity=\"0.7\" stroke-width=\"" + mm(width) +
           "\" stroke-dasharray=\"" + mm(width * 5) + " " + mm(width * 4) + "\">\n";
    for (const Move& move : program.moves) {
        if (is_cutting(move) || (move.from.x == move.to.x && move.from.y == move.to.y)) continue;
        svg += "<line" + xy("x1", move.from.x, "y1", move.from.y) + xy("x2", move.to.x, "y2", move.to.y) + "/>\n";
    }
    svg += "</g>\n";
}

void append_cuts(std::string& svg, const Program& program, const Summary& summary, double stroke) {
    // Depth levels from the surface down, each in its own shade; a map keyed
    // by minus the depth keeps the shallow levels first.
    std::map<long, std::vector<const Move*>> levels;
    for (const Move& move : program.moves) {
        if (!is_cutting(move)) continue;
        const double depth = std::min(move.from.z, move.to.z);
        levels[std::lround(-depth * 10000)].push_back(&move);
    }
    for (const auto& [key, moves] : levels) {
        const double depth = -static_cast<double>(key) / 10000;
        const double fraction = summary.deepest_z < 0 ? depth / summary.deepest_z : 1.0;
        const std::string colour = depth_colour(fraction);
        svg += "<g fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" + mm(stroke) +
               "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"><desc>Z " + mm(depth) + "</desc>\n";
        for (const Move* move : moves) svg += cut_element(*move, stroke, colour) + "\n";
        svg += "</g>\n";
    }
}

}  // namespace

std::string svg_picture(const std::string& name, const Program& program, const Summary& summary,
                        const PictureStyle& style) {
    const Frame f = frame_for(summary);
    const double span = std::max({f.drawn.width(), f.drawn.height(), 10.0});
    const double hair = std::clamp(span / 400, 0.15, 1.0);
    const double stroke = style.bit_diameter > 0 ? style.bit_diameter : hair;

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + mm(f.width) + "mm\" height=\"" +
           mm(f.height) + "mm\" viewBox=\"0 0 " + mm(f.width) + " " + mm(f.height) + "\">\n";
    svg += "<rect" + xy("width", f.width, "height", f.height) + " fill=\"#ffffff\"/>\n";
    append_title(svg, f, name, summary);
    svg += "<rect" + xy("x", 0, "y", f.band) + xy("width", f.width, "height", f.height - f.band) +
           " fill=\"#ffffff\" stroke=\"#bbbbbb\" stroke-width=\"" + mm(hair) + "\"/>\n";
    // Machine coordinates from here on: X right, Y up, the drawn area one
    // margin above the picture's lower edge and centred across it.
    const double shift_x = (f.width - f.drawn.width()) / 2 - f.drawn.min_x;
    const double shift_y = f.height - f.margin + f.drawn.min_y;
    svg += "<g transform=\"matrix(1 0 0 -1 " + mm(shift_x) + " " + mm(shift_y) + ")\">\n";
    append_grid(svg, f, hair);
    append_rapids(svg, program, hair);
    append_cuts(svg, program, summary, stroke);
    svg += "</g>\n</svg>\n";
    return svg;
}

}  // namespace veskaro::preview
