#include "common/cell_group.h"

namespace tovek {
namespace {

// Keeps the plain bytes of a group as they are read.
std::uint8_t Take(CodedReader& reader, CellGroup& group) {
    const std::uint8_t value = reader.GetCodedByte();
    group.bytes[group.length++] = value;
    return value;
}

void Put(EncodedGroup& group, std::uint8_t value) {
    group.bytes[group.length++] = value;
}

bool IsNormalLift(int value) {
    return value >= 12 && value <= 15;
}
bool IsFastLift(int value) {
    return value >= 16 && value <= 19;
}
bool IsActor(int value) {
    return value >= 32 && value <= 63;
}

}  // namespace

GroupByteKind ClassifyGroupByte(std::uint8_t value) {
    if (IsNormalLift(value) || value == kDropLiftCode) return GroupByteKind::Lift;
    if (value == kWaterCode) return GroupByteKind::Water;
    if (IsActor(value)) return GroupByteKind::Actor;
    if (value == kDownPortEscape || value == kUpPortEscape) return GroupByteKind::Escape;
    return GroupByteKind::MainTile;
}

CellGroup ReadCellGroup(CodedReader& reader, bool oneBytePerCell) {
    CellGroup group;
    bool hadLift = false;
    for (int i = 0; i < kMaxGroupLayerBytes; ++i) {
        const std::uint8_t value = Take(reader, group);
        switch (ClassifyGroupByte(value)) {
            case GroupByteKind::Lift:
                group.cell.liftCode =
                    static_cast<std::uint8_t>(hadLift ? value + kFastLiftOffset : value);
                hadLift = true;
                break;
            case GroupByteKind::Water:
                group.cell.water = kWaterCode;
                break;
            case GroupByteKind::Actor:
                group.cell.actorCode = value;
                break;
            case GroupByteKind::Escape: {
                const std::uint8_t number = Take(reader, group);
                if (number <= 15) {
                    const int base = value == kDownPortEscape ? 32 : 48;
                    group.cell.mainTile = static_cast<std::uint8_t>(base + number);
                } else {
                    group.escapeOutOfRange = true;
                }
                return group;
            }
            case GroupByteKind::MainTile:
                group.cell.mainTile = value;
                return group;
        }
        if (oneBytePerCell) return group;
    }
    return group;
}

EncodedGroup EncodeCellGroup(const MapCell& cell) {
    EncodedGroup group;
    if (IsNormalLift(cell.liftCode) || cell.liftCode == kDropLiftCode) {
        Put(group, cell.liftCode);
    } else if (IsFastLift(cell.liftCode)) {
        Put(group, static_cast<std::uint8_t>(cell.liftCode - kFastLiftOffset));
        Put(group, static_cast<std::uint8_t>(cell.liftCode - kFastLiftOffset));
    }
    if (IsActor(cell.actorCode)) Put(group, cell.actorCode);
    if (cell.water == kWaterCode) Put(group, kWaterCode);
    if (cell.mainTile >= 32 && cell.mainTile <= 47) {
        Put(group, kDownPortEscape);
        Put(group, static_cast<std::uint8_t>(cell.mainTile - 32));
    } else if (cell.mainTile >= 48 && cell.mainTile <= 63) {
        Put(group, kUpPortEscape);
        Put(group, static_cast<std::uint8_t>(cell.mainTile - 48));
    } else {
        Put(group, IsStorableMainTile(cell.mainTile) ? cell.mainTile : 0);
    }
    return group;
}

bool IsStorableMainTile(int value) {
    return value >= 0 && value <= 255 &&
           (IsActor(value) ||
            ClassifyGroupByte(static_cast<std::uint8_t>(value)) == GroupByteKind::MainTile);
}

bool IsStorableActorCode(int value) {
    return value == 0 || IsActor(value);
}

bool IsStorableLiftCode(int value) {
    return value == 0 || IsNormalLift(value) || IsFastLift(value) || value == kDropLiftCode;
}

bool IsStorableWater(int value) {
    return value == 0 || value == kWaterCode;
}

}  // namespace tovek
