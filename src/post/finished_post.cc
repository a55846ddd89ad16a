#include "post/finished_post.h"

#include <optional>

#include "base/output_file.h"
#include "post/outline_finish.h"
#include "post/outline_passes.h"
#include "post/program_source.h"

namespace veskaro::post {

std::string post_finished(const std::filesystem::path& program, const std::filesystem::path& target,
                          const PostOptions& post, const FinishOptions& finish) {
    const ProgramSource source = read_source(program);
    const std::optional<Outline> outline = find_outline(source.program);
    if (!outline) throw FinishError(no_outline_text());
    const FinishedOutline finished =
        finish_outline(source.lines, source.program, *outline, finish, program.stem().string());
    const toolpath::Program moves = read_lines(finished.lines, program.string());
    OutputFile file(target.string());
    const PostCounts counts = write_posted(finished.lines, moves, post, file);
    file.commit();
    return counts_text(counts) + finish_counts_text(finished.counts);
}

}  // namespace veskaro::post
