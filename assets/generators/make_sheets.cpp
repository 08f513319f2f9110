// Builds the three picture sheets from the pixel-art text files and the
// background painter: make_sheets ART_DIR OUT_DIR.
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "assets/generators/backgrounds.h"
#include "assets/generators/pixel_art.h"
#include "assets/generators/sheet_layout.h"

namespace {

using tovek::assets::ArtCell;

std::ifstream OpenOrThrow(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    return in;
}

void WriteOrThrow(const tovek::assets::Image& image, const std::string& path) {
    if (!tovek::assets::WritePng(image, path)) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_sheets ART_DIR OUT_DIR\n";
        return 2;
    }
    const std::string artDir = argv[1];
    const std::string outDir = argv[2];
    try {
        std::ifstream paletteFile = OpenOrThrow(artDir + "/palette.txt");
        const auto palette = tovek::assets::ParsePalette(paletteFile, "palette.txt");
        std::vector<ArtCell> cells;
        for (const char* name : {"tiles.txt", "items.txt", "actors.txt", "players.txt"}) {
            std::ifstream in = OpenOrThrow(artDir + "/" + name);
            for (ArtCell& cell : tovek::assets::ParseArtCells(in, name, palette)) {
                cells.push_back(std::move(cell));
            }
        }
        WriteOrThrow(tovek::assets::BuildMapSheet(cells), outDir + "/map.png");
        WriteOrThrow(tovek::assets::BuildPlayerSheet(cells), outDir + "/player.png");
        WriteOrThrow(tovek::assets::BuildBackgroundSheet(), outDir + "/backgrounds.png");
    } catch (const std::exception& error) {
        std::cerr << "make_sheets: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
