// The corner screws' holes and head recesses as the settings size them.
#pragma once

#include "check/findings.h"
#include "check/settings_rules.h"
#include "gcode/arguments.h"

namespace veskaro::check {

void check_screws(const Arguments& settings, const RunFacts& facts, Findings& findings);

}  // namespace veskaro::check
