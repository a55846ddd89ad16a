#include "preview/figure_spool.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/run_error.h"

namespace veskaro::preview {

FigureSpool::FigureSpool(std::string page) : page_(std::move(page)) {
    // Unnamed: it disappears with the process, however the run ends.
    file_ = std::tmpfile();
    if (file_ == nullptr) fail(errno);
}

FigureSpool::~FigureSpool() {
    if (file_ != nullptr) std::fclose(file_);
}

void FigureSpool::fail(int error) {
    if (error_ == 0) error_ = error != 0 ? error : EIO;
}

void FigureSpool::write(std::string_view text) {
    if (error_ != 0 || text.empty()) return;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) fail(errno);
}

long FigureSpool::mark() {
    if (error_ != 0) return 0;
    const long at = std::ftell(file_);
    if (at < 0) fail(errno);
    return at;
}

void FigureSpool::return_to(long mark) {
    if (error_ != 0) return;
    if (std::fflush(file_) != 0 || ftruncate(fileno(file_), mark) != 0 || std::fseek(file_, mark, SEEK_SET) != 0) {
        fail(errno);
    }
}

void FigureSpool::copy_to(OutputFile& page) {
    if (error_ == 0 && (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0)) fail(errno);
    char piece[1 << 16];
    while (error_ == 0) {
        const std::size_t got = std::fread(piece, 1, sizeof piece, file_);
        page.write(std::string_view(piece, got));
        if (got < sizeof piece) {
            if (std::ferror(file_)) fail(errno);
            break;
        }
    }
    if (error_ != 0) throw RunError("cannot write '" + page_ + "': " + std::strerror(error_));
}

}  // namespace veskaro::preview
