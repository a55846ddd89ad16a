#include "post/finished_post.h"

#include <optional>

#include "post/outline_finish.h"
#include "post/outline_passes.h"
#include "post/program_source.h"

namespace veskaro::post {

std::string write_finished(const toolpath::ProgramFile& read, const std::filesystem::path& program,
                           const PostOptions& post, const FinishOptions& finish, OutputFile& file) {
    const ProgramSource source = source_of(read);
    const std::optional<Outline> outline = find_outline(source.program);
    if (!outline) throw FinishError(no_outline_text());
    const FinishedOutline finished = finish_outline(source.lines, *outline, finish, program.stem().string());
    const toolpath::Program moves = read_lines(finished.lines);
    return counts_text(write_posted(finished.lines, moves, post, file)) + finish_counts_text(finished.counts);
}

}  // namespace veskaro::post
