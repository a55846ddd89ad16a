// A to-scale picture of one program: millimetres, Y up as on the machine.
//
// Cutting moves are solid, shaded by depth from light (near the surface) to
// dark (the program's deepest Z), deeper passes drawn over shallower ones;
// arcs are true circles; rapid moves are thin dashed lines.  A title gives
// the face name and the extents.
#pragma once

#include <string>
#include <string_view>

#include "toolpath/moves.h"
#include "preview/picture_text.h"
#include "preview/summary.h"

namespace veskaro::preview {

struct PictureStyle {
    // Width of the cutting strokes in mm: the bit's diameter shows the real
    // kerf; 0 draws thin lines.
    double bit_diameter = 0;
};

// The first line of a picture's file, before its <svg> element.
inline constexpr std::string_view kSvgDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// The <svg> element of the picture, handed to `sink` in pieces as it is
// drawn.
void draw_svg_element(const std::string& name, const toolpath::Program& program, const Summary& summary,
                      const PictureStyle& style, const TextSink& sink);

// The whole document, the declaration and the element, as one text.
std::string svg_picture(const std::string& name, const toolpath::Program& program, const Summary& summary,
                        const PictureStyle& style);

}  // namespace veskaro::preview
