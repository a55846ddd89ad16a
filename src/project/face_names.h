// Which top-level members of a project are faces, and the face names that
// cannot name a program file.
#pragma once

#include <string>
#include <string_view>

namespace veskaro {

// A member whose name contains "_" is a face; any other is not read as one.
bool is_face_name(std::string_view member_name);

// Empty when the face name can be a file name in the output folder;
// otherwise why it cannot.
std::string unusable_face_name_reason(const std::string& face_name);

}  // namespace veskaro
