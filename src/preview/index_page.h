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
    std::string finished_picture;  // file name of the finished part's SVG, with --finished
};

// The page is XHTML: well-formed XML that browsers read as HTML.  The
// pictures are part of the page, so that a switch on it (a check box and a
// style rule, no script) can hide their rapid moves; each links to its SVG
// file; a face with a finished part shows its two pictures side by side, in
// a <div class="pair">.  It is written in parts, so that no picture is ever held whole:
//
//   index_start(title, entries)                 the table of every face
//   figure_start(1), <svg> element(s), figure_end(entries[0])
//   ...                                         (no element for a face not drawn)
//   index_end()
//
// `title` names the folder (the project); faces are numbered from 1.
std::string index_start(const std::string& title, const std::vector<IndexEntry>& entries);
std::string figure_start(std::size_t number);
std::string figure_end(const IndexEntry& entry);
std::string index_end();

}  // namespace veskaro::preview
