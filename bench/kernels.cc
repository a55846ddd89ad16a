// The formatting and line-building kernels: the real line builder (number
// text rounded from the float's exact value in integers, std::to_chars for
// the rare rest, all into one buffer handed on in blocks) against
// the straightforward formulation (a new string stream for every number,
// every line its own string in a vector).  Both build the same lines from
// the same numbers; the bytes are checked to be equal before anything is
// timed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "gcode/number_text.h"
#include "gcode/program_lines.h"
#include "reference_text.h"

namespace {

// The numbers of one tool position: a circle start, its radius and depth,
// and the two ends of a recess row.
struct Sample {
    float x, y, r, z, x2, y2;
};

constexpr float kFeed = 1200.0f;
constexpr std::size_t kSamples = 1024;
// Per sample: the four lines of one recess circle (fixed form) and the two
// lines of one recess row (general form), about the mix of a pocketing
// program.
constexpr std::size_t kLinesPerSample = 6;

// Positions on a 600 x 400 mm panel with arbitrary single-precision bits,
// as the geometry leaves them; the same on every run.
std::vector<Sample> make_samples() {
    std::uint64_t state = 12345;
    auto next = [&state]() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<double>((z ^ (z >> 31)) >> 11) / 9007199254740992.0;  // [0, 1)
    };
    std::vector<Sample> samples(kSamples);
    for (Sample& s : samples) {
        s.x = static_cast<float>(600 * next());
        s.y = static_cast<float>(400 * next());
        s.r = static_cast<float>(20 * next());
        s.z = -static_cast<float>(0.05 * static_cast<int>(1 + 40 * next()));
        s.x2 = s.x + static_cast<float>(30 * next());
        s.y2 = s.y + static_cast<float>(30 * next() - 15);
    }
    return samples;
}

const std::vector<Sample>& samples() {
    static const std::vector<Sample> all = make_samples();
    return all;
}

// The kernels print nothing; a stream without a buffer drops the text.
const veskaro::Console& dropped_console() {
    static std::ostream dropped(nullptr);
    static const veskaro::Console console{dropped, dropped};
    return console;
}

void build_with_program_lines(const std::vector<Sample>& in, veskaro::ProgramLines& lines) {
    for (const Sample& s : in) {
        lines.text("G0 X").fixed(s.x + s.r).text(" Y").fixed(s.y)
            .text(" ; Move to the start of the circle (right side)").end_line();
        lines.text("G1 Z").fixed(s.z).text(" F").fixed(kFeed).text(" ; Start cutting down to ").fixed(s.z)
            .text("mm").end_line();
        lines.text("G2 X").fixed(s.x + s.r).text(" Y").fixed(s.y).text(" I").fixed(-s.r).text(" J0 F")
            .fixed(kFeed).text(" ; Cut a circle").end_line();
        lines.text("G0 Z5 ; Lift to safe height after cutting").end_line();
        lines.text("G1 X").general(s.x).text(" Y").general(s.y).text(" F").general(kFeed)
            .text(" ; Recess forward pass").end_line();
        lines.text("G1 X").general(s.x2).text(" Y").general(s.y2).text(" F").general(kFeed)
            .text(" ; Recess forward pass end").end_line();
    }
}

void build_with_streams(const std::vector<Sample>& in, std::vector<std::string>& lines) {
    using veskaro::reference::format_float_as_str;
    using veskaro::reference::general_form;
    auto fixed = [](float v) { return format_float_as_str(static_cast<double>(v), 2); };
    for (const Sample& s : in) {
        lines.push_back("G0 X" + fixed(s.x + s.r) + " Y" + fixed(s.y) +
                        " ; Move to the start of the circle (right side)");
        lines.push_back("G1 Z" + fixed(s.z) + " F" + fixed(kFeed) + " ; Start cutting down to " + fixed(s.z) + "mm");
        lines.push_back("G2 X" + fixed(s.x + s.r) + " Y" + fixed(s.y) + " I" + fixed(-s.r) + " J0 F" + fixed(kFeed) +
                        " ; Cut a circle");
        lines.push_back("G0 Z5 ; Lift to safe height after cutting");
        lines.push_back("G1 X" + general_form(s.x) + " Y" + general_form(s.y) + " F" + general_form(kFeed) +
                        " ; Recess forward pass");
        lines.push_back("G1 X" + general_form(s.x2) + " Y" + general_form(s.y2) + " F" + general_form(kFeed) +
                        " ; Recess forward pass end");
    }
}

