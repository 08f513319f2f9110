#include "common/stage_naming.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/support/scrambled_bytes.h"
#include "tests/support/temp_folder.h"

namespace tovek {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using test::WriteFile;

TEST(FormatStageNumber, KeepsTheLastTwoDigitsPaddedWithZero) {
    EXPECT_EQ(FormatStageNumber(1), "01");
    EXPECT_EQ(FormatStageNumber(5), "05");
    EXPECT_EQ(FormatStageNumber(9), "09");
    EXPECT_EQ(FormatStageNumber(10), "10");
    EXPECT_EQ(FormatStageNumber(42), "42");
    EXPECT_EQ(FormatStageNumber(99), "99");
    EXPECT_EQ(FormatStageNumber(100), "00");
}

TEST(FormatStageNumber, NumbersOutsideTheStagesFollowTheTextRule) {
    EXPECT_EQ(FormatStageNumber(0), "00");
    EXPECT_EQ(FormatStageNumber(-5), "-5");
    EXPECT_EQ(FormatStageNumber(-42), "42");
    EXPECT_EQ(FormatStageNumber(12345), "45");
    EXPECT_EQ(FormatStageNumber(INT_MIN), "48");
    EXPECT_EQ(FormatStageNumber(INT_MAX), "47");
}

TEST(StageFilePath, NamesNewFilesInLowerCase) {
    TempFolder folder;
    EXPECT_EQ(StageFilePath(folder.Path(), 1), folder.Path() / "m01.dat");
    EXPECT_EQ(StageFilePath(folder.Path(), 100), folder.Path() / "m00.dat");
}

TEST(StageFilePath, FindsAFileCopiedWithOtherLetterCase) {
    TempFolder folder;
    WriteFile(folder.Path() / "M01.DAT", "x");
    WriteFile(folder.Path() / "m02.Dat", "x");
    EXPECT_EQ(StageFilePath(folder.Path(), 1), folder.Path() / "M01.DAT");
    EXPECT_EQ(StageFilePath(folder.Path(), 2), folder.Path() / "m02.Dat");
    EXPECT_EQ(StageFilePath(folder.Path(), 3), folder.Path() / "m03.dat");
}

TEST(StageFilePath, PrefersTheExactNameWhenBothExist) {
    TempFolder folder;
    WriteFile(folder.Path() / "M07.DAT", "x");
    WriteFile(folder.Path() / "m07.dat", "x");
    EXPECT_EQ(StageFilePath(folder.Path(), 7), folder.Path() / "m07.dat");
}

TEST(StageFolderPath, EmptySettingMeansData) {
    TempFolder program;
    EXPECT_EQ(StageFolderPath(program.Path(), ""), program.Path() / "data");
}

TEST(StageFolderPath, BackslashesSeparateFoldersAndCaseIsFound) {
    TempFolder program;
    fs::create_directories(program.Path() / "Stages" / "SET1");
    EXPECT_EQ(StageFolderPath(program.Path(), "stages\\set1"), program.Path() / "Stages" / "SET1");
    EXPECT_EQ(StageFolderPath(program.Path(), "DATA"), program.Path() / "DATA");
}

}  // namespace
}  // namespace tovek
