#include "project/face_names.h"

#include "base/run_error.h"

namespace veskaro {

bool is_face_name(std::string_view member_name) { return member_name.find('_') != std::string_view::npos; }

std::string unusable_face_name_reason(const std::string& face_name) {
    // A separator would put the file in another folder; a NUL would cut the
    // name short.
    if (face_name.find('/') != std::string::npos || face_name.find('\\') != std::string::npos) {
        return "the name contains a path separator and cannot name a file in the output folder";
    }
    if (face_name.find('\0') != std::string::npos || has_control_character(face_name)) {
        return "the name contains a control character";
    }
    return {};
}

}  // namespace veskaro
