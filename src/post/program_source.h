// A program held whole for the options that change its motion: its lines
// and the moves the toolpath reader reads from them, and the same lines
// rewritten for a controller.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "post/program_post.h"
#include "toolpath/moves.h"
#include "toolpath/program_file.h"

namespace veskaro {
class OutputFile;
}

namespace veskaro::post {

// Text is handed to the output file in pieces of about this size, so that a
// long program is never held twice in memory.
inline constexpr std::size_t kWriteChunk = 1 << 16;

struct ProgramSource {
    std::vector<std::string> lines;  // as the reader cut them
    toolpath::Program program;
};

// The lines of a program read once with its text.
ProgramSource source_of(toolpath::ProgramFile read);

// Reads the program at `path` once; throws toolpath::ProgramError for what
// the reader refuses and for a program post wrote, RunError when the file
// cannot be read.
ProgramSource read_source(const std::filesystem::path& path);

// The moves of `lines`, read again after a rewrite, so that what is
// written is what the reader takes.  Throws toolpath::ProgramError.
toolpath::Program read_lines(const std::vector<std::string>& lines);

// Writes `lines`, whose moves are `program`, for the controller into
// `file`; returns what was changed.  Throws toolpath::ProgramError.
PostCounts write_posted(const std::vector<std::string>& lines, const toolpath::Program& program,
                        const PostOptions& options, OutputFile& file);

}  // namespace veskaro::post
