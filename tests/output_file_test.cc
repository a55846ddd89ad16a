#include "base/output_file.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "support/process.h"

namespace {

using veskaro::OutputFile;
using namespace veskaro::testing;

TEST(OutputFile, AppearsWholeOnlyOnCommit) {
    TempFolder dir;
    const std::string target = dir.write("Box_Main.nc", "old program\n");
    {
        OutputFile file(target);
        file.write("G21 ; Set units to mm\n");
        // Not committed: the old program stays and nothing else is left.
    }
    EXPECT_EQ(read_file(target), "old program\n");
    EXPECT_EQ(list_folder(dir.path()), std::vector<std::string>{"Box_Main.nc"});

    OutputFile file(target);
    file.write("G21 ; Set units to mm\n");
    file.write("M30 ; End of program\n");
    file.commit();
    EXPECT_EQ(read_file(target), "G21 ; Set units to mm\nM30 ; End of program\n");
    EXPECT_EQ(list_folder(dir.path()), std::vector<std::string>{"Box_Main.nc"});
}

// Another run's temporary file is that run's to finish, whatever its
// process id; and two files for one target at once each put their own
// text in place.
TEST(OutputFile, TemporaryFilesOfOtherRunsAreLeftAlone) {
    TempFolder dir;
    const std::string other = ".Box_Main.nc." + std::to_string(getpid()) + ".tmp";
    dir.write(other, "another run's program");
    const std::string target = dir.path() + "/Box_Main.nc";
    OutputFile first(target);
    OutputFile second(target);
    first.write("G0 X1 ; first\n");
    second.write("G0 X2 ; second\n");
    first.commit();
    EXPECT_EQ(read_file(target), "G0 X1 ; first\n");
    second.commit();
    EXPECT_EQ(read_file(target), "G0 X2 ; second\n");
    EXPECT_EQ(list_folder(dir.path()), (std::vector<std::string>{other, "Box_Main.nc"}));
    EXPECT_EQ(read_file(dir.path() + "/" + other), "another run's program");
}

}  // namespace
