#include "preview/preview_run.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "gcode/output_file.h"
#include "preview/index_page.h"
#include "preview/preview_options.h"
#include "preview/program_files.h"
#include "preview/program_reader.h"
#include "preview/summary.h"
#include "preview/svg_picture.h"
#include "project/run_error.h"

namespace veskaro::preview {

namespace fs = std::filesystem;

namespace {

int option_error(const std::string& message) {
    std::cerr << "Error: " << message << "\n\n";
    std::cerr << "Use --help for usage information." << std::endl;
    return 1;
}

void write_file(const fs::path& path, const std::string& text) {
    OutputFile file(path.string());
    file.write(text);
    file.commit();
}

// Reads, summarises and draws one program.  The entry's picture stays empty
// when that failed; the reason is on the error stream and in the summary.
IndexEntry preview_program(const fs::path& path, const PreviewSettings& settings) {
    IndexEntry entry{path.filename().string(), "", ""};
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) throw RunError("cannot read '" + path.string() + "'");
        const Program program = read_program(in);
        for (int line : program.exponent_lines) {
            std::cerr << "Warning: " << path.string() << ":" << line
                      << ": a number written with an exponent; most controllers refuse it" << std::endl;
        }
        const Summary summary = summarise(program, settings.rapid_rate);
        const fs::path picture = picture_path(path);
        write_file(picture, svg_picture(path.stem().string(), program, summary, {settings.bit_diameter}));
        entry.picture = picture.filename().string();
        entry.summary = summary_text(summary);
        if (settings.tsv) {
            std::cout << path.string() << "\t" << summary_tsv(summary) << "\n";
        } else {
            std::cout << path.string() << ": " << entry.summary << "\n";
        }
    } catch (const ProgramError& e) {
        entry.summary = "line " + std::to_string(e.line()) + ": " + e.what();
        std::cout.flush();
        std::cerr << "Error: " << path.string() << ":" << e.line() << ": " << e.what() << std::endl;
    } catch (const RunError& e) {
        entry.summary = e.what();
        std::cout.flush();
        std::cerr << "Error: " << e.what() << std::endl;
    }
    return entry;
}

std::string folder_title(const fs::path& folder) {
    const fs::path full = fs::absolute(folder).lexically_normal();
    const fs::path name = full.has_filename() ? full.filename() : full.parent_path().filename();
    return name.empty() ? full.string() : name.string();
}

}  // namespace

int run_preview(int argc, const char* const* argv) {
    PreviewSettings settings;
    try {
        const std::string name = argc > 0 && argv[0] ? fs::path(argv[0]).filename().string() : "veskaro-preview";
        cxxopts::Options options = make_preview_options(name);
        const cxxopts::ParseResult parsed = options.parse(argc, argv);
        if (parsed.count("help") > 0) {
            std::cout << options.help() << std::endl;
            return 0;
        }
        settings = read_preview_settings(parsed);
    } catch (const cxxopts::exceptions::exception& e) {
        return option_error(e.what());
    } catch (const PreviewSettingError& e) {
        return option_error(e.what());
    }

    if (settings.tsv) std::cout << "program\t" << summary_tsv_header() << "\n";
    bool all_drawn = true;
    for (const std::string& path : settings.paths) {
        ProgramSet set;
        try {
            set = programs_at(path);
        } catch (const PathError& e) {
            std::cout.flush();
            std::cerr << "Error: " << e.what() << std::endl;
            all_drawn = false;
            continue;
        }
        std::vector<IndexEntry> entries;
        for (const fs::path& program : set.programs) {
            entries.push_back(preview_program(program, settings));
            if (entries.back().picture.empty()) all_drawn = false;
        }
        if (set.folder.empty()) continue;
        const fs::path index = set.folder / "index.html";
        try {
            write_file(index, index_page(folder_title(set.folder), entries));
            if (!settings.tsv) std::cout << "Index: " << index.string() << "\n";
        } catch (const RunError& e) {
            std::cout.flush();
            std::cerr << "Error: " << e.what() << std::endl;
            all_drawn = false;
        }
    }
    std::cout.flush();
    return all_drawn ? 0 : 1;
}

}  // namespace veskaro::preview
