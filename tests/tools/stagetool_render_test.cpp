// stagetool render, run through the tool's entry point.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/file_access.h"
#include "common/png_image.h"
#include "common/sheets.h"
#include "common/stage_file.h"
#include "common/text.h"
#include "editor/core/map_view.h"
#include "tests/support/scrambled_bytes.h"
#include "tests/support/stage_maps.h"
#include "tests/support/temp_folder.h"
#include "tools/stagetool.h"

namespace tovek {
namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

class StagetoolRender : public ::testing::Test {
  protected:
    ToolRun Render(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"render"};
        all.insert(all.end(), args.begin(), args.end());
        std::ostringstream out, err;
        ToolRun run;
        run.status = RunStagetool(all, out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }
    std::string Path(const std::string& name) const { return (folder_.Path() / name).string(); }
    std::string StageFile(const EditorStage& stage) {
        test::WriteFile(Path("m01.dat"), WriteEditorStage(stage, {.key = 9, .multiplier = 5}));
        return Path("m01.dat");
    }
    Surface Picture(const std::string& path) {
        const auto bytes = ReadFileBytes(path);
        if (!bytes) return {};
        return DecodePng(*bytes).value_or(Surface{});
    }

    test::TempFolder folder_;
};

TEST_F(StagetoolRender, DrawsTheWholeMapAsTheEditorsViewDoes) {
    RandomSource random(12);
    EditorStage stage = test::RandomEditorStage(random, 13, 9);
    stage.cells[1 * 13 + 2] = MapCell{.mainTile = 3};
    stage.cells[8 * 13 + 0] = MapCell{};
    const ToolRun run = Render({StageFile(stage), Path("map.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");

    const Surface picture = Picture(Path("map.png"));
    ASSERT_EQ(picture.Width(), 13 * 32);
    ASSERT_EQ(picture.Height(), 9 * 32);
    std::string error;
    const auto digits = TextPainter::Create(FontFace::Serif, &error);
    const PictureSheets sheets = LoadPictureSheets();
    EXPECT_EQ(picture, quorle::RenderWholeMap(stage, sheets, digits.get()));

    // A plain tile is its sheet cell; an empty cell shows the background
    // pattern doubled, its copies repeating every 128 pixels.
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(picture.Pixel(64 + x, 32 + y), sheets.picMap.Pixel(96 + x, y));
            const int px = x, py = 256 + y;
            const int b = stage.background;
            ASSERT_EQ(picture.Pixel(px, py),
                      sheets.picBackBase.Pixel((b % 4) * 64 + (px % 128) / 2,
                                               (b / 4) * 64 + (py % 128) / 2));
        }
    }
}

TEST_F(StagetoolRender, AStageOfOddSizeIsDrawnAsTheEditorOpensIt) {
    const ToolRun run =
        Render({StageFile(EditorStage{
                    .background = 2, .width = 5, .height = 3, .cells = std::vector<MapCell>(15)}),
                Path("small.png")});
    ASSERT_EQ(run.status, 0) << run.err;
    const Surface picture = Picture(Path("small.png"));
    EXPECT_EQ(picture.Width(), 12 * 32);
    EXPECT_EQ(picture.Height(), 8 * 32);
}

TEST_F(StagetoolRender, AnUnwritablePictureIsReported) {
    const std::string out = Path("no/such/folder/map.png");
    const ToolRun run = Render(
        {StageFile(EditorStage{.width = 12, .height = 8, .cells = std::vector<MapCell>(96)}), out});
    EXPECT_EQ(run.status, kExitProblems);
    EXPECT_NE(run.err.find(out + ": cannot be written: No such file or directory\n"),
              std::string::npos)
        << run.err;
}

TEST_F(StagetoolRender, WrongArgumentsAreUsageErrors) {
    const ToolRun missingOutput = Render({Path("m01.dat")});
    EXPECT_EQ(missingOutput.status, kExitUsage);
    EXPECT_NE(missingOutput.err.find("missing file name"), std::string::npos);
    const ToolRun missingInput = Render({Path("m02.dat"), Path("x.png")});
    EXPECT_EQ(missingInput.status, kExitUsage);
    EXPECT_NE(missingInput.err.find(Path("m02.dat") + ": no such file"), std::string::npos);
    EXPECT_EQ(Render({Path("a"), Path("b"), Path("c")}).status, kExitUsage);
    EXPECT_FALSE(std::filesystem::exists(Path("x.png")));
}

}  // namespace
}  // namespace tovek
