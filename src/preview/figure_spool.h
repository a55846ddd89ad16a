// The figures of a folder's index page, kept in a temporary file until the
// page is written: the page's table of every face comes before the figures,
// and the figures hold the pictures, which are never held whole in memory.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "base/output_file.h"

namespace veskaro::preview {

class FigureSpool {
public:
    // `page` is the index page's path, for the error.
    explicit FigureSpool(std::string page);
    ~FigureSpool();
    FigureSpool(const FigureSpool&) = delete;
    FigureSpool& operator=(const FigureSpool&) = delete;

    // Never throws: the first failure is kept for copy_to(), and the
    // pictures are drawn all the same.
    void write(std::string_view text);
    // Where the text so far ends, and a return to there (a picture that
    // could not be written takes its element out of the page again).
    long mark();
    void return_to(long mark);

    // Appends everything written to `page`.  Throws RunError "cannot write
    // '<page>': <reason>" for a failure here or before.
    void copy_to(OutputFile& page);

private:
    void fail(int error);

    std::string page_;
    std::FILE* file_ = nullptr;
    int error_ = 0;
};

}  // namespace veskaro::preview
