#include "tests/stages/stage_source.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "common/cell_group.h"

namespace tovek {
namespace {

// Each symbol's cell, by character code; unset symbols are unknown.
using Legend = std::array<std::optional<MapCell>, 128>;

StageSourceError ErrorAt(int line, int column, std::string message) {
    return StageSourceError{line, column, std::move(message)};
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t position = 0;
    while (true) {
        position = text.find_first_not_of(" \t", position);
        if (position == std::string_view::npos) break;
        const std::size_t end = text.find_first_of(" \t", position);
        words.push_back(text.substr(position, end - position));
        if (end == std::string_view::npos) break;
        position = end;
    }
    return words;
}

// The number written in `word`, or -1 when it is not a whole number 0..255.
int ParseCode(std::string_view word) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < 0 || value > 255) {
        return -1;
    }
    return value;
}

bool IsSymbol(char c) {
    return c > ' ' && c < 127;
}

// One layer word of a key line: main=N, actor=N, lift=N or water.
std::optional<std::string> ApplyLayer(std::string_view word, MapCell& cell) {
    if (word == "water") {
        cell.water = kWaterCode;
        return std::nullopt;
    }
    const std::size_t equals = word.find('=');
    const std::string_view name = word.substr(0, equals);
    const int value = equals == std::string_view::npos ? -1 : ParseCode(word.substr(equals + 1));
    struct Layer {
        std::string_view name;
        bool (*storable)(int);
        std::uint8_t MapCell::*field;
    };
    static constexpr std::array<Layer, 3> kLayers = {{
        {"main", IsStorableMainTile, &MapCell::mainTile},
        {"actor", IsStorableActorCode, &MapCell::actorCode},
        {"lift", IsStorableLiftCode, &MapCell::liftCode},
    }};
    for (const Layer& layer : kLayers) {
        if (name != layer.name) continue;
        if (value < 0 || !layer.storable(value)) {
            return "\"" + std::string(word) + "\" is no " + std::string(name) +
                   " code a stage file can hold";
        }
        cell.*layer.field = static_cast<std::uint8_t>(value);
        return std::nullopt;
    }
    return "unknown layer \"" + std::string(word) + "\" (main=N, actor=N, lift=N or water)";
}

std::optional<StageSourceError> ReadKey(std::string_view line, int lineNumber, Legend& legend) {
    // "key" and one blank, then the symbol.
    const std::size_t symbolAt = line.find_first_not_of(" \t", 3);
    if (line.size() < 4 || (line[3] != ' ' && line[3] != '\t') ||
        symbolAt == std::string_view::npos || !IsSymbol(line[symbolAt])) {
        return ErrorAt(lineNumber, 0,
                       "a key line is: key SYMBOL [main=N] [actor=N] [lift=N] [water]");
    }
    const char symbol = line[symbolAt];
    const std::size_t rest = symbolAt + 1;
    if (rest < line.size() && line[rest] != ' ' && line[rest] != '\t') {
        return ErrorAt(lineNumber, static_cast<int>(symbolAt) + 1, "a symbol is one character");
    }
    if (legend[static_cast<unsigned char>(symbol)]) {
        return ErrorAt(lineNumber, static_cast<int>(symbolAt) + 1,
                       std::string("symbol '") + symbol + "' has a key already");
    }
    std::string_view layers = line.substr(rest);
    layers = layers.substr(0, layers.find('#'));
    MapCell cell;
    for (std::string_view word : SplitWords(layers)) {
        if (auto problem = ApplyLayer(word, cell)) {
            const auto column = static_cast<int>(word.data() - line.data()) + 1;
            return ErrorAt(lineNumber, column, *problem);
        }
    }
    legend[static_cast<unsigned char>(symbol)] = cell;
    return std::nullopt;
}

std::optional<StageSourceError> ReadBackground(std::string_view line, int lineNumber,
                                               std::optional<int>& background) {
    const std::vector<std::string_view> words = SplitWords(line);
    const int value = words.size() == 2 ? ParseCode(words[1]) : -1;
    if (value < 0 || value > 15) {
        return ErrorAt(lineNumber, 0, "a background line is: background N, N in 0..15");
    }
    if (background) return ErrorAt(lineNumber, 0, "the background is given twice");
    background = value;
    return std::nullopt;
}

bool StartsWithWord(std::string_view line, std::string_view word) {
    return line.substr(0, word.size()) == word &&
           (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t');
}

}  // namespace

std::variant<EditorStage, StageSourceError> ParseStageSource(std::string_view text) {
    const std::vector<std::string_view> lines = SplitLines(text);
    Legend legend;
    std::optional<int> background;
    std::size_t index = 0;
    for (; index < lines.size(); ++index) {
        const std::string_view line = lines[index];
        const int lineNumber = static_cast<int>(index) + 1;
        if (line.find_first_not_of(" \t") == std::string_view::npos || line.front() == '#') {
            continue;
        }
        if (line == "map") break;
        std::optional<StageSourceError> error;
        if (StartsWithWord(line, "key")) {
            error = ReadKey(line, lineNumber, legend);
        } else if (StartsWithWord(line, "background")) {
            error = ReadBackground(line, lineNumber, background);
        } else {
            error = ErrorAt(lineNumber, 0, "expected background, key or map");
        }
        if (error) return *error;
    }
    if (index == lines.size()) return ErrorAt(static_cast<int>(index), 0, "no map line");
    if (!background) return ErrorAt(static_cast<int>(index) + 1, 0, "no background line");

    const std::size_t firstRow = index + 1;
    const std::size_t rowCount = lines.size() - firstRow;
    if (rowCount == 0) return ErrorAt(static_cast<int>(index) + 1, 0, "the map has no rows");
    const std::size_t width = lines[firstRow].size();
    EditorStage stage;
    stage.background = *background;
    stage.width = static_cast<int>(width);
    stage.height = static_cast<int>(rowCount);
    stage.cells.reserve(width * rowCount);
    for (std::size_t row = firstRow; row < lines.size(); ++row) {
        const std::string_view line = lines[row];
        const int lineNumber = static_cast<int>(row) + 1;
        if (line.size() != width) {
            return ErrorAt(lineNumber, 0,
                           "row is " + std::to_string(line.size()) + " cells wide, the first is " +
                               std::to_string(width));
        }
        for (std::size_t column = 0; column < width; ++column) {
            const auto symbol = static_cast<unsigned char>(line[column]);
            if (symbol >= legend.size() || !legend[symbol]) {
                return ErrorAt(lineNumber, static_cast<int>(column) + 1,
                               std::string("symbol '") + line[column] + "' has no key");
            }
            stage.cells.push_back(*legend[symbol]);
        }
    }
    if (stage.width < 12 || stage.width > 255 || stage.height < 8 || stage.height > 255) {
        return ErrorAt(static_cast<int>(firstRow) + 1, 0,
                       "the map is " + std::to_string(stage.width) + " x " +
                           std::to_string(stage.height) +
                           " cells; a stage is 12..255 wide and 8..255 high");
    }
    return stage;
}

}  // namespace tovek
