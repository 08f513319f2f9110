#pragma once

#include <istream>
#include <map>
#include <string>
#include <vector>

#include "assets/generators/image.h"

namespace tovek::assets {

// Pixel art is written as text: one character a pixel. A palette file names the
// colours ("k 1c1824 outline"); '.' always means transparent and is stored as
// black, the colour the sheets reserve for it.
inline constexpr char kTransparentChar = '.';

using Palette = std::map<char, Rgb>;

// One drawn cell of an art file: the words of its "cell" line (for example
// {"map", "17"}) and its picture.
struct ArtCell {
    std::vector<std::string> key;
    std::string origin;  // file:line, for messages
    Image picture;
    bool hasTransparency = false;
};

// Both parsers throw std::runtime_error naming the file and line of a mistake.
Palette ParsePalette(std::istream& in, const std::string& fileName);

// Cells are a "cell WORD..." line followed by `size` lines of exactly `size`
// palette characters. Blank lines and lines starting with '#' are skipped.
std::vector<ArtCell> ParseArtCells(std::istream& in, const std::string& fileName,
                                   const Palette& palette, int size = 32);

// The same for cells of several sizes: the last word of each "cell" line is
// the cell's size in pixels ("cell tovek 16").
std::vector<ArtCell> ParseSizedArtCells(std::istream& in, const std::string& fileName,
                                        const Palette& palette);

}  // namespace tovek::assets
