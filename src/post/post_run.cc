#include "post/post_run.h"

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "base/output_file.h"
#include "base/run_error.h"
#include "base/written_targets.h"
#include "post/finished_post.h"
#include "post/made_folders.h"
#include "post/outline_finish.h"
#include "post/output_folder.h"
#include "post/post_options.h"
#include "post/posted_header.h"
#include "post/program_source.h"
#include "post/sheet_run.h"
#include "toolpath/program_files.h"
#include "toolpath/program_file.h"

namespace veskaro::post {

using namespace toolpath;

namespace fs = std::filesystem;

namespace {

// A file as the system knows it, whatever its name: device and inode.
using FileIdentity = std::pair<dev_t, ino_t>;

std::optional<FileIdentity> identity_of(const fs::path& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}

class PostRun {
public:
    PostRun(const PostSettings& settings, const Console& console) : settings_(settings), console_(console) {}

    // Lists the programs at every path before anything is written, so that
    // no program is written over another program of the run, wherever it
    // stands in the command line.
    void list(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            Listed listed;
            try {
                listed.set = programs_at(path);
                for (const fs::path& program : listed.set.programs) {
                    if (const auto identity = identity_of(program)) inputs_.insert(*identity);
                }
            } catch (const PathError& e) {
                listed.error = e.what();
            }
            listed_.push_back(std::move(listed));
        }
    }

    // The programs at the n-th path.  Returns false when any was not written.
    bool path(std::size_t n, const std::string& path) {
        const Listed& listed = listed_[n];
        if (!listed.error.empty()) {
            print_error(console_, listed.error);
            return false;
        }
        const ProgramSet& set = listed.set;
        const fs::path folder = output_folder(set, path);
        bool all_written = true;
        for (const fs::path& program : set.programs) {
            fs::path name = program.stem();
            name += rules_of(settings_.post.controller).extension;
            try {
                if (!write(program, folder, folder / name)) all_written = false;
            } catch (const FolderError& e) {
                // No other program of the path could be written there either.
                print_error(console_, e.what());
                return false;
            }
        }
        return all_written;
    }

private:
    struct Listed {
        ProgramSet set;
        std::string error;  // the path names no program
    };

    // The output folder cannot be made.
    class FolderError : public RunError {
    public:
        using RunError::RunError;
    };

    fs::path output_folder(const ProgramSet& set, const fs::path& path) const {
        if (settings_.output_directory) return *settings_.output_directory;
        return default_folder(set, path, settings_.post.controller);
    }

    bool write(const fs::path& program, const fs::path& folder, const fs::path& target) {
        try {
            refuse_overwrite(program, target);
            const std::string summary = post_file(program, folder, target);
            console_.out << program.string() << " -> " << target.string() << ": " << summary << "\n";
            return true;
        } catch (const FinishError& e) {
            print_error(console_, program.string() + ": " + e.what());
        } catch (const ProgramError& e) {
            print_error(console_, program.string() + ":" + std::to_string(e.line()) + ": " + e.what());
        } catch (const FolderError&) {
            throw;
        } catch (const RunError& e) {
            print_error(console_, e.what());
        }
        return false;
    }

    // A program is never written over its own source, over another program
    // this run reads, nor over a program this run wrote from another source
    // (two faces of one name from two folders into one output folder).
    void refuse_overwrite(const fs::path& program, const fs::path& target) {
        std::error_code error;
        if (fs::equivalent(program, target, error)) {
            throw RunError(program.string() + ": the program would be written over itself");
        }
        const std::optional<FileIdentity> existing = identity_of(target);
        if (existing && inputs_.count(*existing) > 0) {
            throw RunError(program.string() + ": '" + target.string() + "' is another program this run reads");
        }
        targets_.claim(program, target);
    }

    // Reads the program once, whole, which refuses anything outside what
    // the generator writes before a byte is written; then rewrites the very
    // bytes that were read and checked, line by line, into the output file.
    // Returns what was changed, for the program's line.
    std::string post_file(const fs::path& program, const fs::path& folder, const fs::path& target) {
        const ProgramFile read = read_program_file(program.string(), KeepText::yes);
        refuse_posted(std::string_view(read.text).substr(0, read.text.find('\n')), program);
        std::optional<MadeFolders> made;
        try {
            made.emplace(folder);
        } catch (const RunError& e) {
            throw FolderError(e.what());
        }
        OutputFile file(target.string());
        if (changes_motion(settings_.finish)) {
            const std::string summary = write_finished(read, program, settings_.post, settings_.finish, file);
            file.commit();
            made->keep();
            return summary;
        }
        ProgramPost post(read.program, settings_.post);
        std::string out;
        std::int64_t lines = 0;
        for_each_line(read.text, [&](std::int64_t number, std::string_view text) {
            post.line(number, text, out);
            lines = number;
            if (out.size() >= kWriteChunk) {
                file.write(out);
                out.clear();
            }
        });
        post.finish(lines == 0 ? 1 : lines);
        file.write(out);
        file.commit();
        made->keep();
        return counts_text(post.counts());
    }

    const PostSettings& settings_;
    const Console& console_;
    std::vector<Listed> listed_;
    std::set<FileIdentity> inputs_;
    WrittenTargets targets_;
};

}  // namespace

int run_post(int argc, const char* const* argv, const Console& console) {
    PostSettings settings;
    const auto read = [&] { return read_post_command_line(argc, argv, program_name(argc, argv, "veskaro-post")); };
    if (const std::optional<int> status = take_command_line(console, read, settings)) return *status;
    if (settings.finish.sheet) return run_sheets(settings, console);
    PostRun run(settings, console);
    run.list(settings.paths);
    bool all_written = true;
    for (std::size_t n = 0; n < settings.paths.size(); ++n) {
        if (!run.path(n, settings.paths[n])) all_written = false;
    }
    console.out.flush();
    return all_written ? 0 : 1;
}

}  // namespace veskaro::post
