#include "tools/stage_json.h"

#include <array>
#include <cstdint>
#include <optional>

#include "common/cell_group.h"
#include "common/stage_limits.h"
#include "tools/json_reader.h"

namespace tovek {
namespace {

constexpr std::array<std::string_view, 4> kKeys = {"background", "width", "height", "cells"};
constexpr std::array<std::string_view, 4> kLayerNames = {"mainTile", "actorCode", "liftCode",
                                                         "water"};

StageJsonError ErrorAt(const JsonValue& value, std::string message) {
    return StageJsonError{value.line, value.column, std::move(message)};
}

std::string CellName(std::size_t x, std::size_t y) {
    return "cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// The integer held by `value` if it lies in minimum..maximum.
std::optional<StageJsonError> ReadInteger(const JsonValue& value, std::string_view name,
                                          int minimum, int maximum, int& result) {
    if (value.kind != JsonValue::Kind::Number || !value.integer) {
        return ErrorAt(value, std::string(name) + " must be an integer, not " +
                                  (value.kind == JsonValue::Kind::Number
                                       ? value.text
                                       : std::string(DescribeJsonKind(value.kind))));
    }
    if (*value.integer < minimum || *value.integer > maximum) {
        return ErrorAt(value, std::string(name) + " " + value.text + " is outside " +
                                  std::to_string(minimum) + ".." + std::to_string(maximum));
    }
    result = static_cast<int>(*value.integer);
    return std::nullopt;
}

struct LayerRule {
    bool (*storable)(int);
    std::string_view values;
};

constexpr std::array<LayerRule, 4> kLayerRules = {{
    {IsStorableMainTile, "0..255 except 12..15, 25, 26, 28, 29"},
    {IsStorableActorCode, "0 or 32..63"},
    {IsStorableLiftCode, "0, 12..19 or 26"},
    {IsStorableWater, "0 or 25"},
}};

std::optional<StageJsonError> ReadCell(const JsonValue& value, std::size_t x, std::size_t y,
                                       MapCell& cell) {
    if (value.kind != JsonValue::Kind::Array || value.items.size() != kLayerNames.size()) {
        return ErrorAt(value, CellName(x, y) + " must be [mainTile, actorCode, liftCode, water]");
    }
    std::array<int, 4> layers{};
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const std::string name = CellName(x, y) + " " + std::string(kLayerNames[i]);
        if (auto error = ReadInteger(value.items[i], name, 0, 255, layers[i])) return error;
        if (!kLayerRules[i].storable(layers[i])) {
            return ErrorAt(value.items[i], name + " " + std::to_string(layers[i]) +
                                               " cannot be stored (allowed: " +
                                               std::string(kLayerRules[i].values) + ")");
        }
    }
    cell = MapCell{static_cast<std::uint8_t>(layers[0]), static_cast<std::uint8_t>(layers[1]),
                   static_cast<std::uint8_t>(layers[2]), static_cast<std::uint8_t>(layers[3])};
    return std::nullopt;
}

std::optional<StageJsonError> ReadCells(const JsonValue& value, EditorStage& stage) {
    const auto width = static_cast<std::size_t>(stage.width);
    const auto height = static_cast<std::size_t>(stage.height);
    if (value.kind != JsonValue::Kind::Array) {
        return ErrorAt(value, "cells must be an array of rows, not " +
                                  std::string(DescribeJsonKind(value.kind)));
    }
    if (value.items.size() != height) {
        return ErrorAt(value, "cells has " + std::to_string(value.items.size()) +
                                  " rows but height is " + std::to_string(height));
    }
    stage.cells.resize(width * height);
    for (std::size_t y = 0; y < height; ++y) {
        const JsonValue& row = value.items[y];
        if (row.kind != JsonValue::Kind::Array) {
            return ErrorAt(row, "row " + std::to_string(y) + " must be an array of cells");
        }
        if (row.items.size() != width) {
            return ErrorAt(row, "row " + std::to_string(y) + " has " +
                                    std::to_string(row.items.size()) + " cells but width is " +
                                    std::to_string(width));
        }
        for (std::size_t x = 0; x < width; ++x) {
            if (auto error = ReadCell(row.items[x], x, y, stage.cells[y * width + x])) return error;
        }
    }
    return std::nullopt;
}

// The members of the document by key, refusing unknown, repeated and missing keys.
std::variant<std::array<const JsonValue*, 4>, StageJsonError> FindMembers(const JsonValue& root) {
    std::array<const JsonValue*, 4> found{};
    for (const auto& [key, member] : root.members) {
        std::size_t index = 0;
        while (index < kKeys.size() && kKeys[index] != key)
            ++index;
        if (index == kKeys.size()) return ErrorAt(member, "unknown key \"" + key + "\"");
        if (found[index] != nullptr) return ErrorAt(member, "key \"" + key + "\" appears twice");
        found[index] = &member;
    }
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (found[i] == nullptr)
            return ErrorAt(root, "missing key \"" + std::string(kKeys[i]) + "\"");
    }
    return found;
}

}  // namespace

std::string StageToJson(const EditorStage& stage) {
    std::string json;
    json.reserve(32 + stage.cells.size() * 20);
    json += "{\"background\": ";
    json += std::to_string(stage.background);
    json += ", \"width\": ";
    json += std::to_string(stage.width);
    json += ", \"height\": ";
    json += std::to_string(stage.height);
    json += ", \"cells\": [";
    for (int y = 0; y < stage.height; ++y) {
        json += y == 0 ? "\n  [" : ",\n  [";
        for (int x = 0; x < stage.width; ++x) {
            const MapCell& cell = stage.cells[static_cast<std::size_t>(y) * stage.width + x];
            json += x == 0 ? "[" : ", [";
            for (int layer : {cell.mainTile, cell.actorCode, cell.liftCode, cell.water}) {
                if (json.back() != '[') json += ", ";
                json += std::to_string(layer);
            }
            json += ']';
        }
        json += ']';
    }
    json += stage.height > 0 ? "\n]}\n" : "]}\n";
    return json;
}

std::variant<EditorStage, StageJsonError> StageFromJson(std::string_view text) {
    std::variant<JsonValue, JsonError> parsed = ParseJson(text);
    if (const JsonError* error = std::get_if<JsonError>(&parsed)) {
        return StageJsonError{error->line, error->column, error->message};
    }
    const JsonValue& root = std::get<JsonValue>(parsed);
    if (root.kind != JsonValue::Kind::Object) {
        return ErrorAt(root, "the stage must be a JSON object, not " +
                                 std::string(DescribeJsonKind(root.kind)));
    }
    auto members = FindMembers(root);
    if (const StageJsonError* error = std::get_if<StageJsonError>(&members)) return *error;
    const auto& [background, width, height, cells] =
        std::get<std::array<const JsonValue*, 4>>(members);

    EditorStage stage;
    if (auto error = ReadInteger(*background, "background", 0, 255, stage.background))
        return *error;
    if (auto error = ReadInteger(*width, "width", kMinMapWidth, kMaxMapSide, stage.width))
        return *error;
    if (auto error = ReadInteger(*height, "height", kMinMapHeight, kMaxMapSide, stage.height))
        return *error;
    if (auto error = ReadCells(*cells, stage)) return *error;
    return stage;
}

}  // namespace tovek
