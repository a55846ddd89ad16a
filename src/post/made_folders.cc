#include "post/made_folders.h"

#include <unistd.h>

#include "base/run_error.h"

namespace veskaro::post {

namespace fs = std::filesystem;

MadeFolders::MadeFolders(const fs::path& folder) {
    std::vector<fs::path> missing;
    std::error_code error;
    for (fs::path at = folder; !at.empty() && !fs::exists(at, error); at = at.parent_path()) {
        missing.insert(missing.begin(), at);
        if (at == at.parent_path()) break;
    }
    fs::create_directories(folder, error);
    if (error) throw RunError("cannot write '" + folder.string() + "': " + error.message());
    made_ = std::move(missing);
}

MadeFolders::~MadeFolders() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) rmdir(it->c_str());
}

}  // namespace veskaro::post
