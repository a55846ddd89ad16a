// Whether a line as written moves the tool as the line as read: the check
// that every line veskaro-post writes, read back by the reader, makes the
// move it was written for.  Numbers rewritten in plain decimals are rounded
// to four decimals, so each coordinate may move by half a ten-thousandth of
// a millimetre, and no more; an arc must keep its radius above 0 and its
// length.
#pragma once

#include <string>

#include "toolpath/move.h"

namespace veskaro::post {

// Empty when `written` is `read` within the rounding, with `feed` its feed
// rate (0 for a rapid move); else what changed, for the error line.
std::string motion_change(const toolpath::Move& read, const toolpath::Move& written, double feed);

}  // namespace veskaro::post
