// Tovek as `cmake --install` lays it out, started by a user who never ran it.
#include "common/file_access.h"
#include "game/sdl/client_layout.h"
#include "tests/window/window_fixture.h"

namespace tovek::test {
namespace {

namespace fs = std::filesystem;

const std::array<std::string, 2> kStartLabels = {"ステージを左右キーで選んでスペースキーで決定",
                                                 "サウンド: オン(Sキーで切り替え)"};

class InstalledGameTest : public WindowTest {
  protected:
    InstalledGameTest() { program_ = TOVEK_INSTALLED_PATH; }
};

TEST_F(InstalledGameTest, FirstStartFillsThePerUserFolderAndShowsTheStageSelectScreen) {
    const fs::path shipped = TOVEK_DIST_FOLDER;
    // The screen as tovek-sim draws it with the shipped settings and no record.
    fs::copy_file(shipped / "Tovek.ini", folder_.Path() / "Tovek.ini",
                  fs::copy_options::overwrite_existing);
    const SimRun stageOne = Simulate(1, 0);
    ASSERT_EQ(stageOne.frames.size(), 1u);
    const Surface expected =
        ExpectedClientArea(LayOutClientArea(kNormalClientWidth, kNormalClientHeight, std::nullopt),
                           stageOne.frames[0], kStartLabels, Sans());

    const fs::path home = folder_.Path() / "home";
    fs::create_directories(home);
    StartGame({"HOME=" + home.string(), "XDG_DATA_HOME=", "SDL_AUDIODRIVER=dummy"});
    Focus();
    const bool shown = WaitForScreen([&](const Surface& shot) { return shot == expected; });
    if (!shown) SaveForInspection("installed-stage-select", expected);
    EXPECT_TRUE(shown) << "the stage-select screen did not appear as drawn";
    EXPECT_EQ(CloseWindow(), 0);

    const fs::path userFolder = home / ".local" / "share" / "tovek";
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(shipped)) {
        if (!entry.is_regular_file()) continue;
        const fs::path name = entry.path().lexically_relative(shipped);
        EXPECT_EQ(ReadFileBytes(userFolder / name), ReadFileBytes(entry.path())) << name;
    }
}

}  // namespace
}  // namespace tovek::test
