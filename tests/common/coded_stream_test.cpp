#include "common/coded_stream.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/scrambled_bytes.h"

namespace tovek {
namespace {

using test::Scrambled;

TEST(KeyMaterialDraw, KeyFirstThenOddMultiplierFromTheSameSource) {
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
        RandomSource random(seed);
        RandomSource reference(seed);
        const KeyMaterial material = DrawKeyMaterial(random);
        EXPECT_EQ(material.key, static_cast<int>(reference.Next() * 256));
        EXPECT_EQ(material.multiplier, 2 * static_cast<int>(reference.Next() * 128) + 1);
        EXPECT_EQ(material.multiplier % 2, 1);
        EXPECT_EQ(random.Next(), reference.Next()) << "exactly two draws are used";
    }
}

TEST(CodedWriter, StartsWithTheKeyMaterialPlain) {
    const std::vector<std::uint8_t> file = Scrambled({200, 77}, {1, 2, 3});
    ASSERT_EQ(file.size(), 5u);
    EXPECT_EQ(file[0], 200);
    EXPECT_EQ(file[1], 77);
}

TEST(CodedWriter, KeyZeroStoresThePayloadPlain) {
    const std::vector<std::uint8_t> payload = {0, 1, 16, 28, 200, 255};
    const std::vector<std::uint8_t> file = Scrambled({0, 171}, payload);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 2, file.end()), payload);
}

// Key 3, multiplier 5: the keys after 1, 2, 3 steps are 15, 75 and 119
// (375 mod 256), so 10, 20, 30 are stored as 25, 95 and 149.
TEST(CodedWriter, NthPayloadByteUsesTheKeyAfterNSteps) {
    const std::vector<std::uint8_t> file = Scrambled({3, 5}, {10, 20, 30});
    EXPECT_EQ(file, (std::vector<std::uint8_t>{3, 5, 25, 95, 149}));
}

TEST(CodedWriter, StoredValueWrapsModulo256) {
    // Key 200, multiplier 3: the first step gives 600 mod 256 = 88; 250 + 88 wraps to 82.
    EXPECT_EQ(Scrambled({200, 3}, {250}), (std::vector<std::uint8_t>{200, 3, 82}));
}

TEST(CodedReader, UnscramblesTheHandWorkedExample) {
    const std::vector<std::uint8_t> file = {3, 5, 25, 95, 149};
    CodedReader reader(file);
    EXPECT_EQ(reader.Material(), (KeyMaterial{3, 5}));
    EXPECT_EQ(reader.GetCodedByte(), 10);
    EXPECT_EQ(reader.GetCodedByte(), 20);
    EXPECT_EQ(reader.GetCodedByte(), 30);
}

TEST(CodedStream, EveryByteSurvivesUnderEveryKeyMaterial) {
    std::vector<std::uint8_t> payload(256);
    for (int i = 0; i < 256; ++i)
        payload[i] = static_cast<std::uint8_t>(i);
    for (int key = 0; key < 256; ++key) {
        for (int multiplier = 0; multiplier < 256; ++multiplier) {
            const KeyMaterial material{static_cast<std::uint8_t>(key),
                                       static_cast<std::uint8_t>(multiplier)};
            const std::vector<std::uint8_t> file = Scrambled(material, payload);
            CodedReader reader(file);
            for (int value = 0; value < 256; ++value) {
                ASSERT_EQ(reader.GetCodedByte(), value) << "key " << key << " mult " << multiplier;
            }
        }
    }
}

