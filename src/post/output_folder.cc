#include "post/output_folder.h"

namespace veskaro::post {

std::filesystem::path default_folder(const toolpath::ProgramSet& set, const std::filesystem::path& path,
                                     Controller controller) {
    return (set.folder.empty() ? path.parent_path() : set.folder) / rules_of(controller).name;
}

}  // namespace veskaro::post
