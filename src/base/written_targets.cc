#include "base/written_targets.h"

#include "base/run_error.h"

namespace veskaro {

void WrittenTargets::claim(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code error;
    const std::filesystem::path key = std::filesystem::weakly_canonical(target, error);
    if (!claimed_.insert(error ? target : key).second) {
        throw RunError(source.string() + ": '" + target.string() + "' was already written by this run");
    }
}

}  // namespace veskaro
