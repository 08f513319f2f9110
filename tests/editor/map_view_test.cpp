#include <gtest/gtest.h>

#include <string>

#include "common/text.h"
#include "editor/core/geometry.h"
#include "editor/core/map_size.h"
#include "editor/core/map_view.h"
#include "editor/core/palette.h"
#include "tests/editor/editor_test_support.h"

namespace quorle::testing {
namespace {

// What the view must show, worked out pixel by pixel from the raw sheets:
// masked pictures replace what lies under them where solid, SRCCOPY layers
// replace it, later layers cover earlier ones. Port numbers are left out.
class ReferenceView {
  public:
    explicit ReferenceView(const tovek::PictureSheets& sheets) : sheets_(sheets) {}

    std::uint32_t Background(int background, int x, int y) const {
        return sheets_.picBackBase.Pixel((background % 4) * 64 + (x % 128) / 2,
                                         (background / 4) * 64 + (y % 128) / 2);
    }

    // Pixel (x, y) of a cell drawn over `under`.
    std::uint32_t CellPixel(const MapCell& cell, int x, int y, std::uint32_t under) const {
        std::uint32_t pixel = under;
        if (cell.water != 0) pixel = Raw(cell.water, x, y);
        const int t = cell.mainTile;
        if ((t >= 1 && t <= 11) || t == 27) pixel = Raw(t, x, y);
        if (t >= 16 && t <= 24) pixel = Masked(t, x, y, pixel);
        if (t >= 29 && t <= 31) pixel &= Raw(t, x, y);  // their picture cells are black
        if (t >= 32 && t <= 47) pixel = Raw(28, x, y);
        if (t >= 48 && t <= 63) pixel = Raw(29, x, y);
        const int s = cell.liftCode;
        if (s != 0 && y < 12) pixel = s >= 16 && s <= 19 ? Raw(s - 4, x, y + 16) : Raw(s, x, y);
        const int p = cell.actorCode;
        if (p != 0) pixel = p >= 48 ? Masked(p - 16, 31 - x, y, pixel) : Masked(p, x, y, pixel);
        return pixel;
    }

    std::uint32_t Raw(int code, int x, int y) const {
        return sheets_.picMap.Pixel((code % 16) * kCell + x, (code / 16) * kCell + y);
    }

  private:
    std::uint32_t Masked(int maskCode, int x, int y, std::uint32_t under) const {
        return IsSolid(maskCode, x, y) ? Raw(maskCode + 32, x, y) : under;
    }

    const tovek::PictureSheets& sheets_;
};

bool IsPort(const MapCell& cell) {
    return cell.mainTile >= 32 && cell.mainTile <= 63;
}

class MapView : public EditorTest {
  protected:
    MapView() : reference(sheets) {}

    // Compares the whole view with the reference, skipping port cells.
    void ExpectViewMatchesReference() {
        const int hs = editor.hscrMain.value;
        const int vs = editor.vscrMain.value;
        for (int y = 0; y < kViewHeight; ++y) {
            for (int x = 0; x < kViewWidth; ++x) {
                const MapCell& cell = editor.map.At(hs + x / kCell, vs + y / kCell);
                if (IsPort(cell)) continue;
                const std::uint32_t expected = reference.CellPixel(
                    cell, x % kCell, y % kCell, reference.Background(editor.background, x, y));
                ASSERT_EQ(editor.pctMain.image.Pixel(x, y), expected)
                    << "view pixel " << x << "," << y;
            }
        }
    }

    // Puts a sample of every kind of cell into the map around (left, top).
    void PlaceSamples(int left, int top) {
        const MapCell samples[] = {
            {.mainTile = 3},
            {.mainTile = 27},
            {.mainTile = 18},
            {.mainTile = 24, .water = 25},
            {.mainTile = 30},
            {.mainTile = 16, .actorCode = 40, .liftCode = 13, .water = 25},
            {.liftCode = 17},
            {.mainTile = 9, .liftCode = 26},
            {.actorCode = 33},
            {.actorCode = 49},
            {.mainTile = 5, .actorCode = 63},
            {.water = 25},
            {.mainTile = 12},
            {.mainTile = 25},
            {.mainTile = 26},
            {.mainTile = 28},
            {.mainTile = 70},
            {.mainTile = 255},
            {.liftCode = 30},
            {.mainTile = 31, .water = 25},
        };
        int i = 0;
        for (const MapCell& sample : samples) {
            editor.map.At(left + i % 12, top + i / 12) = sample;
            ++i;
        }
    }

