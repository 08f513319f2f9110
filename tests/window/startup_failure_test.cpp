// Tovek started where it cannot show its window: it says why and ends.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"

namespace tovek::test {
namespace {

// Runs a copy of Tovek in a fresh program folder; its exit status and what it
// wrote on either output.
CommandResult RunTovek(const TempFolder& folder, const std::string& environment) {
    std::filesystem::copy_file(TOVEK_PATH, folder.Path() / "Tovek");
    const std::string command = environment + " '" + (folder.Path() / "Tovek").string() + "' 2>&1";
    return RunCommand({"sh", "-c", command},
                      {"LSAN_OPTIONS=suppressions=" TOVEK_LSAN_SUPPRESSIONS});
}

TEST(TovekStartTest, WithoutADisplayItSaysTheWindowCannotOpen) {
    TempFolder folder;
    const CommandResult result =
        RunTovek(folder, "env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("Tovek: the window cannot open"), std::string::npos)
        << result.output;
}

TEST(TovekStartTest, WithoutJapaneseFontsItNamesThePackageToInstall) {
    TempFolder folder;
    // A font configuration that knows no fonts at all.
    std::ofstream(folder.Path() / "fonts.conf")
        << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
           "<fontconfig><cachedir>"
        << (folder.Path() / "cache").string() << "</cachedir></fontconfig>\n";
    const CommandResult result =
        RunTovek(folder, "env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy FONTCONFIG_FILE='" +
                             (folder.Path() / "fonts.conf").string() + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("fonts-ipafont-"), std::string::npos) << result.output;
}

}  // namespace
}  // namespace tovek::test
