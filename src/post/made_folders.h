// The folders made for the programs a run writes, taken away again when no
// program was written into them, so that a run leaves no empty controller
// folder behind.
#pragma once

#include <filesystem>
#include <vector>

namespace veskaro::post {

class MadeFolders {
public:
    // Makes `folder` and every missing folder above it.  Throws RunError
    // "cannot write '<folder>': <reason>".
    explicit MadeFolders(const std::filesystem::path& folder);
    MadeFolders(const MadeFolders&) = delete;
    MadeFolders& operator=(const MadeFolders&) = delete;

    // Keeps them: a program was written into them.
    void keep() { made_.clear(); }

    // Removes them, the innermost first, each only while it is empty.
    ~MadeFolders();

private:
    std::vector<std::filesystem::path> made_;  // the outermost first
};

}  // namespace veskaro::post