TEST(CodedReader, ReadingTheRestAtOnceMatchesReadingByteByByte) {
    RandomSource random(41);
    std::vector<std::uint8_t> payload(300);
    for (std::uint8_t& byte : payload)
        byte = static_cast<std::uint8_t>(random.Below(256));
    // Every multiplier, odd and even, with keys of every power of two in them.
    for (int key : {0, 1, 2, 3, 8, 64, 128, 129, 255}) {
        for (int multiplier = 0; multiplier < 256; ++multiplier) {
            const KeyMaterial material{static_cast<std::uint8_t>(key),
                                       static_cast<std::uint8_t>(multiplier)};
            for (std::size_t length : {0, 1, 7, 8, 9, 64, 71, 72, 73, 300}) {
                const std::vector<std::uint8_t> file = Scrambled(
                    material, std::vector<std::uint8_t>(payload.begin(), payload.begin() + length));
                // Start both after a few bytes, as the stage readers do after the header.
                CodedReader bulk(file);
                CodedReader single(file);
                for (std::size_t i = 0; i < 3 && i < length; ++i) {
                    ASSERT_EQ(bulk.GetCodedByte(), single.GetCodedByte());
                }
                const std::vector<std::uint8_t> rest = bulk.GetRemainingCodedBytes();
                ASSERT_EQ(rest.size(), length > 3 ? length - 3 : 0);
                for (std::uint8_t byte : rest)
                    ASSERT_EQ(byte, single.GetCodedByte());
                ASSERT_EQ(bulk.Remaining(), 0u);
                // The key went on exactly as far: both readers agree past the end too.
                ASSERT_EQ(bulk.GetCodedByte(), single.GetCodedByte());
            }
        }
    }
}

TEST(CodedWriter, WritingManyAtOnceMatchesWritingByteByByte) {
    RandomSource random(43);
    std::vector<std::uint8_t> payload(300);
    for (std::uint8_t& byte : payload)
        byte = static_cast<std::uint8_t>(random.Below(256));
    for (int key : {0, 1, 2, 3, 8, 64, 128, 129, 255}) {
        for (int multiplier = 0; multiplier < 256; ++multiplier) {
            const KeyMaterial material{static_cast<std::uint8_t>(key),
                                       static_cast<std::uint8_t>(multiplier)};
            for (std::size_t length : {0, 1, 8, 9, 72, 73, 300}) {
                const std::span<const std::uint8_t> part(payload.data(), length);
                CodedWriter bulk(material);
                CodedWriter single(material);
                bulk.PutCodedByte(5);
                single.PutCodedByte(5);
                bulk.PutCodedBytes(part);
                for (std::uint8_t byte : part)
                    single.PutCodedByte(byte);
                // The key went on exactly as far: a following byte agrees too.
                bulk.PutCodedByte(9);
                single.PutCodedByte(9);
                ASSERT_EQ(std::move(bulk).TakeBytes(), std::move(single).TakeBytes());
            }
        }
    }
}

TEST(CodedReader, CountsTheBytesLeft) {
    const std::vector<std::uint8_t> file = Scrambled({9, 9}, {1, 2, 3});
    CodedReader reader(file);
    EXPECT_EQ(reader.Remaining(), 3u);
    reader.GetCodedByte();
    EXPECT_EQ(reader.Remaining(), 2u);
    reader.GetCodedByte();
    reader.GetCodedByte();
    EXPECT_EQ(reader.Remaining(), 0u);
    reader.GetCodedByte();
    EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(CodedReader, ReadsZeroPastTheEndButTheLastRealByteNormally) {
    // Key 7 and multiplier 9 make a non-zero stepped key, so a plain stored 0
    // past the end would unscramble to something other than 0.
    const std::vector<std::uint8_t> file = Scrambled({7, 9}, {42});
    CodedReader reader(file);
    EXPECT_EQ(reader.GetCodedByte(), 42);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(reader.GetCodedByte(), 0);
}

TEST(CodedReader, FilesShorterThanTheKeyMaterialReadAsZeros) {
    const std::vector<std::uint8_t> empty;
    CodedReader fromEmpty(empty);
    EXPECT_EQ(fromEmpty.Material(), (KeyMaterial{0, 0}));
    EXPECT_EQ(fromEmpty.GetCodedByte(), 0);

    const std::vector<std::uint8_t> oneByte = {77};
    CodedReader fromOneByte(oneByte);
    EXPECT_EQ(fromOneByte.Material(), (KeyMaterial{77, 0}));
    EXPECT_EQ(fromOneByte.Remaining(), 0u);
    EXPECT_EQ(fromOneByte.GetCodedByte(), 0);
}

TEST(CodedReader, AcceptsAnEvenMultiplier) {
    // An even multiplier can drive the key to zero; the reader still follows it.
    const std::vector<std::uint8_t> file = Scrambled({1, 128}, {5, 6, 7});
    CodedReader reader(file);
    EXPECT_EQ(reader.GetCodedByte(), 5);
    EXPECT_EQ(reader.GetCodedByte(), 6);
    EXPECT_EQ(reader.GetCodedByte(), 7);
}

}  // namespace
}  // namespace tovek
