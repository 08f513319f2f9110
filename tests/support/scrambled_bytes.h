#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <vector>

#include "common/coded_stream.h"

namespace tovek::test {

// A scrambled file holding `payload` under `material`.
inline std::vector<std::uint8_t> Scrambled(KeyMaterial material,
                                           const std::vector<std::uint8_t>& payload) {
    CodedWriter writer(material);
    for (std::uint8_t byte : payload)
        writer.PutCodedByte(byte);
    return std::move(writer).TakeBytes();
}

// The plain payload of a scrambled file.
inline std::vector<std::uint8_t> Unscrambled(std::span<const std::uint8_t> file) {
    CodedReader reader(file);
    std::vector<std::uint8_t> payload;
    while (reader.Remaining() > 0)
        payload.push_back(reader.GetCodedByte());
    return payload;
}

inline void WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline void WriteFile(const std::filesystem::path& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace tovek::test
