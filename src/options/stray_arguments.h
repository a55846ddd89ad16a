// Arguments that no option reads.
#pragma once

#include <string>
#include <vector>

#include "options/option_table.h"

namespace veskaro {

// Throws OptionError naming the first of `stray` (the arguments the parser
// left unread, in order), if any.  A flag takes no value after a blank:
// "-c false" leaves "false" unread and the components on, so a stray
// switch value after a flag is refused with the spelling that works,
// "--components=false".
void refuse_stray_arguments(const std::vector<std::string>& stray, int argc, const char* const* argv,
                            const std::vector<OptionRow>& table);

}  // namespace veskaro
