#include "preview/finished_text.h"

#include "base/decimal_text.h"
#include "base/run_error.h"

namespace veskaro::preview {

using namespace simulate;

namespace {

// Two decimals; a value that rounds to zero prints as 0.00, not -0.00.
std::string fixed2(double value) { return fixed_decimals_zero_unsigned(value, 2); }

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string names(const std::vector<std::string>& components) {
    if (components.empty()) return "-";
    std::string text;
    for (const std::string& name : components) {
        if (!text.empty()) text += '+';
        text += escape_name(name);
    }
    return text;
}

std::string measure(const char* kind, const std::string& name, double cx, double cy, double width, double height,
                 double area, double min_depth, double max_depth) {
    return std::string(kind) + "\t" + name + "\t" + fixed2(cx) + "\t" + fixed2(cy) + "\t" + fixed2(width) + "\t" +
           fixed2(height) + "\t" + fixed2(area) + "\t" + fixed2(min_depth) + "\t" + fixed2(max_depth);
}

std::string box_measure(const char* kind, const std::string& name, const Box& box, double area, double min_depth,
                     double max_depth) {
    return measure(kind, name, box.centre_x(), box.centre_y(), box.width(), box.height(), area, min_depth, max_depth);
}

}  // namespace

std::string hold_text(const Part& part) {
    switch (part.hold) {
        case Hold::freed: return "freed";
        case Hold::bridges: return "held by " + counted(part.bridges.size(), "bridge", "bridges");
        case Hold::skin: return "NOT cut free: " + fixed2(part.skin ? part.skin->height : 0) + " mm skin";
        case Hold::none: return "NOT cut free: no cut around it";
    }
    return {};
}

std::string finished_text(const Analysis& analysis) {
    const Part& part = analysis.parts.front();
    std::string text = "finished";
    if (part.hold == Hold::none) {
        text += ": ";
    } else {
        text += ' ';
        text += fixed2(part.box.width());
        text += " x ";
        text += fixed2(part.box.height());
        text += " mm, ";
    }
    return text + hold_text(part) + ", " + counted(part.holes.size(), "hole", "holes") + ", " +
           counted(part.pockets.size(), "pocket", "pockets");
}

std::vector<std::string> measure_lines(const Analysis& analysis) {
    std::vector<std::string> lines;
    for (const Part& part : analysis.parts) {
        double deepest = 0;
        for (const Pocket& pocket : part.pockets) deepest = std::max(deepest, pocket.max_depth);
        lines.push_back(box_measure("part", hold_text(part), part.box, part.area, 0, deepest));
        for (const Hole& hole : part.holes) {
            lines.push_back(box_measure("hole", names(hole.components), hole.box, hole.area, hole.min_depth,
                                     hole.max_depth));
        }
        for (const Pocket& pocket : part.pockets) {
            lines.push_back(box_measure("pocket", names(pocket.components), pocket.box, pocket.area, pocket.min_depth,
                                     pocket.max_depth));
        }
        // A bridge's width runs along the cut, its height is the material
        // left above the sheet's bottom.
        for (const Bridge& bridge : part.bridges) {
            lines.push_back(measure("bridge", "-", bridge.box.centre_x(), bridge.box.centre_y(), bridge.width,
                                 bridge.height, bridge.area, bridge.min_depth, bridge.max_depth));
        }
        if (part.skin) {
            lines.push_back(box_measure("skin", fixed2(part.skin->height) + " mm", part.skin->box, part.skin->area,
                                     part.skin->min_depth, part.skin->max_depth));
        }
    }
    for (const Finding& finding : analysis.findings) {
        lines.push_back(box_measure("finding", escape_name(finding.text), finding.where, 0, finding.min_depth,
                                 finding.max_depth));
    }
    return lines;
}

}  // namespace veskaro::preview
