#include "common/file_access.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <vector>

#include "tests/support/failing_step.h"
#include "tests/support/scrambled_bytes.h"
#include "tests/support/temp_folder.h"

namespace tovek {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::WriteFile;

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
    const fs::path folder = ProgramFolder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_TRUE(FileExists(folder / "common_tests"));
}

TEST(ResolveIgnoringCase, TakesTheRealNameOfEveryExistingComponent) {
    TempFolder base;
    fs::create_directories(base.Path() / "Stages" / "SET1");
    WriteFile(base.Path() / "Stages" / "SET1" / "M01.DAT", "x");
    EXPECT_EQ(ResolveIgnoringCase(base.Path(), "stages/set1/m01.dat"),
              base.Path() / "Stages" / "SET1" / "M01.DAT");
}

TEST(ResolveIgnoringCase, KeepsUnmatchedComponentsAsWritten) {
    TempFolder base;
    fs::create_directories(base.Path() / "DATA");
    EXPECT_EQ(ResolveIgnoringCase(base.Path(), "data/hscore.dat"),
              base.Path() / "DATA" / "hscore.dat");
    EXPECT_EQ(ResolveIgnoringCase(base.Path(), "new/Sub/m01.dat"),
              base.Path() / "new" / "Sub" / "m01.dat");
}

TEST(ResolveIgnoringCase, ChoosesTheSameEntryWhateverTheListingOrder) {
    TempFolder base;
    WriteFile(base.Path() / "TOVEK.INI", "a");
    WriteFile(base.Path() / "Tovek.Ini", "b");
    EXPECT_EQ(ResolveIgnoringCase(base.Path(), "tovek.ini"), base.Path() / "TOVEK.INI");
    EXPECT_EQ(ResolveIgnoringCase(base.Path(), "Tovek.Ini"), base.Path() / "Tovek.Ini");
}

TEST(ResolveIgnoringCase, MatchesOnlyAsciiLettersLoosely) {
    TempFolder base;
    WriteFile(base.Path() / "m1_.dat", "x");
    EXPECT_EQ(ResolveIgnoringCase(base.Path(), "M1_.DAT"), base.Path() / "m1_.dat");
    EXPECT_EQ(ResolveIgnoringCase(base.Path(), "m1-.dat"), base.Path() / "m1-.dat");
}

TEST(FolderSettingToRelativePath, BackslashesAndSlashesSeparateFolders) {
    EXPECT_EQ(FolderSettingToRelativePath("data"), fs::path("data"));
    EXPECT_EQ(FolderSettingToRelativePath("stages\\set1"), fs::path("stages") / "set1");
    EXPECT_EQ(FolderSettingToRelativePath("stages/set1\\"), fs::path("stages") / "set1");
    EXPECT_EQ(FolderSettingToRelativePath("a\\\\b"), fs::path("a") / "b");
}

TEST(FolderSettingToRelativePath, NeverLeavesTheProgramFolderByALeadingSeparator) {
    EXPECT_FALSE(FolderSettingToRelativePath("\\stages").is_absolute());
    EXPECT_FALSE(FolderSettingToRelativePath("/etc").is_absolute());
    EXPECT_EQ(FolderSettingToRelativePath("/etc"), fs::path("etc"));
    EXPECT_TRUE(FolderSettingToRelativePath("\\").empty());
}

TEST(FileExists, IsTrueForFilesOnly) {
    TempFolder folder;
    WriteFile(folder.Path() / "file", "x");
    fs::create_directory(folder.Path() / "folder");
    EXPECT_TRUE(FileExists(folder.Path() / "file"));
    EXPECT_FALSE(FileExists(folder.Path() / "folder"));
    EXPECT_FALSE(FileExists(folder.Path() / "missing"));
}

TEST(ReadFileBytes, ReadsTheWholeFile) {
    TempFolder folder;
    std::vector<std::uint8_t> content(200000);
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<std::uint8_t>(i * 7);
    WriteFile(folder.Path() / "big", content);
    EXPECT_EQ(ReadFileBytes(folder.Path() / "big"), content);
    WriteFile(folder.Path() / "empty", "");
    EXPECT_EQ(ReadFileBytes(folder.Path() / "empty"), std::vector<std::uint8_t>{});
}

