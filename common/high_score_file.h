#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "common/coded_stream.h"
#include "common/stage_limits.h"

namespace tovek {

// One record per stage; stage n (1..100) uses index n - 1.
using HighScoreTable = std::array<std::int32_t, kStageCount>;

// The largest record the file's byte pair can hold; greater scores are
// stored as this.
inline constexpr std::int32_t kMaxStoredHighScore = 65535;

// The size of the file: key material and two bytes per stage.
inline constexpr std::size_t kHighScoreFileBytes = 202;

// hscore.dat in the stage folder, found whatever the case of its name.
std::filesystem::path HighScoreFilePath(const std::filesystem::path& stageFolder);

// Reads the records, each a high and a low byte (0..65535). A record whose
// low byte lies beyond the end of a short file reads as 0.
HighScoreTable ReadHighScores(std::span<const std::uint8_t> bytes);

// The whole table as a file of 202 bytes; records are stored clamped to
// 0..65535.
std::vector<std::uint8_t> WriteHighScores(const HighScoreTable& table, KeyMaterial material);

}  // namespace tovek
