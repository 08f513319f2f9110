#include "game/core/sound_effects.h"

#include <cctype>
#include <cstddef>
#include <optional>

namespace tovek {
namespace {

constexpr std::uint32_t kTopBit = 0x80000000u;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void WriteU32(SoundImage& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

bool SpellsFact(std::span<const std::uint8_t> bytes, std::size_t at) {
    const char* fact = "fact";
    for (int i = 0; i < 4; ++i) {
        if (std::tolower(bytes[at + i]) != fact[i]) return false;
    }
    return true;
}

// Where the samples start and which header sizes describe them.
struct SampleLayout {
    std::size_t firstSample = 0;  // u
    std::uint32_t dataSize = 0;
    std::optional<std::size_t> factPos;
    std::uint32_t factCount = 0;
};

// The chunk after "fmt " may be "fact"; the one after that is taken to be the
// data chunk whatever its name. Nothing is read beyond the file.
std::optional<SampleLayout> LocateSamples(std::span<const std::uint8_t> wave) {
    const std::size_t length = wave.size();
    if (length < 20) return std::nullopt;
    const std::uint32_t fmtSize = ReadU32(wave, 16);
    if (fmtSize & kTopBit) return std::nullopt;
    SampleLayout layout;
    std::size_t p = 20 + static_cast<std::size_t>(fmtSize);
    if (p + 4 <= length && SpellsFact(wave, p)) {
        if (p + 12 > length) return std::nullopt;
        const std::uint32_t factSize = ReadU32(wave, p + 4);
        layout.factCount = ReadU32(wave, p + 8);
        if ((factSize & kTopBit) || (layout.factCount & kTopBit)) return std::nullopt;
        layout.factPos = p + 8;
        p += 8 + static_cast<std::size_t>(factSize);
    }
    if (p + 8 > length) return std::nullopt;
    layout.dataSize = ReadU32(wave, p + 4);
    if (layout.dataSize & kTopBit) return std::nullopt;
    layout.firstSample = p + 8;
    return layout;
}

}  // namespace

SoundImage RepitchWave(int character, std::span<const std::uint8_t> wave) {
    SoundImage unchanged(wave.begin(), wave.end());
    if (character != 1 && character != 2) return unchanged;
    const std::optional<SampleLayout> layout = LocateSamples(wave);
    if (!layout) return unchanged;

    const std::size_t length = wave.size();
    const std::size_t u = layout->firstSample;
    SoundImage image;
    std::uint32_t dataSize = 0;
    std::uint32_t factCount = 0;
    if (character == 1) {
        const std::size_t newLength = (u + length) / 2;
        image.assign(wave.begin(), wave.begin() + u);
        image.resize(newLength);
        for (std::size_t k = u; k < newLength; ++k)
            image[k] = wave[2 * k + 1 - u];
        dataSize = layout->dataSize / 2;
        factCount = layout->factCount / 2;
    } else {
        const std::size_t newLength = 2 * length - u;
        image.assign(wave.begin(), wave.begin() + u);
        image.resize(newLength);
        for (std::size_t k = u; k < length; ++k) {
            image[2 * k - u] = wave[k];
            image[2 * k + 1 - u] = wave[k];
        }
        dataSize = layout->dataSize * 2;
        factCount = layout->factCount * 2;
    }
    WriteU32(image, 4, static_cast<std::uint32_t>(image.size() - 8));
    if (layout->factPos) WriteU32(image, *layout->factPos, factCount);
    WriteU32(image, u - 4, dataSize);
    return image;
}

std::array<SoundImage, kSoundEffectCount> LoadSoundEffects(
    int character, const std::array<std::span<const std::uint8_t>, kSoundEffectCount>& waveFiles) {
    std::array<SoundImage, kSoundEffectCount> images;
    for (int i = 0; i < kSoundEffectCount; ++i)
        images[i] = RepitchWave(character, waveFiles[i]);
    return images;
}

}  // namespace tovek
