#include "preview/picture_key.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/decimal_text.h"
#include "preview/markup.h"
#include "preview/picture_axes.h"

namespace veskaro::preview {

using namespace toolpath;

namespace {

constexpr double kKeyPerMm = 10000;

// Width of `text` at `size`, roughly, for placing what follows it.
double text_width(const std::string& text, double size) { return static_cast<double>(text.size()) * size * 0.6; }

}  // namespace

namespace {

long level_key(const Move& move) { return std::lround(-std::min(move.from.z, move.to.z) * kKeyPerMm); }

}  // namespace

DepthLevels depth_levels(const Program& program) {
    // Counted first, so that the list takes no more room than it needs.
    std::size_t cutting = 0;
    for (const Move& move : program.moves) cutting += is_cutting(move) ? 1 : 0;
    DepthLevels levels;
    levels.moves.reserve(cutting);
    for (auto it = program.moves.begin(); it != program.moves.end(); ++it) {
        if (is_cutting(*it)) levels.moves.emplace_back(level_key(*it), it.index());
    }
    std::sort(levels.moves.begin(), levels.moves.end());
    for (std::size_t n = 0; n < levels.moves.size(); ++n) {
        const long key = levels.moves[n].first;
        if (levels.levels.empty() || levels.levels.back().key != key) levels.levels.push_back({key, n, 0});
        ++levels.levels.back().count;
    }
    return levels;
}

double level_z(long key) { return -static_cast<double>(key) / kKeyPerMm; }

std::string depth_colour(double z, double deepest_z) {
    const double light[] = {158, 202, 225};
    const double dark[] = {8, 48, 107};
    const double t = deepest_z < 0 ? std::clamp(z / deepest_z, 0.0, 1.0) : 1.0;
    int channel[3];
    for (int i = 0; i < 3; ++i) channel[i] = static_cast<int>(std::lround(light[i] + (dark[i] - light[i]) * t));
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", channel[0], channel[1], channel[2]);
    return text;
}

void append_key(std::string& svg, const Frame& f, const DepthLevels& levels, double deepest_z, double baseline) {
    const double size = f.font * 0.5;
    double x = f.margin;
    const auto words = [&](const std::string& text) {
        svg += "<text x=\"" + trimmed_decimals(x, 3) + "\" y=\"" + trimmed_decimals(baseline, 3) + "\" font-size=\"" + trimmed_decimals(size, 3) + "\">" +
               xml_escaped(text) + "</text>\n";
        x += text_width(text, size) + size * 0.4;
    };
    const std::vector<DepthLevel>& list = levels.levels;
    if (!list.empty()) {
        words("cut to Z " + trimmed_decimals(level_z(list.front().key), 3));
        // At most 24 swatches, however many levels: every level's shade
        // lies between the first and the last.
        const double swatch = size * 8 / static_cast<double>(std::min<std::size_t>(list.size(), 24));
        const std::size_t stride = (list.size() + 23) / 24;
        std::size_t n = 0;
        for (const DepthLevel& level : list) {
            if (n++ % stride != 0 && n != list.size()) continue;
            svg += "<rect x=\"" + trimmed_decimals(x, 3) + "\" y=\"" + trimmed_decimals(baseline - size * 0.8, 3) + "\" width=\"" + trimmed_decimals(swatch, 3) +
                   "\" height=\"" + trimmed_decimals(size, 3) + "\" fill=\"" + depth_colour(level_z(level.key), deepest_z) + "\"/>\n";
            x += swatch;
        }
        x += size * 0.4;
        words("Z " + trimmed_decimals(level_z(list.back().key), 3) + " mm;");
    }
    const double dash = f.hair * 0.6;
    svg += "<line x1=\"" + trimmed_decimals(x, 3) + "\" y1=\"" + trimmed_decimals(baseline - size * 0.3, 3) + "\" x2=\"" + trimmed_decimals(x + size * 2, 3) +
           "\" y2=\"" + trimmed_decimals(baseline - size * 0.3, 3) + "\" stroke=\"#d62728\" stroke-width=\"" + trimmed_decimals(dash, 3) +
           "\" stroke-dasharray=\"" + trimmed_decimals(dash * 5, 3) + " " + trimmed_decimals(dash * 4, 3) + "\"/>\n";
    x += size * 2.4;
    words("rapid moves;");
    svg += origin_marker(x + size * 0.5, baseline - size * 0.3, size * 0.3, f.hair);
    x += size * 1.3;
    words("origin X0 Y0");
}

}  // namespace veskaro::preview
