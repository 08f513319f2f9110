#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovek::assets {

// Writes the bytes as the whole file; false when that fails.
bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace tovek::assets
