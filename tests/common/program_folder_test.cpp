#include "common/program_folder.h"

#include <gtest/gtest.h>

#include "common/file_access.h"
#include "common/shipped_files.h"
#include "tests/support/scrambled_bytes.h"
#include "tests/support/temp_folder.h"

namespace tovek {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::WriteFile;

TEST(UserProgramFolder, FollowsXdgDataHomeWhenItIsAnAbsolutePath) {
    EXPECT_EQ(UserProgramFolder({"/data", "/home/u"}), fs::path("/data/tovek"));
    EXPECT_EQ(UserProgramFolder({"", "/home/u"}), fs::path("/home/u/.local/share/tovek"));
    EXPECT_EQ(UserProgramFolder({"relative", "/home/u"}), fs::path("/home/u/.local/share/tovek"));
    EXPECT_EQ(UserProgramFolder({"", ""}), fs::path());
}

TEST(PrepareProgramFolder, AProgramOutsideAnInstallationUsesItsOwnFolder) {
    TempFolder temp;
    const fs::path build = temp.Path() / "build" / "release";
    fs::create_directories(build);
    const PreparedProgramFolder prepared =
        PrepareProgramFolder(build, {"", (temp.Path() / "home").string()});
    EXPECT_EQ(prepared.folder, build);
    EXPECT_TRUE(prepared.problems.empty());
    EXPECT_FALSE(fs::exists(temp.Path() / "home"));
}

TEST(PrepareProgramFolder, AnInstalledProgramGetsAFilledPerUserFolder) {
    TempFolder temp;
    const fs::path bin = temp.Path() / "usr" / "bin";
    const fs::path shipped = ShippedFilesFolder(bin);
    EXPECT_EQ(shipped, temp.Path() / "usr" / "share" / "tovek");
    fs::create_directories(bin);
    fs::create_directories(shipped / "data");
    WriteFile(shipped / "Tovek.ini", "[Customize]\n");
    WriteFile(shipped / "data" / "m01.dat", "stage 1");
    const std::string home = (temp.Path() / "home").string();

    const PreparedProgramFolder prepared = PrepareProgramFolder(bin, {"", home});
    EXPECT_EQ(prepared.folder, temp.Path() / "home" / ".local" / "share" / "tovek");
    EXPECT_TRUE(prepared.problems.empty());
    EXPECT_TRUE(FileExists(prepared.folder / "Tovek.ini"));
    EXPECT_TRUE(FileExists(prepared.folder / "data" / "m01.dat"));

    const fs::path notAFolder = temp.Path() / "not-a-folder";
    WriteFile(notAFolder, "a file instead of a home folder");
    const PreparedProgramFolder failed = PrepareProgramFolder(bin, {"", notAFolder.string()});
    EXPECT_EQ(failed.folder, fs::path());
    ASSERT_FALSE(failed.problems.empty());
}

// Installed with the prefix ~/.local: the shipped files are the per-user
// folder, and only installing updates them.
TEST(PrepareProgramFolder, AProgramInstalledIntoThePerUserFolderKeepsWhatTheUserSaved) {
    TempFolder temp;
    const fs::path prefix = temp.Path() / "home" / ".local";
    const fs::path dist = temp.Path() / "dist";
    fs::create_directories(prefix / "bin");
    fs::create_directories(dist / "data");
    WriteFile(dist / "data" / "m01.dat", "stage 1");
    ASSERT_TRUE(SyncShippedFiles(dist, ShippedFilesFolder(prefix / "bin")).failures.empty());

    const UserEnvironment environment{"", (temp.Path() / "home").string()};
    const fs::path folder = PrepareProgramFolder(prefix / "bin", environment).folder;
    ASSERT_EQ(folder, prefix / "share" / "tovek");
    const std::string saved = "stage 1 as the user saved it";
    WriteFile(folder / "data" / "m01.dat", saved);
    PrepareProgramFolder(prefix / "bin", environment);  // a later start
    WriteFile(dist / "data" / "m01.dat", "stage 1, improved");
    SyncShippedFiles(dist, ShippedFilesFolder(prefix / "bin"));  // installing again
    EXPECT_EQ(ReadFileBytes(folder / "data" / "m01.dat"),
              std::vector<std::uint8_t>(saved.begin(), saved.end()));
}

}  // namespace
}  // namespace tovek
