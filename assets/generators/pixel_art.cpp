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
        ArtCell cell{{}, fileName + ":" + std::to_string(lineNumber), Image(size, size)};
        while (words >> word)
            cell.key.push_back(word);
        if (cell.key.empty()) Fail(fileName, lineNumber, "a cell needs a name");
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

}  // namespace tovek::assets
