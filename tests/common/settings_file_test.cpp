#include "common/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/file_access.h"
#include "common/stage_naming.h"
#include "tests/support/scrambled_bytes.h"
#include "tests/support/temp_folder.h"

namespace tovek {
namespace {

SettingsFile Customize(std::string_view lines) {
    return SettingsFile::Parse("[Customize]\n" + std::string(lines));
}

// --- Integers ---

TEST(SettingsInt, ValuesOutsideZeroToMaximumReadAsZero) {
    EXPECT_EQ(Customize("TSpeed=2\n").ReadSettingInt("TSpeed", 2), 2);
    EXPECT_EQ(Customize("TSpeed=3\n").ReadSettingInt("TSpeed", 2), 0);
    EXPECT_EQ(Customize("TSpeed=-1\n").ReadSettingInt("TSpeed", 2), 0);
    EXPECT_EQ(Customize("Chara=5\n").ReadSettingInt("Chara", 2), 0);
    EXPECT_EQ(Customize("Continue=2\n").ReadSettingInt("Continue", 1), 0);
}

TEST(SettingsInt, TakesTheLeadingOptionallySignedDigits) {
    EXPECT_EQ(Customize("TSpeed=2 ; fast\n").ReadSettingInt("TSpeed", 2), 2);
    EXPECT_EQ(Customize("TSpeed=1x\n").ReadSettingInt("TSpeed", 2), 1);
    EXPECT_EQ(Customize("TSpeed=+1\n").ReadSettingInt("TSpeed", 2), 1);
    EXPECT_EQ(Customize("TSpeed=-0\n").ReadSettingInt("TSpeed", 2), 0);
    EXPECT_EQ(Customize("TSpeed=abc\n").ReadSettingInt("TSpeed", 2), 0);
    EXPECT_EQ(Customize("TSpeed=\n").ReadSettingInt("TSpeed", 2), 0);
    EXPECT_EQ(Customize("TSpeed=\"2\"\n").ReadSettingInt("TSpeed", 2), 2);
}

TEST(SettingsInt, HugeNumbersReadAsZeroWithoutOverflow) {
    EXPECT_EQ(Customize("TSpeed=99999999999999999999999\n").ReadSettingInt("TSpeed", 2), 0);
    EXPECT_EQ(Customize("TSpeed=-99999999999999999999999\n").ReadSettingInt("TSpeed", 2), 0);
    EXPECT_EQ(Customize("TSpeed=65538\n").ReadSettingInt("TSpeed", 32767), 0);
    EXPECT_EQ(Customize("TSpeed=32767\n").ReadSettingInt("TSpeed", 32767), 32767);
}

TEST(SettingsInt, MissingKeyReadsZero) {
    EXPECT_EQ(Customize("Chara=1\n").ReadSettingInt("TSpeed", 2), 0);
}

// --- Strings ---

TEST(SettingsString, DropsSpacesAroundNamesAndValues) {
    EXPECT_EQ(Customize("  Title  =  My Game \t\n").ReadSettingString("Title"), "My Game");
}

TEST(SettingsString, KeepsAnInlineSemicolonAsText) {
    EXPECT_EQ(Customize("Title=A ; B\n").ReadSettingString("Title"), "A ; B");
}

TEST(SettingsString, LosesEnclosingQuotes) {
    EXPECT_EQ(Customize("Title=\" padded \"\n").ReadSettingString("Title"), " padded ");
    EXPECT_EQ(Customize("Title='x'\n").ReadSettingString("Title"), "x");
    EXPECT_EQ(Customize("Title=\"x'\n").ReadSettingString("Title"), "\"x'");
}

TEST(SettingsString, EndsAtTheFirstNul) {
    const std::string text = std::string("[Customize]\nTitle=ab") + '\0' + "cd\n";
    EXPECT_EQ(SettingsFile::Parse(text).ReadSettingString("Title"), "ab");
}

TEST(SettingsString, IsCutAt255Characters) {
    const std::string ascii(300, 'a');
    EXPECT_EQ(Customize("Title=" + ascii + "\n").ReadSettingString("Title"), std::string(255, 'a'));
    std::string kana;
    for (int i = 0; i < 300; ++i)
        kana += "\xE3\x81\x82";  // あ
    std::string expected;
    for (int i = 0; i < 255; ++i)
        expected += "\xE3\x81\x82";
    EXPECT_EQ(Customize("Title=" + kana + "\n").ReadSettingString("Title"), expected);
}

TEST(SettingsString, ConvertsAShiftJisTitleToUtf8) {
    // テスト in code page 932.
    EXPECT_EQ(Customize("Title=\x83\x65\x83\x58\x83\x67\n").ReadSettingString("Title"),
              "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88");
    // UTF-8 text stays as it is.
    EXPECT_EQ(Customize("Title=\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88\n").ReadSettingString("Title"),
              "\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88");
}

TEST(SettingsString, ShiftJisTrailByteBackslashStaysInsideItsCharacter) {
    // 表 is 0x95 0x5C: its second byte is a backslash, but not a folder separator.
    const SettingsFile settings = Customize("Folder=\x95\x5C\\set1\n");
    const std::string folder = settings.ReadSettingString("Folder");
    EXPECT_EQ(folder, "\xE8\xA1\xA8\\set1");
    EXPECT_EQ(FolderSettingToRelativePath(folder), std::filesystem::path("\xE8\xA1\xA8") / "set1");
}

TEST(SettingsString, MissingKeyReadsEmpty) {
    EXPECT_EQ(Customize("Chara=1\n").ReadSettingString("Title"), "");
}

// --- File structure ---

TEST(SettingsFile, SectionAndKeyNamesIgnoreCase) {
    const SettingsFile settings = SettingsFile::Parse("[ customize ]\ntspeed=2\nTITLE=x\n");
    EXPECT_EQ(settings.ReadSettingInt("TSpeed", 2), 2);
    EXPECT_EQ(settings.ReadSettingString("Title"), "x");
}

TEST(SettingsFile, FirstMatchingKeyWins) {
    EXPECT_EQ(Customize("Chara=1\nchara=2\n").ReadSettingInt("Chara", 2), 1);
}

TEST(SettingsFile, FirstMatchingSectionWins) {
    const SettingsFile settings = SettingsFile::Parse(
        "[Customize]\nChara=1\n[Other]\nTSpeed=2\n[CUSTOMIZE]\nChara=2\nDSound=1\n");
    EXPECT_EQ(settings.ReadSettingInt("Chara", 2), 1);
    EXPECT_EQ(settings.ReadSettingInt("DSound", 1), 0);
    EXPECT_EQ(settings.ReadSettingInt("TSpeed", 2), 0);
}

TEST(SettingsFile, IgnoresCommentsOtherSectionsAndLooseLines) {
    const SettingsFile settings = SettingsFile::Parse(
        "Chara=2\n; Chara=1\n[Other]\nTitle=no\n[Customize]\n  ; TSpeed=1\njunk line\nTSpeed=2\n");
    EXPECT_EQ(settings.ReadSettingInt("Chara", 2), 0);
    EXPECT_EQ(settings.ReadSettingString("Title"), "");
    EXPECT_EQ(settings.ReadSettingInt("TSpeed", 2), 2);
}

TEST(SettingsFile, AcceptsCrLfAndAByteOrderMark) {
    const SettingsFile settings =
        SettingsFile::Parse("\xEF\xBB\xBF[Customize]\r\nTitle=Tovek\r\nTSpeed=1\r\n");
    EXPECT_EQ(settings.ReadSettingString("Title"), "Tovek");
    EXPECT_EQ(settings.ReadSettingInt("TSpeed", 2), 1);
}

TEST(SettingsFile, LastLineNeedsNoLineEnd) {
    EXPECT_EQ(Customize("VMirror=1").ReadSettingInt("VMirror", 1), 1);
}

TEST(SettingsFile, MissingFileGivesEveryDefault) {
    test::TempFolder folder;
    const SettingsFile settings = SettingsFile::LoadFromProgramFolder(folder.Path());
    EXPECT_EQ(settings.ReadSettingString("Title"), "");
    EXPECT_EQ(settings.ReadSettingString("Folder"), "");
    EXPECT_EQ(settings.ReadSettingInt("Chara", 2), 0);
    EXPECT_EQ(StageFolderPath(folder.Path(), settings.ReadSettingString("Folder")),
              folder.Path() / "data");
}

// A settings file is a few lines; one of gigabytes (or a named pipe) must
// not stop the program: its first megabyte is read, and a pipe not at all.
TEST(SettingsFile, AHugeFileIsReadToItsFirstMegabyteAndAPipeNotAtAll) {
    test::TempFolder folder;
    const std::filesystem::path ini = folder.Path() / "Tovek.ini";
    test::WriteFile(ini, std::string_view("[Customize]\nChara=2\n"));
    std::filesystem::resize_file(ini, std::uintmax_t{4} << 30);
    EXPECT_EQ(SettingsFile::LoadFromProgramFolder(folder.Path()).ReadSettingInt("Chara", 2), 2);
    std::filesystem::remove(ini);
    ASSERT_EQ(::mkfifo(ini.c_str(), 0644), 0);
    EXPECT_EQ(SettingsFile::LoadFromProgramFolder(folder.Path()).ReadSettingInt("Chara", 2), 0);
}

TEST(SettingsFile, FoundInTheProgramFolderWhateverItsCase) {
    test::TempFolder folder;
    test::WriteFile(folder.Path() / "TOVEK.INI", std::string_view("[Customize]\nChara=2\n"));
    EXPECT_EQ(SettingsFile::LoadFromProgramFolder(folder.Path()).ReadSettingInt("Chara", 2), 2);
}

TEST(SettingsFile, EmptyFolderValueMeansData) {
    test::TempFolder folder;
    const SettingsFile settings = Customize("Folder=\n");
    EXPECT_EQ(StageFolderPath(folder.Path(), settings.ReadSettingString("Folder")),
              folder.Path() / "data");
}

TEST(SettingsFile, ShippedSettingsReadTheirDefaults) {
    const SettingsFile settings = SettingsFile::Load(TOVEK_DIST_FOLDER "/Tovek.ini");
    EXPECT_EQ(settings.ReadSettingString("Title"), "Tovek");
    EXPECT_EQ(settings.ReadSettingString("Folder"), "data");
    for (const char* key : {"Chara", "Continue", "TSpeed", "DSound", "HMirror", "VMirror"}) {
        EXPECT_EQ(settings.ReadSettingInt(key, 2), 0) << key;
    }
}

}  // namespace
}  // namespace tovek
