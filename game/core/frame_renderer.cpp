#include "game/core/frame_renderer.h"

#include <cstdlib>
#include <string>

#include "game/core/colours.h"
#include "game/core/game.h"
#include "game/core/legacy_math.h"
#include "game/core/map_geometry.h"
#include "game/core/presentation.h"
#include "game/core/tile_codes.h"

namespace tovek {
namespace {

constexpr int kViewWidth = 384;
constexpr int kViewHeight = 256;
constexpr int kCell = kCellSize;

bool InView(int screenX, int screenY) {
    return screenX > -kCell && screenX < kViewWidth && screenY > -kCell && screenY < kViewHeight;
}

bool PopsUpAtHome(const Actor& actor) {
    const bool popUp = actor.kind == 9 || (actor.kind == 14 && actor.extra == 9);
    return popUp && actor.vy == 1 && FloorMod(actor.lo, 2) == 1;
}

int ActorDrawX(const Actor& actor, const View& view) {
    return (PopsUpAtHome(actor) ? actor.home : actor.x) - view.viewX;
}

void DrawBackground(Game& game, const View& view) {
    const int bgX = 128 - 2 * WrapMod(FloorDiv(view.viewX, 16), 64);
    const int bgY = 128 - 2 * WrapMod(FloorDiv(view.viewY, 16), 64);
    const int pattern = game.stageBackground;
    const int sourceX = (pattern % 4) * 64;
    const int sourceY = (pattern / 4) * 64;  // patterns beyond the sheet show nothing
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 2; ++i) {
            StretchBlt(game.picMain, bgX + 128 * i, bgY + 128 * j, 128, 128,
                       game.sheets->picBackBase, sourceX, sourceY, 64, 64, RasterOp::SrcCopy);
        }
    }
}

void CopyCell(Game& game, int code, int x, int y) {
    BitBlt(game.picMain, x, y, kCell, kCell, game.sheets->picMap, (code % 16) * kCell,
           (code / 16) * kCell, RasterOp::SrcCopy);
}

void DrawPortNumber(Game& game, int number, int x, int y) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const TextStyle style{12, false, kBlack};
    game.text->Print(game.picMain, x, y, std::string(1, kDigits[number & 15]), style);
}

void DrawMainTile(Game& game, int tile, int x, int y) {
    if (tile == kTileEmpty) return;
    if (tile <= 15 || tile == kTilePowerDown) {
        CopyCell(game, tile, x, y);
    } else if (IsDownPort(static_cast<std::uint8_t>(tile))) {
        CopyCell(game, 28, x, y);
        DrawPortNumber(game, tile - kActorCodeLeft, x + 12, y + 17);
    } else if (IsUpPort(static_cast<std::uint8_t>(tile))) {
        CopyCell(game, 29, x, y);
        DrawPortNumber(game, tile - 48, x + 12, y + 9);
    } else if (tile < 64) {
        // Masked tiles; codes of 64 and above have no picture and stay invisible.
        const int column = (tile % 16) * kCell;
        const int row = (tile / 16) * kCell;
        BitBlt(game.picMain, x, y, kCell, kCell, game.sheets->picMap, column, row,
               RasterOp::SrcAnd);
        BitBlt(game.picMain, x, y, kCell, kCell, game.sheets->picMap, column, row + 2 * kCell,
               RasterOp::SrcPaint);
    }
}

void DrawMapCells(Game& game, const View& view) {
    for (int r = -1; r <= 7; ++r) {
        for (int c = -1; c <= 11; ++c) {
            const int column = view.tileX + c;
            const int row = view.tileY + r;
            if (!IsInMap(game, column, row)) continue;
            const int x = kCell * c - view.offX;
            const int y = kCell * r - view.offY;
            if (game.WaterAt(column, row) == kWaterCode) CopyCell(game, kWaterCode, x, y);
            DrawMainTile(game, game.TileAt(column, row), x, y);
        }
    }
}

void DrawLifts(Game& game, const View& view) {
    for (const Lift& lift : game.lifts) {
        const int x = lift.x - view.viewX;
        const int y = lift.y - view.viewY;
        if (!InView(x, y)) continue;
        if (lift.type <= kLiftDown) {
            BitBlt(game.picMain, x, y, kCell, 12, game.sheets->picMap, 384 + kCell * lift.type,
                   16 * lift.param, RasterOp::SrcCopy);
        } else if (lift.type == kDropLift) {
            BitBlt(game.picMain, x, y, kCell, 12, game.sheets->picMap, 320, 32, RasterOp::SrcCopy);
        }
    }
}

