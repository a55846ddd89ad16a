#include "preview/svg_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "base/decimal_text.h"
#include "toolpath/arc.h"
#include "preview/component_labels.h"
#include "preview/markup.h"
#include "preview/picture_axes.h"
#include "preview/picture_frame.h"
#include "preview/picture_key.h"

namespace veskaro::preview {

using namespace toolpath;

namespace {

std::string xy(const char* x_name, double x, const char* y_name, double y) {
    return std::string(" ") + x_name + "=\"" + trimmed_decimals(x, 3) + "\" " + y_name + "=\"" + trimmed_decimals(y, 3) + "\"";
}

// One cutting move as an SVG element in machine coordinates.
std::string cut_element(const Move& move, double stroke, const std::string& colour) {
    const bool still = move.from.x == move.to.x && move.from.y == move.to.y;
    if (is_arc(move)) {
        const double radius = arc_radius(move);
        if (radius > 0 && arc_sweep(move) == 2 * std::numbers::pi) {
            return "<circle" + xy("cx", move.centre_x, "cy", move.centre_y) + " r=\"" + trimmed_decimals(radius, 3) + "\"/>";
        }
        if (radius > 0) {
            const bool large = arc_sweep(move) > std::numbers::pi;
            const bool counterclockwise = move.kind == MoveKind::arc_counterclockwise;
            return "<path d=\"M " + trimmed_decimals(move.from.x, 3) + " " + trimmed_decimals(move.from.y, 3) + " A " + trimmed_decimals(radius, 3) + " " +
                   trimmed_decimals(radius, 3) + " 0 " + (large ? "1 " : "0 ") + (counterclockwise ? "1 " : "0 ") +
                   trimmed_decimals(move.to.x, 3) + " " + trimmed_decimals(move.to.y, 3) + "\"/>";
        }
    } else if (!still) {
        return "<line" + xy("x1", move.from.x, "y1", move.from.y) + xy("x2", move.to.x, "y2", move.to.y) + "/>";
    }
    // A plunge, or a circle of radius 0: the bit goes down on one spot.
    return "<circle" + xy("cx", move.to.x, "cy", move.to.y) + " r=\"" + trimmed_decimals(stroke / 2, 3) + "\" fill=\"" +
           colour + "\" stroke=\"none\"/>";
}

void append_title(std::string& svg, const Frame& f, const std::string& name, const Summary& summary,
                  const DepthLevels& levels) {
    const std::string figures = summary_text(summary);
    // Extents on one line, lengths and time on the next.
    const std::size_t split = figures.find(", cutting ");
    const std::string first = figures.substr(0, split);
    const std::string second = split == std::string::npos ? "" : figures.substr(split + 2);
    const auto line = [&](double y, double size, const std::string& attributes, const std::string& text) {
        svg += "<text" + xy("x", f.margin, "y", f.font * y) + " font-size=\"" + trimmed_decimals(f.font * size, 3) + "\"" +
               attributes + ">" + xml_escaped(text) + "</text>\n";
    };
    svg += "<title>" + xml_escaped(name + ": " + figures) + "</title>\n";
    svg += "<g font-family=\"sans-serif\" fill=\"#222\">\n";
    line(1.3, 1, " font-weight=\"bold\"", name);
    line(2.4, 0.6, "", first);
    line(3.3, 0.6, "", second);
    append_key(svg, f, levels, summary.deepest_z, f.font * 4.3);
    svg += "</g>\n";
}

void append_rapids(PictureText& picture, const Program& program, double hair) {
    std::string& svg = picture.text;
    const double width = hair * 0.6;
    svg += "<g class=\"rapids\" fill=\"none\" stroke=\"#d62728\" stroke-opacity=\"0.7\" stroke-width=\"" + trimmed_decimals(width, 3) +
           "\" stroke-dasharray=\"" + trimmed_decimals(width * 5, 3) + " " + trimmed_decimals(width * 4, 3) + "\">\n";
    for (const Move& move : program.moves) {
        if (is_cutting(move) || (move.from.x == move.to.x && move.from.y == move.to.y)) continue;
        svg += "<line" + xy("x1", move.from.x, "y1", move.from.y) + xy("x2", move.to.x, "y2", move.to.y) + "/>\n";
        picture.spill();
    }
    svg += "</g>\n";
}

void append_cuts(PictureText& picture, const Program& program, const DepthLevels& levels, double deepest_z,
                 double stroke) {
    std::string& svg = picture.text;
    // The moves are visited level by level; within a level mostly one after
    // the other, which the list's iterator steps to.
    MoveList::Iterator move = program.moves.begin();
    // Each depth level in its own shade, deeper levels drawn over shallower.
    for (const DepthLevel& level : levels.levels) {
        const std::string colour = depth_colour(level_z(level.key), deepest_z);
        svg += "<g fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" + trimmed_decimals(stroke, 3) +
               "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"><desc>Z " + trimmed_decimals(level_z(level.key), 3) + "</desc>\n";
        for (std::size_t n = level.first; n < level.first + level.count; ++n) {
            move.seek(levels.moves[n].second);
            svg += cut_element(*move, stroke, colour) + "\n";
            picture.spill();
        }
        svg += "</g>\n";
    }
}

}  // namespace

void draw_svg_element(const std::string& name, const Program& program, const Summary& summary,
                      const PictureStyle& style, const TextSink& sink) {
    PictureText picture(sink);
    std::string& svg = picture.text;
    const Frame f = frame_for(summary);
    const DepthLevels levels = depth_levels(program);
    const double stroke = style.bit_diameter > 0 ? style.bit_diameter : f.hair;
    // Opened on its own, the picture fits 1000 by 800 pixels; the view box
    // keeps it in millimetres.
    const double pixels = std::min(1000 / f.width, 800 / f.height);

    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"" +
           xy("width", std::round(f.width * pixels), "height", std::round(f.height * pixels)) + " viewBox=\"0 0 " +
           trimmed_decimals(f.width, 3) + " " + trimmed_decimals(f.height, 3) + "\">\n";
    svg += "<rect" + xy("width", f.width, "height", f.height) + " fill=\"#ffffff\"/>\n";
    append_title(svg, f, name, summary, levels);
    svg += "<rect" + xy("x", 0, "y", f.band) + xy("width", f.width, "height", f.height - f.band) +
           " fill=\"#ffffff\" stroke=\"#bbbbbb\" stroke-width=\"" + trimmed_decimals(f.hair, 3) + "\"/>\n";
    append_axis_numbers(svg, f);
    // Machine coordinates from here on: X right, Y up.
    svg += "<g transform=\"matrix(1 0 0 -1 " + trimmed_decimals(f.x(0), 3) + " " + trimmed_decimals(f.y(0), 3) + ")\">\n";
    append_grid(svg, f);
    append_rapids(picture, program, f.hair);
    append_cuts(picture, program, levels, summary.deepest_z, stroke);
    append_origin(svg, f);
    svg += "</g>\n";
    append_labels(picture, f, component_labels(program));
    svg += "</svg>\n";
    picture.finish();
}

std::string svg_picture(const std::string& name, const Program& program, const Summary& summary,
                        const PictureStyle& style) {
    std::string svg(kSvgDeclaration);
    draw_svg_element(name, program, summary, style, [&svg](std::string_view piece) { svg += piece; });
    return svg;
}

}  // namespace veskaro::preview
