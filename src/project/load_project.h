// Reading the project file into one JSON document.
#pragma once

#include <string>

#include "project/project_values.h"

namespace veskaro {

// Reads the first JSON value of the file; text after it is not examined.
// Throws RunError when the file cannot be read, holds no valid JSON, or its
// value is not an object.
Json load_project(const std::string& json_file);

}  // namespace veskaro