TEST(ReadFileBytes, GivesNothingForMissingFilesAndFolders) {
    TempFolder folder;
    EXPECT_FALSE(ReadFileBytes(folder.Path() / "missing").has_value());
    EXPECT_FALSE(ReadFileBytes(folder.Path()).has_value());
}

TEST(ReplaceFileAtomically, CreatesANewFile) {
    TempFolder folder;
    const fs::path path = folder.Path() / "m01.dat";
    EXPECT_FALSE(ReplaceFileAtomically(path, Bytes("stage")));
    EXPECT_EQ(ReadFileBytes(path), Bytes("stage"));
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"m01.dat"});
}

TEST(ReplaceFileAtomically, ReplacesTheContentAndKeepsThePermissions) {
    TempFolder folder;
    const fs::path path = folder.Path() / "hscore.dat";
    WriteFile(path, "a much longer old content");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_FALSE(ReplaceFileAtomically(path, Bytes("new")));
    EXPECT_EQ(ReadFileBytes(path), Bytes("new"));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"hscore.dat"});
}

TEST(ReplaceFileAtomically, ReportsAMissingFolder) {
    TempFolder folder;
    const std::error_code error =
        ReplaceFileAtomically(folder.Path() / "missing" / "m01.dat", Bytes("x"));
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
    EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

TEST(ReplaceFileAtomically, LeavesAFolderInTheWayAloneAndCleansUp) {
    TempFolder folder;
    fs::create_directory(folder.Path() / "m01.dat");
    WriteFile(folder.Path() / "m01.dat" / "inside", "keep");
    const std::error_code error = ReplaceFileAtomically(folder.Path() / "m01.dat", Bytes("x"));
    EXPECT_TRUE(error);
    EXPECT_EQ(ReadFileBytes(folder.Path() / "m01.dat" / "inside"), Bytes("keep"));
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"m01.dat"});
}

// A write that fails half way (here: the file size limit, which holds even
// for root, standing in for a full disk) leaves the old file as it was.
TEST(ReplaceFileAtomically, AFailedWriteLeavesTheOldFileUntouched) {
    TempFolder folder;
    const fs::path path = folder.Path() / "hscore.dat";
    WriteFile(path, "old records");

    rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::error_code error = ReplaceFileAtomically(path, std::vector<std::uint8_t>(4096, 7));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(error, std::errc::file_too_large);
    EXPECT_EQ(ReadFileBytes(path), Bytes("old records"));
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"hscore.dat"});
}

// A writer killed during a save leaves its temporary file; the next write into
// the folder removes it, but never the file of a writer still at work.
TEST(ReplaceFileAtomically, RemovesTheTemporaryFilesOfWritersThatDied) {
    TempFolder folder;
    const std::string dead = ".hscore.dat.tmp" + std::to_string(::getpid()) + "-0";
    const std::string working = ".m02.dat.tmp1-0";
    WriteFile(folder.Path() / dead, "crash");
    WriteFile(folder.Path() / working, "half");
    WriteFile(folder.Path() / ".m03.dat.tmp", "not ours");
    const int held = ::open((folder.Path() / working).c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EXPECT_FALSE(ReplaceFileAtomically(folder.Path() / "m01.dat", Bytes("saved")));
    ::close(held);
    EXPECT_EQ(ReadFileBytes(folder.Path() / "m01.dat"), Bytes("saved"));
    EXPECT_EQ(FolderEntries(folder.Path()),
              (std::vector<std::string>{working, ".m03.dat.tmp", "m01.dat"}));
}

TEST(ReplaceFileAtomically, FollowsASymbolicLinkAndReplacesItsTarget) {
    TempFolder folder;
    fs::create_directory(folder.Path() / "real");
    WriteFile(folder.Path() / "real" / "m01.dat", "old");
    fs::create_symlink("real/m01.dat", folder.Path() / "m01.dat");
    fs::create_symlink("real/new.dat", folder.Path() / "dangling");
    EXPECT_FALSE(ReplaceFileAtomically(folder.Path() / "m01.dat", Bytes("new")));
    EXPECT_FALSE(ReplaceFileAtomically(folder.Path() / "dangling", Bytes("made")));
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "m01.dat"));
    EXPECT_EQ(ReadFileBytes(folder.Path() / "real" / "m01.dat"), Bytes("new"));
    EXPECT_EQ(ReadFileBytes(folder.Path() / "real" / "new.dat"), Bytes("made"));
    EXPECT_EQ(FolderEntries(folder.Path() / "real"),
              (std::vector<std::string>{"m01.dat", "new.dat"}));
}

