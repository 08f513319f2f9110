#include "assets/generators/pixel_art.h"

#include <sstream>
#include <stdexcept>

namespace tovek::assets {
namespace {

[[noreturn]] void Fail(const std::string& fileName, int line, const std::string& message) {
    throw std::runtime_error(fileName + ":" + std::to_string(line) + ": " + message);
}

bool IsSkipped(const std::string& line) {
    return line.empty() || line[0] == '#';
}

// Reads cells; a cell's size is `fixedSize`, or the last word of its "cell"
// line when `fixedSize` is 0.
std::vector<ArtCell> ParseCells(std::istream& in, const std::string& fileName,
                                const Palette& palette, int fixedSize) {
    std::vector<ArtCell> cells;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (IsSkipped(line)) continue;
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word != "cell") Fail(fileName, lineNumber, "expected a \"cell\" line");
        std::vector<std::string> key;
        while (words >> word)
            key.push_back(word);
        if (key.empty()) Fail(fileName, lineNumber, "a cell needs a name");
        int size = fixedSize;
        if (size == 0) {
            const std::string& last = key.back();
            if (key.size() < 2 || last.size() > 3 ||
                last.find_first_not_of("0123456789") != std::string::npos || last[0] == '0') {
                Fail(fileName, lineNumber, "expected a name and a size in pixels");
            }
            size = std::stoi(last);
        }
        ArtCell cell{std::move(key), fileName + ":" + std::to_string(lineNumber),
                     Image(size, size)};
        for (int y = 0; y < size; ++y) {
            if (!std::getline(in, line)) Fail(fileName, lineNumber, "cell ends early");
            ++lineNumber;
            if (static_cast<int>(line.size()) != size) {
                Fail(fileName, lineNumber, "expected " + std::to_string(size) + " pixels");
            }
            for (int x = 0; x < size; ++x) {
                const char c = line[x];
                if (c == kTransparentChar) {
                    cell.hasTransparency = true;
                    continue;
                }
                const auto found = palette.find(c);
                if (found == palette.end()) {
                    Fail(fileName, lineNumber, std::string("unknown colour '") + c + "'");
                }
                cell.picture.Set(x, y, found->second);
            }
        }
        cells.push_back(std::move(cell));
    }
    return cells;
}

}  // namespace

Palette ParsePalette(std::istream& in, const std::string& fileName) {
    Palette palette;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (IsSkipped(line)) continue;
        std::istringstream words(line);
        std::string symbol;
        std::string hex;
        if (!(words >> symbol >> hex) || symbol.size() != 1 || hex.size() != 6 ||
            hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
            Fail(fileName, lineNumber, "expected a character and six hex digits");
        }
        const char c = symbol[0];
        const Rgb colour = static_cast<Rgb>(std::stoul(hex, nullptr, 16));
        if (c == kTransparentChar) Fail(fileName, lineNumber, "'.' is reserved for transparency");
        if (colour == kBlack) Fail(fileName, lineNumber, "pure black is reserved for transparency");
        if (!palette.emplace(c, colour).second) Fail(fileName, lineNumber, "colour defined twice");
    }
    return palette;
}

std::vector<ArtCell> ParseArtCells(std::istream& in, const std::string& fileName,
                                   const Palette& palette, int size) {
    return ParseCells(in, fileName, palette, size);
}

std::vector<ArtCell> ParseSizedArtCells(std::istream& in, const std::string& fileName,
                                        const Palette& palette) {
    return ParseCells(in, fileName, palette, 0);
}

}  // namespace tovek::assets
