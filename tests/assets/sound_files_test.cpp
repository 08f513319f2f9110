#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>

#include "embedded_assets.h"
#include "game/core/sound_effects.h"

namespace tovek {
namespace {

struct ShippedSound {
    const char* name;
    std::span<const unsigned char> (*bytes)();
    std::uint32_t sampleCount;
};

const ShippedSound kSounds[] = {
    {"goal", embedded::SoundGoalWav, 11025},
    {"item", embedded::SoundItemWav, 1102},
    {"miss", embedded::SoundMissWav, 11025},
    {"stomp", embedded::SoundStompWav, 3307},
};

std::uint32_t U32(std::span<const unsigned char> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t U16(std::span<const unsigned char> b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}
std::string Tag(std::span<const unsigned char> b, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data() + at), 4);
}

TEST(SoundFiles, AreMonoEightBitWavesOfTheShippedLengths) {
    for (const ShippedSound& sound : kSounds) {
        SCOPED_TRACE(sound.name);
        const auto b = sound.bytes();
        ASSERT_GE(b.size(), 44u);
        EXPECT_EQ(Tag(b, 0), "RIFF");
        EXPECT_EQ(U32(b, 4), b.size() - 8);
        EXPECT_EQ(Tag(b, 8), "WAVE");
        EXPECT_EQ(Tag(b, 12), "fmt ");
        EXPECT_EQ(U32(b, 16), 16u);
        EXPECT_EQ(U16(b, 20), 1u);      // PCM
        EXPECT_EQ(U16(b, 22), 1u);      // mono
        EXPECT_EQ(U32(b, 24), 11025u);  // samples per second
        EXPECT_EQ(U32(b, 28), 11025u);  // bytes per second
        EXPECT_EQ(U16(b, 32), 1u);      // block align
        EXPECT_EQ(U16(b, 34), 8u);      // bits per sample
        EXPECT_EQ(Tag(b, 36), "data");
        EXPECT_EQ(U32(b, 40), sound.sampleCount);
        EXPECT_EQ(b.size(), 44u + sound.sampleCount + sound.sampleCount % 2);
    }
}

// Sounds start and end at the silent level (128) and rise and fall smoothly,
// so they neither click when started nor when cut off at their end.
TEST(SoundFiles, StartAndEndWithoutClicks) {
    for (const ShippedSound& sound : kSounds) {
        SCOPED_TRACE(sound.name);
        const auto samples = sound.bytes().subspan(44, sound.sampleCount);
        ASSERT_EQ(samples.size(), sound.sampleCount);
        EXPECT_LE(std::abs(samples.front() - 128), 2);
        EXPECT_LE(std::abs(samples.back() - 128), 2);
        int loudest = 0;
        for (unsigned char s : samples)
            loudest = std::max(loudest, std::abs(s - 128));
        EXPECT_GE(loudest, 80) << "too quiet";
        EXPECT_LE(loudest, 127);
        for (std::size_t i = 0; i < 8; ++i)
            EXPECT_LE(std::abs(samples[i] - 128), 40) << "sample " << i;
    }
}

// The shipped item sound rewritten for the quick and the slow character.
TEST(SoundFiles, ItemSoundRepitchesToTheExpectedSizes) {
    const auto item = embedded::SoundItemWav();
    ASSERT_EQ(item.size(), 1146u);
    const SoundImage quick = RepitchWave(1, item);
    ASSERT_EQ(quick.size(), (44u + 1146u) / 2);
    EXPECT_EQ(U32(quick, 40), 551u);
    EXPECT_EQ(U32(quick, 4), quick.size() - 8);
    const SoundImage slow = RepitchWave(2, item);
    ASSERT_EQ(slow.size(), 2u * 1146u - 44u);
    EXPECT_EQ(U32(slow, 40), 2204u);
    EXPECT_EQ(U32(slow, 4), slow.size() - 8);
}

}  // namespace
}  // namespace tovek
