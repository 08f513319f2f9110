#include "common/font_lookup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/text.h"

namespace tovek {
namespace {

namespace fs = std::filesystem;

TEST(FindJapaneseFont, FindsIpaMinchoForSerifAndIpaGothicForSans) {
    std::string error;
    const auto serif = FindJapaneseFont(FontFace::Serif, &error);
    ASSERT_TRUE(serif) << error;
    EXPECT_EQ(serif->family, "IPAMincho");
    EXPECT_TRUE(fs::exists(serif->path));
    const auto sans = FindJapaneseFont(FontFace::Sans, &error);
    ASSERT_TRUE(sans) << error;
    EXPECT_EQ(sans->family, "IPAGothic");
    EXPECT_TRUE(fs::exists(sans->path));
}

// Runs fontconfig on a configuration that knows only the fonts in one folder.
class OnlyFontsIn : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* old = std::getenv("FONTCONFIG_FILE");
        hadConfig_ = old != nullptr;
        if (old) oldConfig_ = old;
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / (std::string("tovek-fonts-") + test->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "fonts");
        std::ofstream config(folder_ / "fonts.conf");
        config << "<?xml version=\"1.0\"?>\n<fontconfig>\n  <dir>" << (folder_ / "fonts").string()
               << "</dir>\n  <cachedir>" << (folder_ / "cache").string()
               << "</cachedir>\n</fontconfig>\n";
        config.close();
        UseOnlyTheFolder();
    }
    void TearDown() override {
        RestoreConfiguration();
        fs::remove_all(folder_);
    }
    void UseOnlyTheFolder() { setenv("FONTCONFIG_FILE", (folder_ / "fonts.conf").c_str(), 1); }
    void RestoreConfiguration() {
        if (hadConfig_) {
            setenv("FONTCONFIG_FILE", oldConfig_.c_str(), 1);
        } else {
            unsetenv("FONTCONFIG_FILE");
        }
    }
    fs::path FontFolder() const { return folder_ / "fonts"; }

  private:
    fs::path folder_;
    std::string oldConfig_;
    bool hadConfig_ = false;
};

TEST_F(OnlyFontsIn, NoJapaneseFontNamesTheDebianPackage) {
    std::string error;
    EXPECT_FALSE(FindJapaneseFont(FontFace::Serif, &error));
    EXPECT_NE(error.find("fonts-ipafont-mincho"), std::string::npos) << error;
    EXPECT_FALSE(FindJapaneseFont(FontFace::Sans, &error));
    EXPECT_NE(error.find("fonts-ipafont-gothic"), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(TextPainter::Create(FontFace::Serif, &error), nullptr);
    EXPECT_NE(error.find("fonts-ipafont-mincho"), std::string::npos) << error;
}

TEST_F(OnlyFontsIn, AnotherJapaneseFontStandsInForAMissingFamily) {
    RestoreConfiguration();
    std::string error;
    const auto gothic = FindJapaneseFont(FontFace::Sans, &error);
    ASSERT_TRUE(gothic) << error;
    UseOnlyTheFolder();
    fs::create_symlink(gothic->path, FontFolder() / "gothic.ttf");

    const auto serif = FindJapaneseFont(FontFace::Serif, &error);
    ASSERT_TRUE(serif) << error;
    EXPECT_EQ(serif->family, "IPAGothic");
    EXPECT_TRUE(TextPainter::Create(FontFace::Serif, &error)) << error;
}

}  // namespace
}  // namespace tovek
