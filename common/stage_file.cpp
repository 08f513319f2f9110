#include "common/stage_file.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace tovek {
namespace {

// Lift codes whose direction a mirrored map reverses: the pairs swap.
constexpr std::uint8_t MirrorLiftCode(std::uint8_t code, bool mirrorHorizontal,
                                      bool mirrorVertical) {
    const bool across = code == 12 || code == 13 || code == 16 || code == 17;
    const bool upDown = code == 14 || code == 15 || code == 18 || code == 19;
    if ((across && mirrorHorizontal) || (upDown && mirrorVertical))
        return static_cast<std::uint8_t>(code ^ 1);
    return code;
}

using LiftCodeTable = std::array<std::uint8_t, 256>;

constexpr LiftCodeTable MirroredLiftCodes(bool mirrorHorizontal, bool mirrorVertical) {
    LiftCodeTable table{};
    for (std::size_t code = 0; code < table.size(); ++code) {
        table[code] =
            MirrorLiftCode(static_cast<std::uint8_t>(code), mirrorHorizontal, mirrorVertical);
    }
    return table;
}

// Built once at compile time: a read of a small stage would otherwise spend
// more on the table than on its cells.
constexpr std::array<LiftCodeTable, 4> kLiftCodesByMirroring = {
    MirroredLiftCodes(false, false), MirroredLiftCodes(false, true), MirroredLiftCodes(true, false),
    MirroredLiftCodes(true, true)};

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

EditorStage ReadEditorStage(std::span<const std::uint8_t> bytes, std::size_t* cellsInFile) {
    CodedReader reader(bytes);
    const StageHeader header = ReadStageHeader(reader);
    EditorStage stage;
    stage.background = header.background;
    stage.width = header.width;
    stage.height = header.height;
    stage.cells.resize(CellCount(stage.width, stage.height));
    const std::size_t cellsRead = ReadCells(reader, header.oneBytePerCell, stage.cells);
    if (cellsInFile != nullptr) *cellsInFile = cellsRead;
    return stage;
}

std::vector<std::uint8_t> WriteEditorStage(const EditorStage& stage, KeyMaterial material) {
    const std::size_t count = CellCount(stage.width, stage.height);
    std::vector<std::uint8_t> payload(3 + count * kMaxEditorGroupBytes);
    payload[0] = static_cast<std::uint8_t>(stage.background);
    payload[1] = static_cast<std::uint8_t>(stage.width);
    payload[2] = static_cast<std::uint8_t>(stage.height);
    std::size_t size = 3;
    for (std::size_t i = 0; i < count; ++i) {
        const MapCell cell = i < stage.cells.size() ? stage.cells[i] : MapCell{};
        size +=
            EncodeCellGroup(cell, std::span(payload).subspan(size).first<kMaxEditorGroupBytes>());
    }
    payload.resize(size);
    CodedWriter writer(material, size);
    writer.PutCodedBytes(payload);
    return std::move(writer).TakeBytes();
}

std::optional<GameStage> ReadGameStage(std::span<const std::uint8_t> bytes, bool mirrorHorizontal,
                                       bool mirrorVertical) {
    CodedReader reader(bytes);
    const StageHeader header = ReadStageHeader(reader);
    if (header.width == 0 || header.height == 0) return std::nullopt;

    const std::size_t width = header.width;
    const std::size_t height = header.height;
    GameStage stage;
    stage.background = header.background;
    stage.mapWidth = header.width;
    stage.mapHeight = header.height;
    stage.tileMap.resize(width * height);
    stage.waterMap.resize(width * height);
    stage.spawnActor.resize(width * height);
    stage.spawnLift.resize(width * height);

    const LiftCodeTable& liftCodes =
        kLiftCodesByMirroring[(mirrorHorizontal ? 2 : 0) + (mirrorVertical ? 1 : 0)];
    // Plain pointers: byte stores through the vectors could alias their own
    // bookkeeping and force it to be reloaded for every cell.
    std::uint8_t* const tiles = stage.tileMap.data();
    std::uint8_t* const water = stage.waterMap.data();
    std::uint8_t* const actors = stage.spawnActor.data();
    std::uint8_t* const lifts = stage.spawnLift.data();
    const std::vector<std::uint8_t> payload = reader.GetRemainingCodedBytes();
    PlainBytes cells(payload);
    // Cells after the end of a short file stay empty.
    for (std::size_t row = 0; row < height && !cells.AtEnd(); ++row) {
        const std::size_t targetRow = mirrorVertical ? height - 1 - row : row;
        for (std::size_t column = 0; column < width && !cells.AtEnd(); ++column) {
            const std::size_t targetColumn = mirrorHorizontal ? width - 1 - column : column;
            const MapCell cell = ReadCellGroup(cells, header.oneBytePerCell).cell;
            const std::size_t index = targetColumn + targetRow * width;
            tiles[index] = cell.mainTile;
            water[index] = cell.water;
            actors[index] = cell.actorCode;
            lifts[index] = liftCodes[cell.liftCode];
            if (cell.mainTile == kStartTile) {
                stage.start = StartCell{static_cast<std::int16_t>(targetColumn),
                                        static_cast<std::int16_t>(targetRow)};
            }
        }
    }
    return stage;
}

std::optional<GameStage> GameStageFromEditorStage(const EditorStage& stage, bool mirrorHorizontal,
                                                  bool mirrorVertical) {
    return ReadGameStage(WriteEditorStage(stage, KeyMaterial{}), mirrorHorizontal, mirrorVertical);
}

}  // namespace tovek