    ReferenceView reference;
};

TEST_F(MapView, AnEmptyMapShowsTheBackgroundDoubledThreeByTwo) {
    for (int background : {0, 5, 15}) {
        editor.background = background;
        DrawMapView(editor);
        ExpectViewMatchesReference();
    }
}

TEST_F(MapView, DrawsEveryLayerInItsOrder) {
    PlaceSamples(0, 0);
    editor.background = 7;
    DrawMapView(editor);
    ExpectViewMatchesReference();
}

TEST_F(MapView, ShowsTheCellsAtTheScrollPosition) {
    SetMapSize(editor, 40, 30, true);
    PlaceSamples(17, 11);
    hscrMain_Change(editor, 17);
    vscrMain_Change(editor, 11);
    ExpectViewMatchesReference();
    hscrMain_Change(editor, 20);
    ExpectViewMatchesReference();
}

TEST_F(MapView, TheResultDoesNotDependOnTheReverseSwitch) {
    PlaceSamples(0, 2);
    DrawMapView(editor);
    const tovek::Surface straight = editor.pctMain.image;
    mnuReverse_Click(editor);
    DrawMapView(editor);
    EXPECT_EQ(editor.pctMain.image, straight);
    ExpectViewMatchesReference();
}

TEST_F(MapView, AFastLiftIsTwelveRowsFromTheLowerHalfOfItsNormalCell) {
    editor.map.At(2, 1) = MapCell{.mainTile = 4, .liftCode = 17};
    DrawMapView(editor);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            const std::uint32_t expected =
                y < 12 ? reference.Raw(13, x, 16 + y) : reference.Raw(4, x, y);
            ASSERT_EQ(editor.pctMain.image.Pixel(64 + x, 32 + y), expected) << x << "," << y;
        }
    }
}

TEST_F(MapView, ADamagedBackgroundNumberShowsBlack) {
    editor.map.At(0, 0).mainTile = 2;
    editor.background = 16;
    DrawMapView(editor);
    EXPECT_EQ(editor.pctMain.image.Pixel(100, 100), 0u);
    EXPECT_EQ(editor.pctMain.image.Pixel(5, 5), reference.Raw(2, 5, 5));
}

TEST_F(MapView, EveryRedrawIsShown) {
    const unsigned refreshes = editor.pctMain.refreshes;
    DrawMapView(editor);
    hscrMain_Change(editor, 3);
    EXPECT_EQ(editor.pctMain.refreshes, refreshes + 2);
}

class PortNumbers : public MapView {
  protected:
    // A port cell as the view must draw it: the port tile with the digit
    // printed at (12, textTop) in the editor's port font.
    tovek::Surface ExpectedPort(int tile, const std::string& digit, int textTop) {
        tovek::Surface cell(kCell, kCell);
        tovek::BitBlt(cell, 0, 0, kCell, kCell, sheets.picMap, (tile % 16) * kCell,
                      (tile / 16) * kCell, tovek::RasterOp::SrcCopy);
        std::string error;
        const auto painter = tovek::TextPainter::Create(tovek::FontFace::Serif, &error);
        painter->Print(cell, 12, textTop, digit, {.points = 12, .bold = false, .colour = 0});
        return cell;
    }
    tovek::Surface ViewCell(int cx, int cy) {
        tovek::Surface cell(kCell, kCell);
        tovek::BitBlt(cell, 0, 0, kCell, kCell, editor.pctMain.image, cx * kCell, cy * kCell,
                      tovek::RasterOp::SrcCopy);
        return cell;
    }
};

TEST_F(PortNumbers, DownPortsShowTheirNumberLowAndUpPortsHigh) {
    editor.map.At(0, 0).mainTile = 32;
    editor.map.At(1, 0).mainTile = 47;
    editor.map.At(2, 0).mainTile = 48;
    editor.map.At(3, 0).mainTile = 58;
    DrawMapView(editor);
    EXPECT_EQ(ViewCell(0, 0), ExpectedPort(28, "0", 17));
    EXPECT_EQ(ViewCell(1, 0), ExpectedPort(28, "F", 17));
    EXPECT_EQ(ViewCell(2, 0), ExpectedPort(29, "0", 9));
    EXPECT_EQ(ViewCell(3, 0), ExpectedPort(29, "A", 9));
}

