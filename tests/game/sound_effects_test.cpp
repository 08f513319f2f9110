#include "game/core/sound_effects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tovek {
namespace {

std::uint32_t U32At(const SoundImage& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void PutU32(SoundImage& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutTag(SoundImage& bytes, const char* tag) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(tag[i]));
}

// A mono 8-bit 11025 Hz WAVE: header, "fmt ", optional "fact", "data", then
// `trailing` extra bytes after the data chunk. Sample k holds k mod 251 so
// that every byte tells where it came from.
SoundImage MakeWave(std::uint32_t dataSize, std::size_t trailing, bool withFact = false,
                    std::uint32_t factCount = 0) {
    SoundImage bytes;
    PutTag(bytes, "RIFF");
    PutU32(bytes, 0);
    PutTag(bytes, "WAVE");
    PutTag(bytes, "fmt ");
    PutU32(bytes, 16);
    const std::uint8_t format[16] = {1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0};
    for (std::uint8_t byte : format)
        bytes.push_back(byte);
    if (withFact) {
        PutTag(bytes, "FaCt");
        PutU32(bytes, 4);
        PutU32(bytes, factCount);
    }
    PutTag(bytes, "data");
    PutU32(bytes, dataSize);
    for (std::size_t k = 0; k < dataSize + trailing; ++k) {
        bytes.push_back(static_cast<std::uint8_t>(k % 251));
    }
    const std::uint32_t riffSize = static_cast<std::uint32_t>(bytes.size() - 8);
    std::memcpy(bytes.data() + 4, &riffSize, 4);
    return bytes;
}

TEST(RepitchWave, CharacterZeroKeepsTheFile) {
    const SoundImage wave = MakeWave(1102, 2);
    EXPECT_EQ(RepitchWave(0, wave), wave);
}

TEST(RepitchWave, UnknownCharacterKeepsTheFile) {
    const SoundImage wave = MakeWave(100, 0);
    EXPECT_EQ(RepitchWave(3, wave), wave);
    EXPECT_EQ(RepitchWave(-1, wave), wave);
}

TEST(RepitchWave, CharacterOneHalvesTheItemSound) {
    const SoundImage wave = MakeWave(1102, 2);
    ASSERT_EQ(wave.size(), 1148u);
    const SoundImage image = RepitchWave(1, wave);
    ASSERT_EQ(image.size(), 596u);
    EXPECT_EQ(U32At(image, 40), 551u);
    EXPECT_EQ(U32At(image, 4), 588u);
}

TEST(RepitchWave, CharacterTwoDoublesTheItemSound) {
    const SoundImage wave = MakeWave(1102, 2);
    const SoundImage image = RepitchWave(2, wave);
    ASSERT_EQ(image.size(), 2252u);
    EXPECT_EQ(U32At(image, 40), 2204u);
    EXPECT_EQ(U32At(image, 4), 2244u);
}

TEST(RepitchWave, CharacterOneKeepsTheSecondOfEachPair) {
    const SoundImage wave = MakeWave(9, 0);
    const SoundImage image = RepitchWave(1, wave);
    ASSERT_EQ(image.size(), (44u + wave.size()) / 2);
    for (std::size_t k = 44; k < image.size(); ++k)
        EXPECT_EQ(image[k], wave[2 * k + 1 - 44]);
    EXPECT_EQ(U32At(image, 40), 4u);
}

TEST(RepitchWave, CharacterTwoRepeatsEverySample) {
    const SoundImage wave = MakeWave(5, 0);
    const SoundImage image = RepitchWave(2, wave);
    ASSERT_EQ(image.size(), 2 * wave.size() - 44);
    for (std::size_t k = 44; k < wave.size(); ++k) {
        EXPECT_EQ(image[2 * k - 44], wave[k]);
        EXPECT_EQ(image[2 * k + 1 - 44], wave[k]);
    }
}

TEST(RepitchWave, HeaderBeforeTheSamplesIsCopied) {
    const SoundImage wave = MakeWave(64, 0);
    for (int character : {1, 2}) {
        const SoundImage image = RepitchWave(character, wave);
        for (std::size_t k = 0; k < 44; ++k) {
            if (k >= 4 && k < 8) continue;
            if (k >= 40) continue;
            EXPECT_EQ(image[k], wave[k]) << "byte " << k << ", character " << character;
        }
    }
}

TEST(RepitchWave, FactChunkCountIsPatchedToo) {
    const SoundImage wave = MakeWave(1000, 0, true, 1000);
    ASSERT_EQ(wave.size(), 1056u);
    const SoundImage quick = RepitchWave(1, wave);
    ASSERT_EQ(quick.size(), (56u + 1056u) / 2);
    EXPECT_EQ(U32At(quick, 44), 500u);  // fact count
    EXPECT_EQ(U32At(quick, 52), 500u);  // data size
    EXPECT_EQ(U32At(quick, 4), quick.size() - 8);
    EXPECT_EQ(quick[56], wave[57]);
    const SoundImage slow = RepitchWave(2, wave);
    ASSERT_EQ(slow.size(), 2u * 1056u - 56u);
    EXPECT_EQ(U32At(slow, 44), 2000u);
    EXPECT_EQ(U32At(slow, 52), 2000u);
    EXPECT_EQ(slow[56], wave[56]);
    EXPECT_EQ(slow[57], wave[56]);
}

TEST(RepitchWave, DataChunkIsTakenWhateverItsName) {
    SoundImage wave = MakeWave(20, 0);
    std::memcpy(wave.data() + 36, "junk", 4);
    const SoundImage image = RepitchWave(2, wave);
    EXPECT_EQ(image.size(), 2 * wave.size() - 44);
    EXPECT_EQ(U32At(image, 40), 40u);
}

TEST(RepitchWave, EmptyDataStaysEmpty) {
    const SoundImage wave = MakeWave(0, 0);
    for (int character : {1, 2}) {
        const SoundImage image = RepitchWave(character, wave);
        EXPECT_EQ(image.size(), 44u);
        EXPECT_EQ(U32At(image, 40), 0u);
        EXPECT_EQ(U32At(image, 4), 36u);
    }
}

// Files that do not have the shape above are played as they are.
TEST(RepitchWave, MalformedFilesAreKept) {
    const SoundImage good = MakeWave(30, 0);
    std::vector<SoundImage> bad;
    bad.push_back({});
    bad.emplace_back(good.begin(), good.begin() + 19);  // no fmt size
    bad.emplace_back(good.begin(), good.begin() + 43);  // data header cut short
    SoundImage hugeFmt = good;
    hugeFmt[19] = 0x80;  // fmt size with the top bit set
    bad.push_back(hugeFmt);
    SoundImage longFmt = good;
    longFmt[16] = 0xF0;  // fmt chunk runs past the end
    bad.push_back(longFmt);
    SoundImage hugeData = good;
    hugeData[43] = 0x80;  // data size with the top bit set
    bad.push_back(hugeData);
    SoundImage brokenFact = MakeWave(30, 0, true, 30);
    brokenFact[43] = 0x90;  // fact size with the top bit set
    bad.push_back(brokenFact);
    SoundImage cutFact(brokenFact.begin(), brokenFact.begin() + 46);  // fact count cut short
    bad.push_back(cutFact);
    for (std::size_t i = 0; i < bad.size(); ++i) {
        for (int character : {1, 2}) {
            EXPECT_EQ(RepitchWave(character, bad[i]), bad[i]) << "case " << i;
        }
    }
}

TEST(RepitchWave, DeclaredDataLongerThanTheFileIsStillResampled) {
    SoundImage wave = MakeWave(10, 0);
    wave[40] = 200;  // claims 200 bytes, holds 10
    const SoundImage image = RepitchWave(2, wave);
    ASSERT_EQ(image.size(), 2 * wave.size() - 44);
    EXPECT_EQ(U32At(image, 40), 400u);
}

TEST(LoadSoundEffects, RewritesAllFourFiles) {
    const SoundImage goal = MakeWave(11025, 0);
    const SoundImage item = MakeWave(1102, 0);
    const SoundImage miss = MakeWave(11025, 0);
    const SoundImage stomp = MakeWave(3307, 1);
    const std::array<std::span<const std::uint8_t>, kSoundEffectCount> files = {goal, item, miss,
                                                                                stomp};
    const auto plain = LoadSoundEffects(0, files);
    const auto quick = LoadSoundEffects(1, files);
    const auto slow = LoadSoundEffects(2, files);
    for (int i = 0; i < kSoundEffectCount; ++i) {
        EXPECT_EQ(plain[i], SoundImage(files[i].begin(), files[i].end()));
        EXPECT_EQ(quick[i], RepitchWave(1, files[i]));
        EXPECT_EQ(slow[i], RepitchWave(2, files[i]));
    }
    EXPECT_EQ(U32At(quick[3], 40), 1653u);
    EXPECT_EQ(U32At(slow[3], 40), 6614u);
}

}  // namespace
}  // namespace tovek
