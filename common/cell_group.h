#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/coded_stream.h"

namespace tovek {

// One map position as the editor holds it, byte for byte the four layers a
// stage file describes for a cell; 0 means empty in every layer.
struct MapCell {
    std::uint8_t mainTile = 0;   // 0..11, 16..24 (16 = start), 27, 30, 31, 32..63 ports, 64..
    std::uint8_t actorCode = 0;  // 32..63
    std::uint8_t liftCode = 0;   // 12..15, fast 16..19, drop lift 26
    std::uint8_t water = 0;      // 25

    friend bool operator==(const MapCell&, const MapCell&) = default;
};

inline constexpr std::uint8_t kStartTile = 16;
inline constexpr std::uint8_t kWaterCode = 25;
// Lift codes: 12..15 move left, right, up, down; 16..19 the same, fast.
inline constexpr std::uint8_t kFirstLiftCode = 12;
inline constexpr std::uint8_t kFirstFastLiftCode = 16;
inline constexpr std::uint8_t kLastFastLiftCode = 19;
inline constexpr std::uint8_t kDropLiftCode = 26;
inline constexpr std::uint8_t kDownPortEscape = 28;  // main tile 32 + n
inline constexpr std::uint8_t kUpPortEscape = 29;    // main tile 48 + n
inline constexpr std::uint8_t kFastLiftOffset = 4;   // a second lift byte adds this
// Actor codes: kinds 0..15 facing left from 32, facing right from 48.
inline constexpr std::uint8_t kActorCodeLeft = 32;
inline constexpr std::uint8_t kActorCodeRight = 48;

// A group ends after at most this many layer bytes.
inline constexpr int kMaxGroupLayerBytes = 10;
// The editor writes at most: two lift bytes, actor, water, escape, number.
inline constexpr std::size_t kMaxEditorGroupBytes = 6;

// What a byte of a cell group means. Layer bytes add to the cell and the group
// goes on; an escape or a main tile ends it.
enum class GroupByteKind : std::uint8_t { Lift, Water, Actor, Escape, MainTile };

constexpr GroupByteKind ClassifyGroupByteValue(std::uint8_t value) {
    if ((value >= 12 && value <= 15) || value == kDropLiftCode) return GroupByteKind::Lift;
    if (value == kWaterCode) return GroupByteKind::Water;
    if (value >= 32 && value <= 63) return GroupByteKind::Actor;
    if (value == kDownPortEscape || value == kUpPortEscape) return GroupByteKind::Escape;
    return GroupByteKind::MainTile;
}

// The kind of every byte value, looked up rather than compared, so that
// reading a busy map does not stall on unpredictable branches.
inline constexpr auto kGroupByteKinds = [] {
    std::array<GroupByteKind, 256> kinds{};
    for (int value = 0; value < 256; ++value) {
        kinds[value] = ClassifyGroupByteValue(static_cast<std::uint8_t>(value));
    }
    return kinds;
}();

constexpr GroupByteKind ClassifyGroupByte(std::uint8_t value) {
    return kGroupByteKinds[value];
}

// The plain bytes of a stage's cells, read one at a time. Past the end they
// read as 0, as the scrambled stream does.
class PlainBytes {
  public:
    explicit PlainBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t Next() {
        const std::uint8_t value = position_ < bytes_.size() ? bytes_[position_] : 0;
        ++position_;
        return value;
    }

