#include "post/post_run.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>

#include "base/input_file.h"
#include "base/output_file.h"
#include "base/run_error.h"
#include "post/post_options.h"
#include "post/posted_header.h"
#include "toolpath/program_files.h"
#include "toolpath/program_reader.h"

namespace veskaro::post {

using namespace toolpath;

namespace fs = std::filesystem;

namespace {

// Text is handed to the output file in pieces of about this size, so that a
// long program is never held twice in memory.
constexpr std::size_t kWriteChunk = 1 << 16;

// A program post wrote already would get a second spindle start and stop.
void refuse_posted(std::string_view first_line, const fs::path& program) {
    if (const std::optional<Controller> posted = posted_for(first_line, program)) {
        throw ProgramError(1, std::string("already written for ") + rules_of(*posted).title +
                                  " by veskaro-post, as its first line and its extension say; rewrite the "
                                  "generator's program instead");
    }
}

// Reads the program once whole, which refuses anything outside what the
// generator writes before a byte is written, then line by line into the
// output file.
PostCounts post_file(const fs::path& program, const fs::path& target, const PostOptions& options) {
    std::ifstream whole = open_input(program.string());
    const Program read = read_program(whole, program.string());
    ProgramPost post(read, options);
    std::ifstream lines = open_input(program.string());
    OutputFile file(target.string());
    std::string out;
    std::string text;
    for (int number = 1; std::getline(lines, text); ++number) {
        if (number == 1) refuse_posted(text, program);
        post.line(number, text, out);
        if (out.size() >= kWriteChunk) {
            file.write(out);
            out.clear();
        }
    }
    if (lines.bad()) fail_reading(program.string());
    file.write(out);
    file.commit();
    return post.counts();
}

class PostRun {
public:
    PostRun(const PostSettings& settings, const Console& console) : settings_(settings), console_(console) {}

    // The programs at one path.  Returns false when any was not written.
    bool path(const std::string& path) {
        ProgramSet set;
        fs::path folder;
        try {
            set = programs_at(path);
            folder = output_folder(set, path);
        } catch (const PathError& e) {
            print_error(console_, e.what());
            return false;
        } catch (const RunError& e) {
            print_error(console_, e.what());
            return false;
        }
        bool all_written = true;
        for (const fs::path& program : set.programs) {
            fs::path name = program.stem();
            name += rules_of(settings_.post.controller).extension;
            if (!write(program, folder / name)) all_written = false;
        }
        return all_written;
    }

private:
    fs::path output_folder(const ProgramSet& set, const fs::path& path) const {
        fs::path folder;
        if (settings_.output_directory) {
            folder = *settings_.output_directory;
        } else {
            folder = (set.folder.empty() ? path.parent_path() : set.folder) / rules_of(settings_.post.controller).name;
        }
        std::error_code error;
        fs::create_directories(folder, error);
        if (error) throw RunError("cannot write '" + folder.string() + "': " + error.message());
        return folder;
    }

    bool write(const fs::path& program, const fs::path& target) {
        try {
            refuse_overwrite(program, target);
            const PostCounts counts = post_file(program, target, settings_.post);
            console_.out << program.string() << " -> " << target.string() << ": " << counts_text(counts) << "\n";
            return true;
        } catch (const ProgramError& e) {
            print_error(console_, program.string() + ":" + std::to_string(e.line()) + ": " + e.what());
        } catch (const RunError& e) {
            print_error(console_, e.what());
        }
        return false;
    }

    // A program is never written over its own source, nor over a program
    // this run wrote from another source (two faces of one name from two
    // folders into one output folder).
    void refuse_overwrite(const fs::path& program, const fs::path& target) {
        std::error_code error;
        if (fs::equivalent(program, target, error)) {
            throw RunError(program.string() + ": the program would be written over itself");
        }
        const fs::path key = fs::weakly_canonical(target, error);
        if (!written_.insert(error ? target : key).second) {
            throw RunError(program.string() + ": '" + target.string() + "' was already written by this run");
        }
    }

    const PostSettings& settings_;
    const Console& console_;
    std::set<fs::path> written_;
};

}  // namespace

int run_post(int argc, const char* const* argv, const Console& console) {
    PostSettings settings;
    const auto read = [&] { return read_post_command_line(argc, argv, program_name(argc, argv, "veskaro-post")); };
    if (const std::optional<int> status = take_command_line(console, read, settings)) return *status;
    PostRun run(settings, console);
    bool all_written = true;
    for (const std::string& path : settings.paths) {
        if (!run.path(path)) all_written = false;
    }
    console.out.flush();
    return all_written ? 0 : 1;
}

}  // namespace veskaro::post
