#include "preview/component_labels.h"

#include <string_view>

#include "base/decimal_text.h"
#include "toolpath/arc.h"
#include "toolpath/component_names.h"
#include "preview/markup.h"

namespace veskaro::preview {

using namespace toolpath;

namespace {

ComponentLabel& label_named(std::vector<ComponentLabel>& labels, std::string_view name) {
    for (ComponentLabel& label : labels) {
        if (label.name == name) return label;
    }
    labels.push_back({std::string(name), {}});
    return labels.back();
}

}  // namespace

std::vector<ComponentLabel> component_labels(const Program& program) {
    std::vector<ComponentLabel> labels;
    const std::vector<std::string_view> names = component_of_moves(program);
    for (std::size_t n = 0; n < program.moves.size(); ++n) {
        const Move& move = program.moves[n];
        if (names[n].empty() || !is_cutting(move)) continue;
        ComponentLabel& label = label_named(labels, names[n]);
        if (is_arc(move)) {
            add_arc(label.area, move);
        } else {
            label.area.add(move.from.x, move.from.y);
            label.area.add(move.to.x, move.to.y);
        }
    }
    return labels;
}

void append_labels(std::string& svg, const Frame& f, const std::vector<ComponentLabel>& labels) {
    const double size = f.font * 0.45;
    svg += "<g class=\"names\" font-family=\"sans-serif\" font-size=\"" + trimmed_decimals(size, 3) +
           "\" text-anchor=\"middle\" fill=\"#000\" stroke=\"#fff\" stroke-width=\"" + trimmed_decimals(size * 0.25, 3) +
           "\" stroke-linejoin=\"round\" paint-order=\"stroke\">\n";
    for (const ComponentLabel& label : labels) {
        const double x = (label.area.min_x + label.area.max_x) / 2;
        const double y = (label.area.min_y + label.area.max_y) / 2;
        svg += "<text x=\"" + trimmed_decimals(f.x(x), 3) + "\" y=\"" + trimmed_decimals(f.y(y) + size * 0.35, 3) + "\">" + xml_escaped(label.name) +
               "</text>\n";
    }
    svg += "</g>\n";
}

}  // namespace veskaro::preview
