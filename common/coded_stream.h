#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "common/random_source.h"

namespace tovek {

// The two plain bytes at the start of every scrambled file: the running key's
// start value and the multiplier that steps it.
struct KeyMaterial {
    std::uint8_t key = 0;
    std::uint8_t multiplier = 1;

    friend bool operator==(const KeyMaterial&, const KeyMaterial&) = default;
};

// The key step of both directions: (multiplier x key) mod 256.
inline std::uint8_t StepKey(std::uint8_t key, std::uint8_t multiplier) {
    return static_cast<std::uint8_t>((unsigned{multiplier} * unsigned{key}) & 0xFFu);
}

// Fresh key material for a file about to be written: the key uniformly from
// 0..255, then the multiplier uniformly from the odd numbers 1..255 (odd, so
// the key never collapses to zero unless it starts there).
KeyMaterial DrawKeyMaterial(RandomSource& random);

// Reads a scrambled file held in memory. Byte 0 and byte 1 are the key
// material, read plain (OpenCodedRead); every later byte is a payload byte.
class CodedReader {
  public:
    explicit CodedReader(std::span<const std::uint8_t> bytes);

    // The next payload byte, unscrambled. The key steps first, so the n-th
    // payload byte uses the key after n steps. Past the end of the file the
    // key still steps and the result is 0, so a short file reads as zeros.
    std::uint8_t GetCodedByte() {
        key_ = StepKey(key_, material_.multiplier);
        if (position_ >= bytes_.size()) {
            ++position_;
            return 0;
        }
        return static_cast<std::uint8_t>(bytes_[position_++] - key_);
    }

    // Every payload byte not yet read, unscrambled, in one go.
    std::vector<std::uint8_t> GetRemainingCodedBytes();

    // Bytes not yet read (0 once the end has been passed).
    std::size_t Remaining() const {
        return position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    }

    KeyMaterial Material() const { return material_; }

  private:
    std::uint8_t NextStoredByte();

    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    KeyMaterial material_;
    std::uint8_t key_ = 0;
};

// Builds a scrambled file in memory: the key material as two plain bytes,
// then payload bytes through PutCodedByte.
class CodedWriter {
  public:
    explicit CodedWriter(KeyMaterial material, std::size_t expectedPayloadSize = 0);

    void PutCodedByte(std::uint8_t plain) {
        key_ = StepKey(key_, material_.multiplier);
        bytes_.push_back(static_cast<std::uint8_t>(plain + key_));
    }

    // PutCodedByte for each byte, in one go.
    void PutCodedBytes(std::span<const std::uint8_t> plain);

    std::vector<std::uint8_t> TakeBytes() && { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
    KeyMaterial material_;
    std::uint8_t key_;
};

}  // namespace tovek
