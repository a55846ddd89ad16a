// index.html of a folder of programs: every face's picture with its summary,
// so a whole box can be checked at a glance in a browser.
#pragma once

#include <string>
#include <vector>

namespace veskaro::preview {

struct IndexEntry {
    std::string program;  // file name of the program, "Box_Main.nc"
    std::string picture;  // file name of its SVG; empty when it could not be drawn
    std::string summary;  // the summary line, or the reason it could not be read
    std::string svg;      // the SVG document itself, shown in the page
    std::string finished_picture;  // file name of the finished part's SVG, with --finished
    std::string finished_svg;      // and the document, shown beside the other
};

// `title` names the folder (the project).  The page is XHTML: well-formed XML
// that browsers read as HTML.  The pictures are part of the page, so that a
// switch on it (a check box and a style rule, no script) can hide their rapid
// moves; each links to its SVG file.  A face with a finished part shows its
// two pictures side by side.
std::string index_page(const std::string& title, const std::vector<IndexEntry>& entries);

}  // namespace veskaro::preview
