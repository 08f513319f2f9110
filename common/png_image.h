#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <system_error>
#include <vector>

#include "common/file_faults.h"
#include "common/surface.h"

namespace tovek {

// Pictures larger than this many pixels are refused rather than decoded.
inline constexpr long long kMaxPngPixels = 1LL << 26;

// A PNG image as a Surface; transparency is dropped (the colour stays).
// Nothing for data that is not a PNG, is damaged, or is too large.
std::optional<Surface> DecodePng(std::span<const std::uint8_t> bytes);

// The surface as an 8-bit RGB PNG; the same surface always gives the same
// bytes. Empty for a surface without pixels.
std::vector<std::uint8_t> EncodePng(const Surface& surface);

// Writes EncodePng(surface) to path, atomically: on failure an old picture
// there stays whole, and the error says why.
std::error_code WritePng(const std::filesystem::path& path, const Surface& surface,
                         FileFaults* faults = nullptr);

}  // namespace tovek
