#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tovek {

// The SHA-256 digest of `bytes` as 64 lower-case hex digits. The program
// folder's manifest records files by it (the same digest CMake's file(SHA256)
// gives, so folders synced by older builds keep their records).
std::string Sha256Hex(std::span<const std::uint8_t> bytes);

}  // namespace tovek
