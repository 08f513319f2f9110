#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovek::assets {

inline constexpr int kTicksPerQuarter = 480;
inline constexpr int kBeatsPerBar = 4;
inline constexpr std::uint32_t kTicksPerBar = kTicksPerQuarter * kBeatsPerBar;

struct ScoreNote {
    std::uint32_t start;   // ticks from the start of the piece
    std::uint32_t length;  // written length in ticks
    int key;               // MIDI key number
};

// One bar of melody: tokens of a pitch ("C5", "F#4", "Bb3") or "r" for a rest,
// followed by a length w, h, q, e or s and an optional '.' for dotted, e.g.
// "D5q B4e D5e G5q. F#5e". Throws std::runtime_error unless the bar adds up
// to exactly four beats.
std::vector<ScoreNote> ParseBar(const std::string& text, std::uint32_t barStart);

// A chord: root pitch class (C = 0) and the pitch classes above it.
struct Chord {
    int root;
    std::vector<int> intervals;  // semitones above the root, starting with 0
};

// The chords of one bar, each taking an equal share of it: "G", "Am D7",
// "Bm", "E7". Throws std::runtime_error for an unknown chord.
std::vector<Chord> ParseChords(const std::string& text);

}  // namespace tovek::assets
