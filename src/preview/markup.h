// Text for SVG and HTML files: escaped character data and attribute values,
// and file names as relative links.  Lengths in them are millimetres with at
// most three decimals, trimmed_decimals(value, 3).
#pragma once

#include <string>
#include <string_view>

namespace veskaro::preview {

// `text` with &, <, >, " and ' replaced by entities, and bytes that XML does
// not allow (control characters, broken UTF-8) replaced by "?".
std::string xml_escaped(std::string_view text);

// A file name as a relative link: every byte outside letters, digits and
// "-._~" percent-encoded, so spaces, "#" and "?" stay part of the name.
std::string link_to(std::string_view file_name);

}  // namespace veskaro::preview
