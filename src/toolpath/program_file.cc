#include "toolpath/program_file.h"

#include <fstream>

#include "base/input_file.h"

namespace veskaro::toolpath {

namespace {

// Reads the lines of a program as its bytes arrive, into its moves.
class WholeReader {
public:
    explicit WholeReader(KeepText keep) : keep_(keep) {}

    void add(std::string_view bytes) {
        if (keep_ == KeepText::yes) file_.text.append(bytes);
        guarded([&] { lines_.add(bytes, [this](std::int64_t n, std::string_view text) { line(n, text); }); });
    }

    ProgramFile finish() {
        guarded([&] { lines_.finish([this](std::int64_t n, std::string_view text) { line(n, text); }); });
        reader_.finish(lines_.count() == 0 ? 1 : lines_.count());
        file_.program.dwell_seconds = reader_.dwell_seconds();
        return std::move(file_);
    }

private:
    template <typename Work>
    void guarded(Work&& work) {
        try {
            work();
        } catch (const LineError& error) {
            throw ProgramError(number_ != 0 ? number_ : lines_.next_line(), error.what());
        }
    }

    void line(std::int64_t number, std::string_view text) {
        number_ = number;
        LineRead read = reader_.line(number, text);
        if (read.exponent) file_.program.exponent_lines.push_back(number);
        if (read.move) file_.program.moves.push_back(*read.move);
        if (read.panel) file_.program.panels.push_back(std::move(*read.panel));
        number_ = 0;
    }

    KeepText keep_;
    ProgramLines lines_;
    ProgramReader reader_;
    ProgramFile file_;
    std::int64_t number_ = 0;  // the line being read; 0 between lines
};

// Bytes are read in pieces of this size.
constexpr std::size_t kPiece = 1 << 16;

ProgramFile read_stream(std::istream& in, const std::string& file, KeepText keep) {
    WholeReader reader(keep);
    std::string piece(kPiece, '\0');
    while (in) {
        in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got > 0) reader.add(std::string_view(piece.data(), got));
    }
    if (in.bad()) fail_reading(file);
    return reader.finish();
}

}  // namespace

Program read_program(std::istream& in, const std::string& file) { return read_stream(in, file, KeepText::no).program; }

ProgramFile read_program_file(const std::string& path, KeepText keep) {
    std::ifstream in = open_input(path);
    return read_stream(in, path, keep);
}

ProgramFile read_program_text(std::string_view bytes, KeepText keep) {
    WholeReader reader(keep);
    reader.add(bytes);
    return reader.finish();
}

}  // namespace veskaro::toolpath
