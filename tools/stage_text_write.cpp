// Writing a stage as a source: default symbols where they fit, a described
// legend line for every other cell.
#include <algorithm>
#include <cstdint>
#include <map>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/utf8.h"
#include "tools/stage_symbols.h"
#include "tools/stage_text.h"

namespace tovek {
namespace {

std::uint32_t Packed(const MapCell& cell) {
    return static_cast<std::uint32_t>(cell.mainTile) << 24 | cell.actorCode << 16 |
           cell.liftCode << 8 | cell.water;
}

// Legend lines come in this order: cells of one layer before combinations,
// then by their codes, so that ports, actors and lifts group together.
using LegendOrder = std::tuple<int, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t>;

LegendOrder OrderOf(const MapCell& cell) {
    const int layers =
        (cell.mainTile != 0) + (cell.actorCode != 0) + (cell.liftCode != 0) + (cell.water != 0);
    return {layers, cell.mainTile, cell.actorCode, cell.liftCode, cell.water};
}

// A port alone in its cell keeps its number as its symbol where it can.
std::optional<char32_t> PreferredSymbol(const MapCell& cell) {
    if (cell.actorCode != 0 || cell.liftCode != 0 || cell.water != 0) return std::nullopt;
    if (cell.mainTile < 32 || cell.mainTile > 63) return std::nullopt;
    const int number = (cell.mainTile - 32) % 16;
    if (number > 9) return std::nullopt;
    return static_cast<char32_t>('0' + number);
}

std::string LayerWords(const MapCell& cell) {
    std::string words;
    const auto add = [&](const std::string& word) { words += (words.empty() ? "" : " ") + word; };
    if (cell.mainTile != 0) add("main=" + std::to_string(cell.mainTile));
    if (cell.actorCode != 0) add("actor=" + std::to_string(cell.actorCode));
    if (cell.liftCode != 0) add("lift=" + std::to_string(cell.liftCode));
    if (cell.water != 0)
        add(cell.water == kWaterCode ? "water" : "water=" + std::to_string(cell.water));
    return words;
}

MapCell CellAt(const EditorStage& stage, std::size_t index) {
    return index < stage.cells.size() ? stage.cells[index] : MapCell{};
}

}  // namespace

std::string StageToText(const EditorStage& stage) {
    const std::size_t cellCount =
        static_cast<std::size_t>(std::max(stage.width, 0)) * std::max(stage.height, 0);
    std::map<LegendOrder, MapCell> distinct;
    for (std::size_t i = 0; i < cellCount; ++i) {
        const MapCell cell = CellAt(stage, i);
        distinct.emplace(OrderOf(cell), cell);
    }

    // Defaults first, then ports keep their numbers, then spare symbols.
    std::unordered_map<std::uint32_t, char32_t> symbols;
    std::vector<MapCell> legend;
    std::unordered_set<char32_t> taken;
    for (const auto& [order, cell] : distinct) {
        if (const std::optional<char32_t> symbol = DefaultSymbolOf(cell)) {
            symbols[Packed(cell)] = *symbol;
            continue;
        }
        legend.push_back(cell);
        const std::optional<char32_t> preferred = PreferredSymbol(cell);
        if (preferred && taken.insert(*preferred).second) symbols[Packed(cell)] = *preferred;
    }
    std::size_t spare = 0;
    for (const MapCell& cell : legend) {
        if (symbols.contains(Packed(cell))) continue;
        std::optional<char32_t> symbol;
        while ((symbol = SpareSymbol(spare++)) && taken.contains(*symbol)) {
        }
        // There are more spare symbols than a map of 255 x 255 cells can use.
        symbols[Packed(cell)] = symbol.value_or(0xFFFD);
    }

    std::string text = "# name:\n# idea:\n\nbackground " + std::to_string(stage.background) + "\n";
    std::size_t wordsWidth = 0;
    for (const MapCell& cell : legend)
        wordsWidth = std::max(wordsWidth, LayerWords(cell).size());
    if (!legend.empty()) text += "\n";
    for (const MapCell& cell : legend) {
        const std::string words = LayerWords(cell);
        text += "key ";
        AppendCodePoint(text, symbols[Packed(cell)]);
        text += "  " + words + std::string(wordsWidth - words.size(), ' ') + "  # " +
                DescribeCell(cell) + "\n";
    }
    text += "\nmap\n";
    for (std::size_t i = 0; i < cellCount; ++i) {
        AppendCodePoint(text, symbols[Packed(CellAt(stage, i))]);
        if ((i + 1) % static_cast<std::size_t>(stage.width) == 0) text += "\n";
    }
    return text;
}

}  // namespace tovek
