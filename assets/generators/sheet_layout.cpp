#include "assets/generators/sheet_layout.h"

#include <set>
#include <stdexcept>
#include <string>

namespace tovek::assets {
namespace {

constexpr int kActorKinds = 16;
constexpr int kMapCodes = 32;

bool IsMaskedCode(int code) {
    return (code >= 16 && code <= 24) || code == 30 || code == 31;
}

int ParseNumber(const ArtCell& cell, std::size_t word, int limit) {
    if (cell.key.size() <= word) throw std::runtime_error(cell.origin + ": missing number");
    const std::string& text = cell.key[word];
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of("0123456789") != std::string::npos || std::stoi(text) >= limit) {
        throw std::runtime_error(cell.origin + ": bad number \"" + text + "\"");
    }
    return std::stoi(text);
}

void PutCell(Image& sheet, const Image& picture, int column, int row) {
    sheet.CopyFrom(picture, 0, 0, kCell, kCell, column * kCell, row * kCell);
}

void PutMaskedCell(Image& sheet, const Image& picture, int column, int maskRow, int pictureRow) {
    PutCell(sheet, MaskOf(picture), column, maskRow);
    PutCell(sheet, picture, column, pictureRow);
}

void Claim(std::set<std::string>& seen, const ArtCell& cell, const std::string& name) {
    if (!seen.insert(name).second) throw std::runtime_error(cell.origin + ": " + name + " twice");
}

void RequireAll(const std::set<std::string>& seen, const std::string& prefix, int count) {
    for (int i = 0; i < count; ++i) {
        if (!seen.contains(prefix + std::to_string(i))) {
            throw std::runtime_error("no cell for " + prefix + std::to_string(i));
        }
    }
}

}  // namespace

Image MaskOf(const Image& picture) {
    Image mask(picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            mask.Set(x, y, picture.At(x, y) == kBlack ? kWhite : kBlack);
        }
    }
    return mask;
}

Image BuildMapSheet(const std::vector<ArtCell>& cells) {
    Image sheet(kMapSheetWidth, kMapSheetHeight);
    std::set<std::string> seen;
    for (const ArtCell& cell : cells) {
        const std::string& kind = cell.key[0];
        if (kind == "map") {
            const int code = ParseNumber(cell, 1, kMapCodes);
            Claim(seen, cell, "map " + std::to_string(code));
            if (IsMaskedCode(code)) {
                PutMaskedCell(sheet, cell.picture, code % 16, 1, 3);
            } else if (cell.hasTransparency) {
                throw std::runtime_error(cell.origin + ": opaque tile with transparent pixels");
            } else {
                PutCell(sheet, cell.picture, code % 16, code / 16);
            }
        } else if (kind == "actor") {
            const int actorKind = ParseNumber(cell, 1, kActorKinds);
            Claim(seen, cell, "actor " + std::to_string(actorKind));
            PutMaskedCell(sheet, cell.picture, actorKind, 2, 4);
        }
    }
    RequireAll(seen, "map ", kMapCodes);
    RequireAll(seen, "actor ", kActorKinds);
    return sheet;
}

Image BuildPlayerSheet(const std::vector<ArtCell>& cells) {
    Image sheet(kPlayerSheetWidth, kPlayerSheetHeight);
    std::set<std::string> seen;
    for (const ArtCell& cell : cells) {
        if (cell.key[0] != "player") continue;
        const int character = ParseNumber(cell, 1, kCharacterCount);
        const int step = ParseNumber(cell, 2, 2);
        Claim(seen, cell, "player " + std::to_string(character * 2 + step));
        PutMaskedCell(sheet, cell.picture, step, 2 * character, 2 * character + 1);
        PutMaskedCell(sheet, cell.picture.MirroredLeftRight(), 2 + step, 2 * character,
                      2 * character + 1);
    }
    RequireAll(seen, "player ", 2 * kCharacterCount);
    return sheet;
}

}  // namespace tovek::assets
