#include "options/option_number.h"

#include <sstream>

namespace veskaro {

bool read_whole_number(const std::string& text, float& value) {
    std::stringstream in(text);
    in >> value;
    // The stream stops at the first character that cannot continue the
    // number; only the end of the text may stop it.
    return !in.fail() && in.eof();
}

}  // namespace veskaro
