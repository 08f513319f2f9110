#include "common/coded_stream.h"

#include <array>

namespace tovek {
namespace {

// Steps `key` once per byte and combines the i-th byte with the key after
// i + 1 steps. The key repeats itself: an odd multiplier brings it back every
// 64 steps (multiplier^64 = 1 mod 256), an even one drives it to 0 within 8
// steps for good. So after 8 steps one table of 64 keys serves every later
// byte, in blocks the compiler can vectorise.
template <typename Combine>
void RunKey(std::uint8_t& key, std::uint8_t multiplier, const std::uint8_t* in, std::uint8_t* out,
            std::size_t count, Combine combine) {
    constexpr std::size_t kStepsToSettle = 8;
    constexpr std::size_t kPeriod = 64;
    std::size_t done = 0;
    for (; done < count && done < kStepsToSettle; ++done) {
        key = StepKey(key, multiplier);
        out[done] = combine(in[done], key);
    }
    if (done == count) return;

    std::array<std::uint8_t, kPeriod> keys;
    std::uint8_t next = key;
    for (std::uint8_t& entry : keys)
        entry = next = StepKey(next, multiplier);
    in += done;
    out += done;
    const std::size_t rest = count - done;
    std::size_t n = 0;
    for (; n + kPeriod <= rest; n += kPeriod) {
        for (std::size_t k = 0; k < kPeriod; ++k)
            out[n + k] = combine(in[n + k], keys[k]);
    }
    for (; n < rest; ++n)
        out[n] = combine(in[n], keys[n % kPeriod]);
    key = keys[(rest - 1) % kPeriod];
}

std::uint8_t Scramble(std::uint8_t plain, std::uint8_t key) {
    return static_cast<std::uint8_t>(plain + key);
}

std::uint8_t Unscramble(std::uint8_t stored, std::uint8_t key) {
    return static_cast<std::uint8_t>(stored - key);
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

std::vector<std::uint8_t> CodedReader::GetRemainingCodedBytes() {
    std::vector<std::uint8_t> plain(Remaining());
    RunKey(key_, material_.multiplier, bytes_.data() + position_, plain.data(), plain.size(),
           Unscramble);
    position_ += plain.size();
    return plain;
}

CodedWriter::CodedWriter(KeyMaterial material, std::size_t expectedPayloadSize)
    : material_(material), key_(material.key) {
    bytes_.reserve(2 + expectedPayloadSize);
    bytes_.push_back(material.key);
    bytes_.push_back(material.multiplier);
}

void CodedWriter::PutCodedBytes(std::span<const std::uint8_t> plain) {
    const std::size_t start = bytes_.size();
    bytes_.resize(start + plain.size());
    RunKey(key_, material_.multiplier, plain.data(), bytes_.data() + start, plain.size(), Scramble);
}

}  // namespace tovek
