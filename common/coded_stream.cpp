#include "common/coded_stream.h"

namespace tovek {
namespace {

// The key step of both directions: (multiplier x key) mod 256.
std::uint8_t StepKey(std::uint8_t key, std::uint8_t multiplier) {
    return static_cast<std::uint8_t>((unsigned{multiplier} * unsigned{key}) & 0xFFu);
}

}  // namespace

KeyMaterial DrawKeyMaterial(RandomSource& random) {
    KeyMaterial material;
    material.key = static_cast<std::uint8_t>(random.Below(256));
    material.multiplier = static_cast<std::uint8_t>(2 * random.Below(128) + 1);
    return material;
}

CodedReader::CodedReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {
    material_.key = NextStoredByte();
    material_.multiplier = NextStoredByte();
    key_ = material_.key;
}

std::uint8_t CodedReader::NextStoredByte() {
    const std::uint8_t stored = position_ < bytes_.size() ? bytes_[position_] : 0;
    ++position_;
    return stored;
}

std::uint8_t CodedReader::GetCodedByte() {
    key_ = StepKey(key_, material_.multiplier);
    const bool pastEnd = position_ >= bytes_.size();
    const std::uint8_t stored = NextStoredByte();
    if (pastEnd) return 0;
    return static_cast<std::uint8_t>(stored - key_);
}

std::size_t CodedReader::Remaining() const {
    return position_ < bytes_.size() ? bytes_.size() - position_ : 0;
}

CodedWriter::CodedWriter(KeyMaterial material, std::size_t expectedPayloadSize)
    : material_(material), key_(material.key) {
    bytes_.reserve(2 + expectedPayloadSize);
    bytes_.push_back(material.key);
    bytes_.push_back(material.multiplier);
}

void CodedWriter::PutCodedByte(std::uint8_t plain) {
    key_ = StepKey(key_, material_.multiplier);
    bytes_.push_back(static_cast<std::uint8_t>(plain + key_));
}

}  // namespace tovek
