#include "post/program_source.h"

#include <string_view>

#include "base/output_file.h"
#include "post/posted_header.h"
#include "toolpath/program_lines.h"

namespace veskaro::post {

using namespace toolpath;

ProgramSource source_of(ProgramFile read) {
    ProgramSource source;
    for_each_line(read.text, [&](std::int64_t, std::string_view line) { source.lines.emplace_back(line); });
    source.program = std::move(read.program);
    return source;
}

ProgramSource read_source(const std::filesystem::path& path) {
    ProgramFile read = read_program_file(path.string(), KeepText::yes);
    refuse_posted(std::string_view(read.text).substr(0, read.text.find('\n')), path);
    return source_of(std::move(read));
}

Program read_lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return read_program_text(text, KeepText::no).program;
}

PostCounts write_posted(const std::vector<std::string>& lines, const Program& program, const PostOptions& options,
                        OutputFile& file) {
    ProgramPost post(program, options);
    std::string out;
    std::int64_t number = 0;
    for (const std::string& line : lines) {
        post.line(++number, line, out);
        if (out.size() >= kWriteChunk) {
            file.write(out);
            out.clear();
        }
    }
    post.finish(number == 0 ? 1 : number);
    file.write(out);
    return post.counts();
}

}  // namespace veskaro::post
