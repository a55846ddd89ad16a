// End-to-end: whole projects compared with programs checked in beside them,
// every byte of every file and every progress line.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/process.h"

namespace {

using namespace veskaro::testing;
namespace fs = std::filesystem;

struct Golden {
    const char* name;          // folder under tests/fixtures
    const char* project;       // project file, relative to the source tree
    const char* project_name;  // name under which it is run
    const char* output;        // output folder below the run folder
};

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> all;
    for (std::string word; in >> word;) all.push_back(word);
    return all;
}

std::string replace_all(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

class GoldenProject : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenProject, EveryFileAndProgressLineAsCheckedIn) {
    const Golden& golden = GetParam();
    const std::string fixture = std::string(VESKARO_SOURCE_DIR) + "/tests/fixtures/" + golden.name;
    TempFolder dir;
    dir.write(golden.project_name, read_file(std::string(VESKARO_SOURCE_DIR) + "/" + golden.project));

    const Outcome run = run_generator(words(read_file(fixture + "/args.txt")), dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string report_end = "======================\n";
    const std::string progress = run.out.substr(run.out.find(report_end) + report_end.size());
    EXPECT_EQ(progress, replace_all(read_file(fixture + "/expected/console.txt"), "@DIR@", dir.path()));

    const std::string stem = fs::path(golden.project_name).stem().string();
    const std::string produced = dir.path() + "/" + golden.output + "/" + stem;
    std::vector<std::string> expected_files;
    for (const auto& name : list_folder(fixture + "/expected")) {
        if (name.size() > 3 && name.substr(name.size() - 3) == ".nc") expected_files.push_back(name);
    }
    EXPECT_EQ(list_folder(produced), expected_files);
    for (const auto& name : expected_files) {
        EXPECT_EQ(read_file(produced + "/" + name), read_file(fixture + "/expected/" + name)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Projects, GoldenProject,
    ::testing::Values(Golden{"every_section", "tests/fixtures/every_section/project.json", "project.json", "."},
                      Golden{"enclosure", "examples/enclosure.json", "enclosure.json", "out"}),
    [](const ::testing::TestParamInfo<Golden>& info) { return std::string(info.param.name); });

}  // namespace
