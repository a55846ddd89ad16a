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
    // A part held by tabs is marked, so that the preview finds it however
    // it is held; a part cut free needs no mark, and its program stays the
    // generator's but for the outline's numbers.
    const std::optional<std::string> mark =
        finish.tabs > 0 ? std::optional<std::string>(program.stem().string()) : std::nullopt;
    const FinishedOutline finished = finish_outline(source.lines, *outline, finish, mark);
    const toolpath::Program moves = read_lines(finished.lines);
    return counts_text(write_posted(finished.lines, moves, post, file)) + finish_counts_text(finished.counts);
}

}  // namespace veskaro::post
