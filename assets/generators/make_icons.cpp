// Builds the program icons from their pixel art: make_icons ART_DIR OUT_DIR
// writes OUT_DIR/NAME-SIZE.png for the game (tovek) and the editor (quorle).
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "assets/generators/icon_set.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_icons ART_DIR OUT_DIR\n";
        return 2;
    }
    const std::string artDir = argv[1];
    const std::string outDir = argv[2];
    try {
        std::ifstream paletteFile(artDir + "/palette.txt");
        std::ifstream iconFile(artDir + "/icons.txt");
        if (!paletteFile || !iconFile) throw std::runtime_error("cannot read the art in " + artDir);
        const auto palette = tovek::assets::ParsePalette(paletteFile, "palette.txt");
        const auto cells = tovek::assets::ParseSizedArtCells(iconFile, "icons.txt", palette);
        for (const char* name : {"tovek", "quorle"}) {
            for (const int size : tovek::assets::kIconSizes) {
                const std::string path = outDir + "/" + name + "-" + std::to_string(size) + ".png";
                if (!tovek::assets::WriteTransparentPng(tovek::assets::BuildIcon(cells, name, size),
                                                        path)) {
                    throw std::runtime_error("cannot write " + path);
                }
            }
        }
    } catch (const std::exception& error) {
        std::cerr << "make_icons: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
