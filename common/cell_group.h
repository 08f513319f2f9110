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
inline constexpr std::uint8_t kDropLiftCode = 26;
inline constexpr std::uint8_t kDownPortEscape = 28;  // main tile 32 + n
inline constexpr std::uint8_t kUpPortEscape = 29;    // main tile 48 + n
inline constexpr std::uint8_t kFastLiftOffset = 4;   // a second lift byte adds this

// A cell group reads at most this many classified bytes; an escape's number
// byte comes on top.
inline constexpr int kMaxGroupLayerBytes = 10;
inline constexpr int kMaxGroupBytes = kMaxGroupLayerBytes + 1;
// The editor writes at most: two lift bytes, actor, water, escape, number.
inline constexpr int kMaxEditorGroupBytes = 6;

// What a byte of a cell group means. Layer bytes add to the cell and the group
// goes on; an escape or a main tile ends it.
enum class GroupByteKind { Lift, Water, Actor, Escape, MainTile };
GroupByteKind ClassifyGroupByte(std::uint8_t value);

// One cell group as read, with the plain bytes it took (for diagnostics).
struct CellGroup {
    MapCell cell;                   // liftCode has the second-byte +4 rule applied
    bool escapeOutOfRange = false;  // escape followed by a value above 15: main tile left 0
    std::uint8_t length = 0;
    std::array<std::uint8_t, kMaxGroupBytes> bytes{};

    std::span<const std::uint8_t> Bytes() const { return {bytes.data(), length}; }
};

// Reads one cell group. In one-byte-per-cell files the group ends after its
// first byte whatever its kind (an escape still takes its number byte).
CellGroup ReadCellGroup(CodedReader& reader, bool oneBytePerCell);

// The editor's form of a cell: lift, actor, water, then the main tile, which
// always ends the group. Values a layer cannot hold are left out (a main tile
// the file cannot hold is written as 0), so the group always reads back as a
// whole.
struct EncodedGroup {
    std::array<std::uint8_t, kMaxEditorGroupBytes> bytes{};
    std::uint8_t length = 0;

    std::span<const std::uint8_t> Bytes() const { return {bytes.data(), length}; }
};
EncodedGroup EncodeCellGroup(const MapCell& cell);

// The values each layer of a stage file can hold.
bool IsStorableMainTile(int value);   // 0..255 except 12..15, 25, 26, 28, 29
bool IsStorableActorCode(int value);  // 0, 32..63
bool IsStorableLiftCode(int value);   // 0, 12..19, 26
bool IsStorableWater(int value);      // 0, 25

}  // namespace tovek