TEST_F(PortNumbers, TheDigitIsReallyDrawn) {
    editor.map.At(0, 0).mainTile = 45;
    DrawMapView(editor);
    tovek::Surface plain(kCell, kCell);
    tovek::BitBlt(plain, 0, 0, kCell, kCell, sheets.picMap, (28 % 16) * kCell, kCell,
                  tovek::RasterOp::SrcCopy);
    EXPECT_NE(ViewCell(0, 0), plain);
    EXPECT_NE(ViewCell(0, 0), ExpectedPort(28, "C", 17));
    EXPECT_EQ(ViewCell(0, 0), ExpectedPort(28, "D", 17));
}

TEST_F(MapView, WithoutAFontPortsShowTheirTileOnly) {
    Editor plain(services, sheets, nullptr);
    SetMapSize(plain, 12, 8, true);
    pctMain_GotFocus(plain);
    plain.map.At(1, 1).mainTile = 40;
    DrawMapView(plain);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            ASSERT_EQ(plain.pctMain.image.Pixel(32 + x, 32 + y), reference.Raw(28, x, y));
        }
    }
}

TEST(RenderWholeMap, DrawsEveryCellWithTheBackgroundTiledOverThePicture) {
    const tovek::PictureSheets sheets = TestSheets();
    const ReferenceView reference(sheets);
    tovek::EditorStage stage = EmptyStage(13, 9, 10);
    for (std::size_t i = 0; i < stage.cells.size(); ++i) {
        const auto n = static_cast<std::uint8_t>(i);
        stage.cells[i] =
            MapCell{.mainTile = static_cast<std::uint8_t>(i % 5 == 0 ? 0 : n % 64),
                    .actorCode = static_cast<std::uint8_t>(i % 7 == 0 ? 32 + n % 32 : 0),
                    .liftCode = static_cast<std::uint8_t>(i % 6 == 0 ? 12 + n % 8 : 0),
                    .water = static_cast<std::uint8_t>(i % 4 == 0 ? 25 : 0)};
    }
    const tovek::Surface picture = RenderWholeMap(stage, sheets, nullptr);
    ASSERT_EQ(picture.Width(), 13 * 32);
    ASSERT_EQ(picture.Height(), 9 * 32);
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const MapCell& cell = stage.cells[(y / 32) * 13 + x / 32];
            ASSERT_EQ(picture.Pixel(x, y),
                      reference.CellPixel(cell, x % 32, y % 32, reference.Background(10, x, y)))
                << x << "," << y;
        }
    }
}

TEST_F(MapView, TheWholeMapPictureAgreesWithTheView) {
    SetMapSize(editor, 30, 20, true);
    PlaceSamples(12, 8);
    editor.map.At(14, 9).mainTile = 37;
    editor.background = 3;
    hscrMain_Change(editor, 12);
    vscrMain_Change(editor, 8);
    tovek::EditorStage stage = EmptyStage(30, 20, 3);
    stage.cells = editor.map.Cells();
    std::string error;
    const tovek::Surface whole = RenderWholeMap(
        stage, sheets, tovek::TextPainter::Create(tovek::FontFace::Serif, &error).get());
    for (int y = 0; y < kViewHeight; ++y) {
        for (int x = 0; x < kViewWidth; ++x) {
            // Both tile the background from their own corner: 12 x 32 and
            // 8 x 32 are multiples of 128 in neither direction, so compare
            // only the cells' content where the view cell is not empty.
            const MapCell& cell = editor.map.At(12 + x / 32, 8 + y / 32);
            const bool opaque =
                cell.water != 0 || (cell.mainTile >= 1 && cell.mainTile <= 11) || IsPort(cell);
            if (!opaque) continue;
            ASSERT_EQ(editor.pctMain.image.Pixel(x, y), whole.Pixel(12 * 32 + x, 8 * 32 + y))
                << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace quorle::testing
