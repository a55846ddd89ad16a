// The comment after ";" on a program line, made safe for the controller and
// short enough for its line length.
#pragma once

#include <cstddef>
#include <string>

namespace veskaro::post {

// Replaces every byte GRBL would act on with "_": control bytes, bytes above
// 0x7E (a UTF-8 name such as "Ösen" carries 0x96, GRBL's rapid override to
// 50 %) and the real-time commands "!" (feed hold), "?" (status) and "~"
// (cycle start).  The bytes of one UTF-8 character become one "_".  Returns
// the number of bytes replaced.
int replace_realtime_bytes(std::string& comment);

// Replaces every control byte (below 0x20, and 0x7F) with "_", as LinuxCNC
// needs: a carriage return inside a comment would end the line there and
// make G-code of the rest.  Returns the number of bytes replaced.
int replace_control_bytes(std::string& comment);

// `code` with its comment (the text after ";") as one line of at most
// `longest` characters: a comment that does not fit is cut, at a character
// boundary, and ends in "...", or left out when not even that fits.  The
// words in `code` are never touched.  Sets `shortened` when the comment was
// cut or left out.
std::string line_with_comment(const std::string& code, const std::string& comment, std::size_t longest,
                              bool& shortened);

}  // namespace veskaro::post
