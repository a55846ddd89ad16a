// The comment a sheet program carries before each panel's outline: where
// the panel's lower left corner lies on the sheet, whether it is turned,
// its size and its name.  veskaro-post writes it; the reader keeps it, so
// that the simulation finds every panel of the sheet.  The name comes last,
// where a controller's line length may shorten it.
//
//   Outline at 12.00, 8.00, 160.00 x 100.00 mm: Enclosure_Main
//   Outline at 182.24, 88.24, turned, 66.00 x 106.00 mm: Enclosure_Left
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veskaro::toolpath {

struct PanelMark {
    std::string name;  // as a controller may have shortened it
    double x = 0;  // the face's lower left corner on the sheet, mm
    double y = 0;
    bool turned = false;  // a quarter turn counter-clockwise
    double width = 0;     // of the face, as it lies unturned
    double height = 0;

    // The middle of the panel on the sheet.
    double centre_x() const { return x + (turned ? height : width) / 2; }
    double centre_y() const { return y + (turned ? width : height) / 2; }
};

// "Enclosure_Main at 12.00, 8.00", with ", turned" when it is: the comment
// before a panel's inner cuts.  The name is written as given.
std::string panel_place_text(const PanelMark& mark);

// The comment before its outline.
std::string panel_mark_text(const PanelMark& mark);

// The mark a comment (the text after ";", without the spaces around it)
// holds, or nothing.
std::optional<PanelMark> read_panel_mark(std::string_view comment);

}  // namespace veskaro::toolpath
