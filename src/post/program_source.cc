#include "post/program_source.h"

#include <fstream>
#include <sstream>

#include "base/input_file.h"
#include "base/output_file.h"
#include "post/posted_header.h"
#include "toolpath/program_reader.h"

namespace veskaro::post {

using namespace toolpath;

namespace {

std::string joined_lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

}  // namespace

ProgramSource read_source(const std::filesystem::path& path) {
    std::ifstream in = open_input(path.string());
    ProgramSource source;
    for (std::string line; std::getline(in, line);) source.lines.push_back(std::move(line));
    if (in.bad()) fail_reading(path.string());
    source.program = read_lines(source.lines, path.string());
    if (!source.lines.empty()) refuse_posted(source.lines.front(), path);
    return source;
}

Program read_lines(const std::vector<std::string>& lines, const std::string& name) {
    std::istringstream text(joined_lines(lines));
    return read_program(text, name);
}

PostCounts write_posted(const std::vector<std::string>& lines, const Program& program, const PostOptions& options,
                        OutputFile& file) {
    ProgramPost post(program, options);
    std::string out;
    int number = 0;
    for (const std::string& line : lines) {
        post.line(++number, line, out);
        if (out.size() >= kWriteChunk) {
            file.write(out);
            out.clear();
        }
    }
    file.write(out);
    return post.counts();
}

}  // namespace veskaro::post
