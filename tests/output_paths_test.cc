#include "cli/output_paths.h"

#include <gtest/gtest.h>

#include "base/run_error.h"
#include "project/face_names.h"

namespace {

using namespace veskaro;

TEST(OutputPaths, FolderBelowTheCurrentOneNamedAfterTheProjectStem) {
    EXPECT_EQ(output_folder("/w", ".", "box.json"), "/w/box");
    EXPECT_EQ(output_folder("/w", "out", "box.json"), "/w/out/box");
    // Relative folders are put in as typed, "./" and a trailing slash included.
    EXPECT_EQ(output_folder("/w", "./", "box.json"), "/w/.//box");
    EXPECT_EQ(output_folder("/w", "out/", "data/my.box.json"), "/w/out//my.box");
    // An absolute folder is taken as it stands.
    EXPECT_EQ(output_folder("/w", "/srv/cnc", "box"), "/srv/cnc/box");
    EXPECT_EQ(face_output_path("/w/box", "Panel_Main"), "/w/box/Panel_Main.nc");
    EXPECT_EQ(face_output_path("/w/box", "_"), "/w/box/_.nc");
}

TEST(OutputPaths, StemsThatWouldLeaveTheOutputFolder) {
    // ".." would be the output folder's parent, "." the folder itself.
    for (const char* json_file : {"...json", "..json", "in/...json", "in/"}) {
        EXPECT_THROW(output_folder("/w", "out", json_file), RunError) << json_file;
    }
    EXPECT_EQ(output_folder("/w", "out", "....json"), "/w/out/...");
    // An absolute folder needs no current folder.
    EXPECT_TRUE(is_absolute_folder("/srv/cnc"));
    EXPECT_FALSE(is_absolute_folder("srv/cnc"));
    EXPECT_EQ(output_folder("", "/srv/cnc", "box.json"), "/srv/cnc/box");
}

TEST(OutputPaths, FaceNamesThatCannotNameAFileInTheFolder) {
    EXPECT_TRUE(is_face_name("_"));
    EXPECT_FALSE(is_face_name("Generic"));
    EXPECT_EQ(unusable_face_name_reason("Box_Main"), "");
    EXPECT_EQ(unusable_face_name_reason(".._Main"), "");  // stays in the folder: ".._Main.nc"
    EXPECT_NE(unusable_face_name_reason("../x_Main"), "");
    EXPECT_NE(unusable_face_name_reason("a\\b_Main"), "");
    EXPECT_NE(unusable_face_name_reason(std::string("a\0b_Main", 8)), "");
    EXPECT_NE(unusable_face_name_reason("Box_Main\n"), "");
}

}  // namespace
