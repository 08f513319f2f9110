#include "common/png_image.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/common/pixel_helpers.h"
#include "tests/support/failing_step.h"
#include "tests/support/temp_folder.h"

namespace tovek {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A PNG made by stb itself with any channel count, for inputs we never write.
std::vector<std::uint8_t> StbPng(int width, int height, int channels,
                                 const std::vector<std::uint8_t>& pixels) {
    std::vector<std::uint8_t> png;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* out = static_cast<std::vector<std::uint8_t>*>(context);
            out->insert(out->end(), static_cast<std::uint8_t*>(data),
                        static_cast<std::uint8_t*>(data) + size);
        },
        &png, width, height, channels, pixels.data(), width * channels);
    return png;
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        }
    }
    return ~crc;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

TEST(Png, RoundTripKeepsEveryPixel) {
    const Surface surface = testing::Pattern(37, 23, 1);
    const std::vector<std::uint8_t> png = EncodePng(surface);
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(png[0], 0x89);
    EXPECT_EQ(png[1], 'P');
    const std::optional<Surface> decoded = DecodePng(png);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, surface);
}

TEST(Png, SameSurfaceSameBytes) {
    const Surface surface = testing::Pattern(16, 16, 2);
    EXPECT_EQ(EncodePng(surface), EncodePng(surface));
}

TEST(Png, WritesAFileThatReadsBack) {
    const fs::path path = fs::temp_directory_path() / "tovek-png-test.png";
    const Surface surface = testing::Pattern(20, 10, 3);
    ASSERT_FALSE(WritePng(path, surface));
    const std::vector<std::uint8_t> bytes = ReadFile(path);
    EXPECT_EQ(bytes, EncodePng(surface));
    EXPECT_EQ(DecodePng(bytes), surface);
    fs::remove(path);
}

// A full disk during the write leaves the old picture whole, and the error
// says why.
TEST(Png, AFailedWriteKeepsTheOldPictureAndSaysWhy) {
    test::TempFolder folder;
    const fs::path path = folder.Path() / "map.png";
    ASSERT_FALSE(WritePng(path, testing::Pattern(20, 10, 3)));
    const std::vector<std::uint8_t> old = ReadFile(path);
    test::FailingStep diskFull(FileStep::Write, std::errc::no_space_on_device, 40);
    EXPECT_EQ(WritePng(path, testing::Pattern(30, 10, 4), &diskFull),
              std::errc::no_space_on_device);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(WritePng(folder.Path() / "missing" / "x.png", Surface(4, 4)),
              std::errc::no_such_file_or_directory);
    EXPECT_EQ(WritePng(folder.Path() / "empty.png", Surface()), std::errc::invalid_argument);
    EXPECT_TRUE(EncodePng(Surface(0, 5)).empty());
}

TEST(Png, ReadsGreyAndTransparentImagesAsColours) {
    const std::optional<Surface> grey = DecodePng(StbPng(2, 1, 1, {0x10, 0xF0}));
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->Pixel(0, 0), 0x101010u);
    EXPECT_EQ(grey->Pixel(1, 0), 0xF0F0F0u);
    const std::optional<Surface> rgba = DecodePng(StbPng(2, 1, 4, {1, 2, 3, 0, 4, 5, 6, 255}));
    ASSERT_TRUE(rgba);
    EXPECT_EQ(rgba->Pixel(0, 0), 0x010203u);
    EXPECT_EQ(rgba->Pixel(1, 0), 0x040506u);
}

TEST(Png, RefusesWhatIsNotAWholePng) {
    const std::vector<std::uint8_t> png = EncodePng(testing::Pattern(30, 30, 4));
    EXPECT_FALSE(DecodePng({}));
    EXPECT_FALSE(DecodePng(std::vector<std::uint8_t>(100, 0x42)));
    EXPECT_FALSE(DecodePng(std::span(png).first(png.size() / 2)));
    EXPECT_FALSE(DecodePng(std::span(png).first(7)));
    std::vector<std::uint8_t> wrongSignature = png;
    wrongSignature[1] = 'Q';
    EXPECT_FALSE(DecodePng(wrongSignature));
}

TEST(Png, RefusesImagesTooLargeToDecode) {
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutBigEndian(png, 13);
    const std::size_t chunkStart = png.size();
    for (char c : {'I', 'H', 'D', 'R'}) {
        png.push_back(static_cast<std::uint8_t>(c));
    }
    PutBigEndian(png, 60000);                // width
    PutBigEndian(png, 60000);                // height
    png.insert(png.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutBigEndian(png, Crc32(png.data() + chunkStart, png.size() - chunkStart));
    EXPECT_FALSE(DecodePng(png));
}

TEST(Png, DamagedBytesNeverCrash) {
    const std::vector<std::uint8_t> png = EncodePng(testing::Pattern(24, 24, 5));
    for (std::size_t i = 8; i < png.size(); i += 3) {
        std::vector<std::uint8_t> damaged = png;
        damaged[i] ^= 0x5A;
        const std::optional<Surface> decoded = DecodePng(damaged);
        if (decoded) {
            EXPECT_GT(decoded->Width(), 0);
            EXPECT_GT(decoded->Height(), 0);
        }
    }
}

}  // namespace
}  // namespace tovek
