#include "preview/component_labels.h"

#include <string_view>
#include <unordered_map>

#include "base/decimal_text.h"
#include "toolpath/arc.h"
#include "toolpath/component_names.h"
#include "preview/markup.h"

namespace veskaro::preview {

using namespace toolpath;

namespace {

// The labels in the order the program first cuts them, and where each name
// stands among them: a program may name tens of thousands of components,
// and each name is looked up in constant time.
class Labels {
public:
    ComponentLabel& named(std::string_view name) {
        const auto [found, added] = index_.try_emplace(std::string(name), labels_.size());
        if (added) labels_.push_back({std::string(name), {}});
        return labels_[found->second];
    }
    std::vector<ComponentLabel> take() { return std::move(labels_); }

private:
    std::vector<ComponentLabel> labels_;
    std::unordered_map<std::string, std::size_t> index_;
};

}  // namespace

std::vector<ComponentLabel> component_labels(const Program& program) {
    Labels labels;
    ComponentOfMoves component;
    std::string_view named;           // the name of `label`
    ComponentLabel* label = nullptr;  // valid until the next name is added
    for (const Move& move : program.moves) {
        const std::string_view name = component.next(move);
        if (name.empty() || !is_cutting(move)) continue;
        if (label == nullptr || name != named) {
            label = &labels.named(name);
            named = name;
        }
        if (is_arc(move)) {
            add_arc(label->area, move);
        } else {
            label->area.add(move.from.x, move.from.y);
            label->area.add(move.to.x, move.to.y);
        }
    }
    return labels.take();
}

void append_labels(PictureText& picture, const Frame& f, const std::vector<ComponentLabel>& labels) {
    std::string& svg = picture.text;
    const double size = f.font * 0.45;
    svg += "<g class=\"names\" font-family=\"sans-serif\" font-size=\"" + trimmed_decimals(size, 3) +
           "\" text-anchor=\"middle\" fill=\"#000\" stroke=\"#fff\" stroke-width=\"" + trimmed_decimals(size * 0.25, 3) +
           "\" stroke-linejoin=\"round\" paint-order=\"stroke\">\n";
    for (const ComponentLabel& label : labels) {
        const double x = (label.area.min_x + label.area.max_x) / 2;
        const double y = (label.area.min_y + label.area.max_y) / 2;
        svg += "<text x=\"" + trimmed_decimals(f.x(x), 3) + "\" y=\"" + trimmed_decimals(f.y(y) + size * 0.35, 3) + "\">" + xml_escaped(label.name) +
               "</text>\n";
        picture.spill();
    }
    svg += "</g>\n";
}

}  // namespace veskaro::preview
