#include "base/written_targets.h"

#include "base/run_error.h"

namespace veskaro {

void WrittenTargets::claim(const std::filesystem::path& source, const std::filesystem::path& target) {
    // By its absolute path, with the links of the folders resolved: a
    // relative path that does not exist yet would otherwise stay relative,
    // and differ from the same file's path once it exists.
    std::error_code error;
    std::filesystem::path key = std::filesystem::absolute(target, error);
    if (!error) key = std::filesystem::weakly_canonical(key, error);
    if (!claimed_.insert(error ? target : key).second) {
        throw RunError(source.string() + ": '" + target.string() + "' was already written by this run");
    }
}

}  // namespace veskaro
