// The files one run writes, so that no two of its inputs write the same file
// (two faces of one name from two folders into one output folder, x.ngc and
// x.ngc.nc drawn to one picture): the second would silently replace the
// first.
#pragma once

#include <filesystem>
#include <set>

namespace veskaro {

class WrittenTargets {
public:
    // Claims `target` for `source`.  Throws RunError "<source>: '<target>'
    // was already written by this run" when it was claimed before, by
    // whichever name.
    void claim(const std::filesystem::path& source, const std::filesystem::path& target);

private:
    std::set<std::filesystem::path> claimed_;
};

}  // namespace veskaro