TEST(ReplaceFileAtomically, RefusesATargetThatIsNotARegularFile) {
    TempFolder folder;
    const fs::path pipe = folder.Path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    fs::create_symlink("/dev/null", folder.Path() / "null");
    for (const fs::path& target : {pipe, folder.Path() / "null"}) {
        const std::error_code error = ReplaceFileAtomically(target, Bytes("x"));
        EXPECT_EQ(error, FileRefusal::NotARegularFile);
        EXPECT_EQ(error.message(), "not a regular file");
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(FolderEntries(folder.Path()), (std::vector<std::string>{"null", "pipe"}));
}

// Whichever step fails, at whichever byte, with whichever error: the old file
// stays whole, the error is the one met, and no temporary file is left.
TEST(ReplaceFileAtomically, AFailureAtAnyStepOrByteKeepsTheOldFile) {
    TempFolder folder;
    const fs::path path = folder.Path() / "hscore.dat";
    WriteFile(path, "old records");
    const std::vector<std::uint8_t> bytes(202, 7);
    std::vector<test::FailingStep> faults;
    for (std::errc error :
         {std::errc::no_space_on_device, std::errc::io_error, std::errc::permission_denied}) {
        for (FileStep step : {FileStep::Create, FileStep::Sync, FileStep::Rename})
            faults.emplace_back(step, error);
        for (std::size_t byte = 0; byte < bytes.size(); byte += 67)
            faults.emplace_back(FileStep::Write, error, byte);
        faults.emplace_back(FileStep::Write, error, bytes.size() - 1);
    }
    for (test::FailingStep& fault : faults) {
        const std::error_code error = ReplaceFileAtomically(path, bytes, &fault);
        EXPECT_EQ(fault.Failures(), 1);
        EXPECT_TRUE(error);
        EXPECT_EQ(ReadFileBytes(path), Bytes("old records"));
        EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"hscore.dat"});
    }
}

TEST(ReadRegularFile, ReadsAtMostTheLimit) {
    TempFolder folder;
    WriteFile(folder.Path() / "m01.dat", "0123456789");
    EXPECT_EQ(ReadRegularFile(folder.Path() / "m01.dat", 4).bytes, Bytes("0123"));
    EXPECT_EQ(ReadRegularFile(folder.Path() / "m01.dat", 40).bytes, Bytes("0123456789"));
    EXPECT_EQ(ReadRegularFile(folder.Path() / "missing").error,
              std::errc::no_such_file_or_directory);
}

// A named pipe would make the reader wait for a writer forever, a device
// could give bytes without end.
TEST(ReadRegularFile, RefusesPipesDevicesAndFolders) {
    TempFolder folder;
    const fs::path pipe = folder.Path() / "m01.dat";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    for (const fs::path& path : {pipe, fs::path("/dev/zero"), folder.Path()}) {
        const FileContents contents = ReadRegularFile(path);
        EXPECT_EQ(contents.error, FileRefusal::NotARegularFile) << path;
        EXPECT_TRUE(contents.bytes.empty());
    }
    test::FailingStep failing(FileStep::Read, std::errc::io_error);
    WriteFile(folder.Path() / "m02.dat", "stage");
    EXPECT_EQ(ReadRegularFile(folder.Path() / "m02.dat", 100, &failing).error, std::errc::io_error);
}

}  // namespace
}  // namespace tovek
