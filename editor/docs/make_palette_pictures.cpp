// Writes the picture of every palette cell as Quorle shows it, and prints the
// README's palette table (picture, code, name, what it does):
// make_palette_pictures OUT_DIR > table.md. The pictures' file names in the
// table are relative to the repository's top, as OUT_DIR docs/palette is.
#include <iostream>
#include <string>

#include "common/png_image.h"
#include "common/sheets.h"
#include "editor/core/geometry.h"
#include "editor/core/palette.h"
#include "editor/core/tile_names.h"

namespace {

using namespace quorle;

std::string FileName(int code) {
    return (code < 10 ? "0" : "") + std::to_string(code) + ".png";
}

// The names of a cell; a lift cell names its two halves.
std::string Names(int code) {
    const TileName upper = PaletteTileName(code, false, false);
    if (code < 12 || code > 15) return upper.Text();
    return "上半分: " + upper.Text() + "、下半分: " + PaletteTileName(code, true, false).Text();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_palette_pictures OUT_DIR\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    tovek::Surface palette = tovek::LoadPictureSheets().picMap;
    ComposeMaskedRows(palette);
    std::cout << "| Picture | Code | Name in Quorle (and what it does) |\n|---|---|---|\n";
    for (int code = 0; code < 80; ++code) {
        tovek::Surface cell(kCell, kCell);
        tovek::BitBlt(cell, 0, 0, kCell, kCell, palette, (code % 16) * kCell, (code / 16) * kCell,
                      tovek::RasterOp::SrcCopy);
        if (!tovek::WritePng(out / FileName(code), cell)) {
            std::cerr << "cannot write " << (out / FileName(code)).string() << "\n";
            return 1;
        }
        std::cout << "| ![](docs/palette/" << FileName(code) << ") | " << code << " | "
                  << Names(code) << " |\n";
    }
    return 0;
}
