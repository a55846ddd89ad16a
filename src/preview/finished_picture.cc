#include "preview/finished_picture.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/decimal_text.h"
#include "preview/component_labels.h"
#include "preview/finished_text.h"
#include "preview/markup.h"
#include "preview/picture_axes.h"
#include "preview/picture_frame.h"
#include "preview/picture_key.h"

namespace veskaro::preview {

using namespace simulate;

namespace {

// A length in the picture, in millimetres with at most three decimals.
std::string length(double value) { return trimmed_decimals(value, 3); }

const char* const kMaterial = "#ead7b0";
const char* const kEdge = "#6b4f1d";
const char* const kBridge = "#ff8c1a";
const char* const kWarning = "#d62728";

std::string path_data(const std::vector<Contour>& contours) {
    std::string d;
    for (const Contour& contour : contours) {
        for (std::size_t n = 0; n < contour.size(); ++n) {
            d += (n == 0 ? "M" : " L") + length(contour[n].x) + " " + length(contour[n].y);
        }
        d += " Z ";
    }
    if (!d.empty()) d.pop_back();
    return d;
}

std::string path(const std::vector<Contour>& contours, const std::string& attributes) {
    if (contours.empty()) return {};
    return "<path d=\"" + path_data(contours) + "\"" + attributes + "/>\n";
}

// The finding's place, a little larger than what it is about, so that a
// wall of no width still shows.
Box marked(const Finding& finding, double pad) {
    const Box& w = finding.where;
    return {w.min_x - pad, w.min_y - pad, w.max_x + pad, w.max_y + pad};
}

void append_part(std::string& svg, const CutSheet& sheet, const Part& part, double hair) {
    const PartShapes& shapes = part.shapes;
    const std::string edge = " stroke=\"" + std::string(kEdge) + "\" stroke-width=\"" + length(hair) + "\"";
    svg += "<g class=\"part\"><desc>" + xml_escaped(hold_text(part)) + "</desc>\n";
    svg += path(shapes.outline, " fill=\"" + std::string(kMaterial) + "\" fill-rule=\"evenodd\"" + edge);
    for (const DepthShape& pocket : shapes.pockets) {
        svg += path(pocket.contours, " fill=\"" + depth_colour(-pocket.depth, -sheet.settings.thickness) +
                                         "\" fill-rule=\"evenodd\"");
    }
    for (const std::vector<Contour>& hole : shapes.holes) {
        svg += path(hole, " fill=\"#ffffff\" fill-rule=\"evenodd\"" + edge);
    }
    for (const std::vector<Contour>& bridge : shapes.bridges) {
        svg += path(bridge, " fill=\"" + std::string(kBridge) + "\" fill-rule=\"evenodd\" stroke=\"#a04000\" "
                            "stroke-width=\"" + length(hair) + "\"");
    }
    svg += "</g>\n";
}

void append_findings(std::string& svg, const Analysis& analysis, const Frame& f) {
    if (analysis.findings.empty()) return;
    const double width = f.hair * 1.5;
    svg += "<g class=\"findings\" fill=\"none\" stroke=\"" + std::string(kWarning) + "\" stroke-width=\"" +
           length(width) + "\" stroke-dasharray=\"" + length(width * 4) + " " + length(width * 2) + "\">\n";
    for (const Finding& finding : analysis.findings) {
        const Box box = marked(finding, f.font * 0.15);
        svg += "<rect x=\"" + length(box.min_x) + "\" y=\"" + length(box.min_y) + "\" width=\"" + length(box.width()) +
               "\" height=\"" + length(box.height()) + "\"><title>" + xml_escaped(finding.text) + "</title></rect>\n";
    }
    svg += "</g>\n";
}

// The numbers of the findings beside their marks, in picture coordinates.
void append_finding_numbers(std::string& svg, const Analysis& analysis, const Frame& f) {
    if (analysis.findings.empty()) return;
    const double size = f.font * 0.45;
    svg += "<g class=\"finding-numbers\" font-family=\"sans-serif\" font-size=\"" + length(size) + "\" fill=\"" +
           kWarning + "\" stroke=\"#fff\" stroke-width=\"" + length(size * 0.25) +
           "\" stroke-linejoin=\"round\" paint-order=\"stroke\">\n";
    for (std::size_t n = 0; n < analysis.findings.size(); ++n) {
        const Box box = marked(analysis.findings[n], f.font * 0.15);
        svg += "<text x=\"" + length(f.x(box.max_x) + size * 0.2) + "\" y=\"" + length(f.y(box.max_y) + size * 0.3) +
               "\">" + std::to_string(n + 1) + "<title>" + xml_escaped(analysis.findings[n].text) +
               "</title></text>\n";
    }
    svg += "</g>\n";
}

void append_finished_title(std::string& svg, const Frame& f, const std::string& name, const CutSheet& sheet,
                  const Analysis& analysis, const std::string& in_words) {
    const double size = f.font * 0.6;
    const auto text = [&](double x, double y, double height, const std::string& attributes, const std::string& s) {
        svg += "<text x=\"" + length(x) + "\" y=\"" + length(y) + "\" font-size=\"" + length(height) + "\"" + attributes + ">" +
               xml_escaped(s) + "</text>\n";
    };
    const std::size_t count = analysis.findings.size();
    svg += "<title>" + xml_escaped(name + ": " + in_words) + "</title>\n";
    svg += "<g font-family=\"sans-serif\" fill=\"#222\">\n";
    text(f.margin, f.font * 1.3, f.font, " font-weight=\"bold\"", name + " (finished)");
    text(f.margin, f.font * 2.4, size, "", in_words);
    text(f.margin, f.font * 3.3, size, count == 0 ? "" : " fill=\"" + std::string(kWarning) + "\"",
         count == 0 ? "no findings"
                    : std::to_string(count) + (count == 1 ? " finding" : " findings") + ", marked and numbered in red");
    // The key: the material, the pockets' depths, holes, bridges, findings.
    const double key = f.font * 0.5;
    const double baseline = f.font * 4.3;
    double x = f.margin;
    const auto swatch = [&](const std::string& fill, const std::string& stroke) {
        svg += "<rect x=\"" + length(x) + "\" y=\"" + length(baseline - key * 0.8) + "\" width=\"" + length(key * 1.6) +
               "\" height=\"" + length(key) + "\" fill=\"" + fill + "\" stroke=\"" + stroke + "\" stroke-width=\"" +
               length(f.hair) + "\"/>\n";
        x += key * 2;
    };
    const auto words = [&](const std::string& s) {
        text(x, baseline, key, "", s);
        x += static_cast<double>(s.size()) * key * 0.6 + key * 0.6;
    };
    swatch(kMaterial, kEdge);
    words("part;");
    std::vector<double> pockets;
    for (double depth : analysis.depths) {
        if (depth > 0 && depth < sheet.settings.thickness - 1e-4) pockets.push_back(depth);
    }
    if (pockets.size() == 1) {
        words("pockets");
        swatch(depth_colour(-pockets.front(), -sheet.settings.thickness), "none");
        words("Z " + length(-pockets.front()) + " mm;");
    } else if (!pockets.empty()) {
        words("pockets Z " + length(-pockets.front()));
        const std::size_t stride = (pockets.size() + 11) / 12;
        for (std::size_t n = 0; n < pockets.size(); n += stride) {
            swatch(depth_colour(-pockets[n], -sheet.settings.thickness), "none");
            x -= key * 0.4;
        }
        x += key * 0.4;
        words("Z " + length(-pockets.back()) + " mm;");
    }
    swatch("#ffffff", kEdge);
    words("hole;");
    swatch(kBridge, "#a04000");
    words("bridge or skin;");
    svg += "<rect x=\"" + length(x) + "\" y=\"" + length(baseline - key * 0.8) + "\" width=\"" + length(key * 1.6) +
           "\" height=\"" + length(key) + "\" fill=\"none\" stroke=\"" + kWarning + "\" stroke-width=\"" +
           length(f.hair * 1.5) + "\" stroke-dasharray=\"" + length(f.hair * 6) + " " + length(f.hair * 3) + "\"/>\n";
    x += key * 2;
    words("finding;");
    svg += origin_marker(x + key * 0.5, baseline - key * 0.3, key * 0.3, f.hair);
    x += key * 1.3;
    words("origin X0 Y0");
    svg += "</g>\n";
}

}  // namespace

std::string finished_picture(const std::string& name, const Summary& summary, const CutSheet& sheet,
                             const Analysis& analysis, const std::string& words,
                             const std::vector<toolpath::PanelMark>& panels) {
    const Frame f = frame_for(summary);
    const double pixels = std::min(1000 / f.width, 800 / f.height);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + length(std::round(f.width * pixels)) +
           "\" height=\"" + length(std::round(f.height * pixels)) + "\" viewBox=\"0 0 " + length(f.width) + " " +
           length(f.height) + "\">\n";
    svg += "<rect width=\"" + length(f.width) + "\" height=\"" + length(f.height) + "\" fill=\"#ffffff\"/>\n";
    append_finished_title(svg, f, name, sheet, analysis, words);
    svg += "<rect x=\"0\" y=\"" + length(f.band) + "\" width=\"" + length(f.width) + "\" height=\"" + length(f.height - f.band) +
           "\" fill=\"#ffffff\" stroke=\"#bbbbbb\" stroke-width=\"" + length(f.hair) + "\"/>\n";
    append_axis_numbers(svg, f);
    svg += "<g transform=\"matrix(1 0 0 -1 " + length(f.x(0)) + " " + length(f.y(0)) + ")\">\n";
    append_grid(svg, f);
    for (const Part& part : analysis.parts) append_part(svg, sheet, part, f.hair);
    append_findings(svg, analysis, f);
    append_origin(svg, f);
    svg += "</g>\n";
    std::vector<ComponentLabel> labels;
    for (std::size_t n = 0; n < panels.size() && n < analysis.parts.size(); ++n) {
        const Box& box = analysis.parts[n].box;
        toolpath::Extents area;
        area.add(box.min_x, box.min_y);
        area.add(box.max_x, box.max_y);
        labels.push_back({panels[n].name, area});
    }
    for (const Part& part : analysis.parts) {
        for (const Hole& hole : part.holes) {
            if (hole.components.empty()) continue;
            std::string text;
            for (const std::string& component : hole.components) {
                if (!text.empty()) text += ", ";
                text += component;
            }
            toolpath::Extents area;
            area.add(hole.box.min_x, hole.box.min_y);
            area.add(hole.box.max_x, hole.box.max_y);
            labels.push_back({text, area});
        }
    }
    PictureText names([&svg](std::string_view piece) { svg += piece; });
    append_labels(names, f, labels);
    names.finish();
    append_finding_numbers(svg, analysis, f);
    svg += "</svg>\n";
    return svg;
}

}  // namespace veskaro::preview
