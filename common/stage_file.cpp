#include "common/stage_file.h"

#include <cstddef>

namespace tovek {
namespace {

// Lift codes whose direction a mirrored map reverses: the pairs swap.
std::uint8_t MirrorLiftCode(std::uint8_t code, bool mirrorHorizontal, bool mirrorVertical) {
    const bool across = code == 12 || code == 13 || code == 16 || code == 17;
    const bool upDown = code == 14 || code == 15 || code == 18 || code == 19;
    if ((across && mirrorHorizontal) || (upDown && mirrorVertical))
        return static_cast<std::uint8_t>(code ^ 1);
    return code;
}

std::size_t CellCount(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

StageHeader ReadStageHeader(CodedReader& reader) {
    StageHeader header;
    header.background = reader.GetCodedByte();
    header.width = reader.GetCodedByte();
    header.height = reader.GetCodedByte();
    header.oneBytePerCell = reader.Remaining() == CellCount(header.width, header.height);
    return header;
}

EditorStage ReadEditorStage(std::span<const std::uint8_t> bytes) {
    CodedReader reader(bytes);
    const StageHeader header = ReadStageHeader(reader);
    EditorStage stage;
    stage.background = header.background;
    stage.width = header.width;
    stage.height = header.height;
    stage.cells.resize(CellCount(stage.width, stage.height));
    for (MapCell& cell : stage.cells)
        cell = ReadCellGroup(reader, header.oneBytePerCell).cell;
    return stage;
}

std::vector<std::uint8_t> WriteEditorStage(const EditorStage& stage, KeyMaterial material) {
    const std::size_t count = CellCount(stage.width, stage.height);
    CodedWriter writer(material, 3 + count * 2);
    writer.PutCodedByte(static_cast<std::uint8_t>(stage.background));
    writer.PutCodedByte(static_cast<std::uint8_t>(stage.width));
    writer.PutCodedByte(static_cast<std::uint8_t>(stage.height));
    for (std::size_t i = 0; i < count; ++i) {
        const MapCell cell = i < stage.cells.size() ? stage.cells[i] : MapCell{};
        const EncodedGroup group = EncodeCellGroup(cell);
        for (std::uint8_t byte : group.Bytes())
            writer.PutCodedByte(byte);
    }
    return std::move(writer).TakeBytes();
}

std::optional<GameStage> ReadGameStage(std::span<const std::uint8_t> bytes, bool mirrorHorizontal,
                                       bool mirrorVertical) {
    CodedReader reader(bytes);
    const StageHeader header = ReadStageHeader(reader);
    if (header.width == 0 || header.height == 0) return std::nullopt;

    GameStage stage;
    stage.background = header.background;
    stage.mapWidth = header.width;
    stage.mapHeight = header.height;
    const std::size_t count = CellCount(header.width, header.height);
    stage.tileMap.assign(count, 0);
    stage.waterMap.assign(count, 0);
    stage.spawnActor.assign(count, 0);
    stage.spawnLift.assign(count, 0);

    for (int row = 0; row < header.height; ++row) {
        const int targetRow = mirrorVertical ? header.height - 1 - row : row;
        for (int column = 0; column < header.width; ++column) {
            const int targetColumn = mirrorHorizontal ? header.width - 1 - column : column;
            const MapCell cell = ReadCellGroup(reader, header.oneBytePerCell).cell;
            const std::size_t index = static_cast<std::size_t>(targetColumn) +
                                      static_cast<std::size_t>(targetRow) * header.width;
            stage.tileMap[index] = cell.mainTile;
            stage.waterMap[index] = cell.water;
            stage.spawnActor[index] = cell.actorCode;
            stage.spawnLift[index] =
                MirrorLiftCode(cell.liftCode, mirrorHorizontal, mirrorVertical);
            if (cell.mainTile == kStartTile) {
                stage.start = StartCell{static_cast<std::int16_t>(targetColumn),
                                        static_cast<std::int16_t>(targetRow)};
            }
        }
    }
    return stage;
}

}  // namespace tovek
