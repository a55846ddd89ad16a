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

TEST(OutputFile, ALeftoverTemporaryNameIsReplaced) {
    TempFolder dir;
    dir.write(".Box_Main.nc." + std::to_string(getpid()) + ".tmp", "stale");
    OutputFile file(dir.path() + "/Box_Main.nc");
    file.write("M30 ; End of program\n");
    file.commit();
    EXPECT_EQ(list_folder(dir.path()), std::vector<std::string>{"Box_Main.nc"});
}

}  // namespace