    // Bytes taken so far, counting those read past the end.
    std::size_t Position() const { return position_; }
    bool AtEnd() const { return position_ >= bytes_.size(); }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// One cell group as read.
struct CellGroup {
    MapCell cell;                   // liftCode has the second-byte +4 rule applied
    bool escapeOutOfRange = false;  // escape followed by a value above 15: main tile left 0
};

// Reads one cell group: the one reading of the format, shared by both
// programs' readers and the stage check.
//   - A main-tile byte ends the group. An escape (28, 29) takes the next byte
//     n and ends the group: main tile 32 + n or 48 + n when n is 0..15, else
//     the main tile stays 0.
//   - Layer bytes add to the cell and the group goes on: a lift byte sets the
//     lift code, each lift byte after the first adding 4 (12 twice is the
//     fast lift 16); 25 is water; 32..63 an actor code (the last one wins).
//   - The group also ends after ten layer bytes, and in one-byte-per-cell
//     files after its first byte (an escape still takes its number).
// The main tile is tested first: it ends nearly every group.
inline CellGroup ReadCellGroup(PlainBytes& bytes, bool oneBytePerCell) {
    CellGroup group;
    bool hadLift = false;
    for (int i = 0; i < kMaxGroupLayerBytes; ++i) {
        const std::uint8_t value = bytes.Next();
        const GroupByteKind kind = ClassifyGroupByte(value);
        if (kind == GroupByteKind::MainTile) {
            group.cell.mainTile = value;
            return group;
        }
        if (kind == GroupByteKind::Escape) {
            const std::uint8_t number = bytes.Next();
            if (number <= 15) {
                const int base = value == kDownPortEscape ? 32 : 48;
                group.cell.mainTile = static_cast<std::uint8_t>(base + number);
            } else {
                group.escapeOutOfRange = true;
            }
            return group;
        }
        if (kind == GroupByteKind::Lift) {
            group.cell.liftCode =
                static_cast<std::uint8_t>(hadLift ? value + kFastLiftOffset : value);
            hadLift = true;
        } else if (kind == GroupByteKind::Water) {
            group.cell.water = kWaterCode;
        } else {
            group.cell.actorCode = value;
        }
        if (oneBytePerCell) return group;
    }
    return group;
}

// Reads one cell per element of `cells` (all empty on entry) from the rest
// of `reader`. A file that ends inside the cells reads on as zeros: the group
// in progress is finished by 0 bytes and later cells stay empty. Returns how
// many cells the file's bytes hold whole (the one cut off not counted).
std::size_t ReadCells(CodedReader& reader, bool oneBytePerCell, std::span<MapCell> cells);

// The values each layer of a stage file can hold.
constexpr bool IsStorableMainTile(int value) {  // 0..255 except 12..15, 25, 26, 28, 29
    return value >= 0 && value <= 255 &&
           (ClassifyGroupByteValue(static_cast<std::uint8_t>(value)) == GroupByteKind::MainTile ||
            (value >= 32 && value <= 63));
}
constexpr bool IsStorableActorCode(int value) {
    return value == 0 || (value >= 32 && value <= 63);
}
constexpr bool IsStorableLiftCode(int value) {  // 0, 12..19, 26
    return value == 0 || (value >= 12 && value <= 19) || value == kDropLiftCode;
}
constexpr bool IsStorableWater(int value) {
    return value == 0 || value == kWaterCode;
}

// Writes the editor's form of a cell to `out` and returns its length: lift,
// actor, water, then the main tile, which always ends the group. A fast lift
// 16..19 is its normal lift byte twice; a main tile 32..63 is an escape and a
// number. Values a layer cannot hold are left out (a main tile the file cannot
// hold is written as 0), so the group always reads back as a whole.
inline std::size_t EncodeCellGroup(const MapCell& cell,
                                   std::span<std::uint8_t, kMaxEditorGroupBytes> out) {
    std::size_t length = 0;
    const std::uint8_t lift = cell.liftCode;
    if ((lift >= 12 && lift <= 15) || lift == kDropLiftCode) {
        out[length++] = lift;
    } else if (lift >= 16 && lift <= 19) {
        out[length++] = static_cast<std::uint8_t>(lift - kFastLiftOffset);
        out[length++] = static_cast<std::uint8_t>(lift - kFastLiftOffset);
    }
    if (cell.actorCode >= 32 && cell.actorCode <= 63) out[length++] = cell.actorCode;
    if (cell.water == kWaterCode) out[length++] = kWaterCode;
    if (cell.mainTile >= 32 && cell.mainTile <= 47) {
        out[length++] = kDownPortEscape;
        out[length++] = static_cast<std::uint8_t>(cell.mainTile - 32);
    } else if (cell.mainTile >= 48 && cell.mainTile <= 63) {
        out[length++] = kUpPortEscape;
        out[length++] = static_cast<std::uint8_t>(cell.mainTile - 48);
    } else {
        out[length++] = IsStorableMainTile(cell.mainTile) ? cell.mainTile : 0;
    }
    return length;
}

}  // namespace tovek