std::string builder_text() {
    std::string text;
    veskaro::ProgramLines lines(dropped_console(), [&text](std::string_view block) { text.append(block); });
    build_with_program_lines(samples(), lines);
    lines.finish();
    return text;
}

std::string stream_text() {
    std::vector<std::string> lines;
    build_with_streams(samples(), lines);
    std::string text;
    for (const std::string& line : lines) text.append(line).append("\n");
    return text;
}

void BM_Lines_Builder(benchmark::State& state) {
    const std::size_t bytes = builder_text().size();
    std::size_t handed_on = 0;
    // No line bound: the kernel runs as long as the timer wants.
    veskaro::ProgramLines lines(dropped_console(), [&handed_on](std::string_view block) { handed_on += block.size(); },
                                std::numeric_limits<std::uint64_t>::max());
    for (auto _ : state) {
        build_with_program_lines(samples(), lines);
        lines.finish();
        benchmark::DoNotOptimize(handed_on);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSamples * kLinesPerSample));
}

void BM_Lines_StreamPerNumber(benchmark::State& state) {
    const std::size_t bytes = stream_text().size();
    for (auto _ : state) {
        std::vector<std::string> lines;
        build_with_streams(samples(), lines);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSamples * kLinesPerSample));
}

// Number text alone: three numbers per sample, the builder's text against a
// new stream for each.
void BM_Fixed_Builder(benchmark::State& state) {
    std::string out;
    std::size_t bytes = 0;
    for (auto _ : state) {
        out.clear();
        for (const Sample& s : samples()) {
            veskaro::append_fixed2(out, s.x);
            veskaro::append_fixed2(out, s.y);
            veskaro::append_fixed2(out, s.z);
        }
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_Fixed_Stream(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const Sample& s : samples()) {
            bytes += veskaro::reference::format_float_as_str(s.x, 2).size();
            bytes += veskaro::reference::format_float_as_str(s.y, 2).size();
            bytes += veskaro::reference::format_float_as_str(s.z, 2).size();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_General_Builder(benchmark::State& state) {
    std::string out;
    std::size_t bytes = 0;
    for (auto _ : state) {
        out.clear();
        for (const Sample& s : samples()) {
            veskaro::append_general(out, s.x);
            veskaro::append_general(out, s.y);
            veskaro::append_general(out, s.z);
        }
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_General_Stream(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const Sample& s : samples()) {
            bytes += veskaro::reference::general_form(s.x).size();
            bytes += veskaro::reference::general_form(s.y).size();
            bytes += veskaro::reference::general_form(s.z).size();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

BENCHMARK(BM_Lines_Builder);
BENCHMARK(BM_Lines_StreamPerNumber);
BENCHMARK(BM_Fixed_Builder);
BENCHMARK(BM_Fixed_Stream);
BENCHMARK(BM_General_Builder);
BENCHMARK(BM_General_Stream);

}  // namespace

int main(int argc, char** argv) {
    // The two formulations must write the same bytes, or the ratio means nothing.
    const std::string ours = builder_text();
    const std::string theirs = stream_text();
    if (ours != theirs) {
        std::size_t at = 0;
        while (at < ours.size() && at < theirs.size() && ours[at] == theirs[at]) ++at;
        std::fprintf(stderr, "kernels: the line builder and the stream formulation differ at byte %zu\n", at);
        return 1;
    }
    std::printf("kernels: both formulations write the same %zu bytes (%zu lines)\n", ours.size(),
                kSamples * kLinesPerSample);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
