// The project's top-level members: faces the generator will not see, the
// box size it will not find, keys of "Generic" it does not read.
#pragma once

#include "check/findings.h"
#include "project/project_values.h"

namespace veskaro::check {

void check_project_members(const Json& project, Findings& findings);

}  // namespace veskaro::check