// Masked 32 × 32 copy from a sheet, mirrored left-right and/or upside down.
void DrawMaskedFigure(Game& game, const Surface& sheet, int x, int y, int sourceX, int maskY,
                      int pictureY, bool mirrored, bool upsideDown) {
    const int sx = mirrored ? sourceX + 31 : sourceX;
    const int sw = mirrored ? -kCell : kCell;
    const int flip = upsideDown ? 31 : 0;
    const int sh = upsideDown ? -kCell : kCell;
    StretchBlt(game.picMain, x, y, kCell, kCell, sheet, sx, maskY + flip, sw, sh, RasterOp::SrcAnd);
    StretchBlt(game.picMain, x, y, kCell, kCell, sheet, sx, pictureY + flip, sw, sh,
               RasterOp::SrcPaint);
}

void DrawActors(Game& game, const View& view) {
    for (const Actor& actor : game.actors) {
        const int x = ActorDrawX(actor, view);
        const int y = actor.y - view.viewY;
        if (!InView(x, y)) continue;
        DrawMaskedFigure(game, game.sheets->picMap, x, y, actor.kind * kCell, 64, 128,
                         actor.dir != 0, actor.state != 0);
    }
}

void DrawPlayer(Game& game, const View& view) {
    if (game.graceTicks % 2 != 0) return;  // blinks after a continue
    const int x = game.playerX - view.viewX;
    const int y = (game.dying ? game.deathY : game.playerY) - view.viewY;
    const int sourceX = (2 * game.playerFacing + game.playerStep) * kCell;
    const int maskY = game.character * 64;
    const int pictureY = maskY + kCell;
    const Surface& sheet = game.sheets->picPlayer;
    if (game.warpTicks != 0 && !game.dying) {
        // Sinking into a down-port shows the top rows, rising out of an
        // up-port the bottom rows.
        const int h = 8 * std::abs(std::abs(game.warpTicks) - 4);
        const bool sinking = game.warpTicks > 0;
        const int destY = sinking ? y + kCell - h : y;
        const int rowOffset = sinking ? 0 : kCell - h;
        BitBlt(game.picMain, x, destY, kCell, h, sheet, sourceX, maskY + rowOffset,
               RasterOp::SrcAnd);
        BitBlt(game.picMain, x, destY, kCell, h, sheet, sourceX, pictureY + rowOffset,
               RasterOp::SrcPaint);
        return;
    }
    DrawMaskedFigure(game, sheet, x, y, sourceX, maskY, pictureY, false, game.dying);
}

}  // namespace

View ComputeView(const Game& game) {
    View view{};
    view.tileX = FloorDiv(game.playerX - 144, kCell);
    view.offX = WrapMod(game.playerX - 16, kCell) - kCell;
    if (view.tileX < 1) {
        view.tileX = 0;
        view.offX = 0;
        view.viewX = 0;
    } else if (view.tileX > game.mapWidth - 12) {
        view.tileX = game.mapWidth - 12;
        view.offX = 0;
        view.viewX = (game.mapWidth - 12) * kCell;
    } else {
        view.viewX = game.playerX - 176;
    }
    view.tileY = FloorDiv(game.playerY - 80, kCell);
    view.offY = WrapMod(game.playerY - 16, kCell) - kCell;
    if (view.tileY > game.mapHeight - 8) {
        view.tileY = game.mapHeight - 8;
        view.offY = 0;
        view.viewY = (game.mapHeight - 8) * kCell;
    } else {
        view.viewY = game.playerY - 112;
    }
    return view;
}

void WakeObjectsInView(Game& game, const View& view) {
    for (Lift& lift : game.lifts) {
        if (InView(lift.x - view.viewX, lift.y - view.viewY)) lift.active = true;
    }
    for (Actor& actor : game.actors) {
        if (InView(ActorDrawX(actor, view), actor.y - view.viewY)) actor.active = true;
    }
}

void DrawFrame(Game& game) {
    const View view = ComputeView(game);
    WakeObjectsInView(game, view);
    if (game.drawPixels) {
        // The background's twelve copies cover the whole view; only a pattern
        // number beyond the sheet leaves the cleared picture showing.
        if (game.stageBackground >= 16) game.picMain.Clear(kPictureBackColour);
        DrawBackground(game, view);
        DrawMapCells(game, view);
        DrawLifts(game, view);
        DrawActors(game, view);
        DrawPlayer(game, view);
    }
    PresentFrame(game);
}

}  // namespace tovek
