#include "common/shipped_files.h"

#include <gtest/gtest.h>

#include <string>

#include "common/file_access.h"
#include "common/sha256.h"
#include "tests/support/scrambled_bytes.h"
#include "tests/support/temp_folder.h"

namespace tovek {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::WriteFile;

std::string Sha256Of(std::string_view text) {
    return Sha256Hex({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::string ReadText(const fs::path& path) {
    const auto bytes = ReadFileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "(missing)";
}

// Messages of one and two final blocks, several blocks, and a long input.
TEST(Sha256, GivesTheStandardDigests) {
    EXPECT_EQ(Sha256Of(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Of("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Of("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Sha256Of("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmno"
                       "ijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu"),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
    EXPECT_EQ(Sha256Of(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

class SyncShippedFilesTest : public ::testing::Test {
  protected:
    SyncShippedFilesTest() {
        fs::create_directories(shipped_ / "data");
        WriteFile(shipped_ / "Tovek.ini", "[Customize]\n");
        WriteFile(shipped_ / "data" / "m01.dat", "stage 1");
    }
    ShippedFilesSync Sync() { return SyncShippedFiles(shipped_, folder_); }

    TempFolder temp_;
    const fs::path shipped_ = temp_.Path() / "share" / "tovek";
    const fs::path folder_ = temp_.Path() / "user" / "tovek";
};

TEST_F(SyncShippedFilesTest, FirstSyncMakesTheFolderAndRecordsWhatItCopied) {
    const ShippedFilesSync sync = Sync();
    EXPECT_TRUE(sync.kept.empty());
    EXPECT_TRUE(sync.failures.empty());
    EXPECT_EQ(ReadText(folder_ / "Tovek.ini"), "[Customize]\n");
    EXPECT_EQ(ReadText(folder_ / "data" / "m01.dat"), "stage 1");
    // One "NAME SHA256" line a file, sorted, as build folders have always kept it.
    EXPECT_EQ(
        ReadText(folder_ / kShippedFilesManifest),
        "Tovek.ini " + Sha256Of("[Customize]\n") + "\ndata/m01.dat " + Sha256Of("stage 1") + "\n");
}

TEST_F(SyncShippedFilesTest, NeverReplacesAChangedFileButUpdatesAndAddsTheOthers) {
    Sync();
    WriteFile(folder_ / "data" / "m01.dat", "stage 1 as the user saved it");
    WriteFile(folder_ / "data" / "hscore.dat", "records");
    // A newer package: every shipped file changed, and a stage was added.
    WriteFile(shipped_ / "Tovek.ini", "[Customize]\nTitle=Tovek\n");
    WriteFile(shipped_ / "data" / "m01.dat", "stage 1, improved");
    WriteFile(shipped_ / "data" / "m02.dat", "stage 2");
    for (int start = 0; start < 2; ++start) {
        const ShippedFilesSync sync = Sync();
        EXPECT_EQ(sync.kept, std::vector<std::string>{"data/m01.dat"});
        EXPECT_TRUE(sync.failures.empty());
        EXPECT_EQ(ReadText(folder_ / "data" / "m01.dat"), "stage 1 as the user saved it");
        EXPECT_EQ(ReadText(folder_ / "Tovek.ini"), "[Customize]\nTitle=Tovek\n");
        EXPECT_EQ(ReadText(folder_ / "data" / "m02.dat"), "stage 2");
        EXPECT_EQ(ReadText(folder_ / "data" / "hscore.dat"), "records");
    }
    // The same package again: the changed stage still stays.
    WriteFile(shipped_ / "data" / "m01.dat", "stage 1, improved again");
    EXPECT_EQ(Sync().kept, std::vector<std::string>{"data/m01.dat"});
    EXPECT_EQ(ReadText(folder_ / "data" / "m01.dat"), "stage 1 as the user saved it");
}

TEST_F(SyncShippedFilesTest, ReportsWhatItCouldNotCopyAndCopiesTheRest) {
    fs::create_directories(folder_);
    WriteFile(folder_ / "data", "a file where the stage folder belongs");
    const ShippedFilesSync sync = Sync();
    ASSERT_EQ(sync.failures.size(), 1u);
    EXPECT_NE(sync.failures[0].find((folder_ / "data" / "m01.dat").string()), std::string::npos);
    EXPECT_EQ(ReadText(folder_ / "data"), "a file where the stage folder belongs");
    EXPECT_EQ(ReadText(folder_ / "Tovek.ini"), "[Customize]\n");
}

}  // namespace
}  // namespace tovek
