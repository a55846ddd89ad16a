// Text for SVG and HTML files: escaped character data and attribute values,
// lengths with three decimals, and file names as relative links.
#pragma once

#include <string>
#include <string_view>

namespace veskaro::preview {

// `text` with &, <, >, " and ' replaced by entities, and bytes that XML does
// not allow (control characters, broken UTF-8) replaced by "?".
std::string xml_escaped(std::string_view text);

// A length in millimetres with at most three decimals: 12.5, -0.125, 200.
std::string mm(double value);

// A file name as a relative link: every byte outside letters, digits and
// "-._~" percent-encoded, so spaces, "#" and "?" stay part of the name.
std::string link_to(std::string_view file_name);

}  // namespace veskaro::preview
