#include "assets/generators/wave_file.h"

namespace tovek::assets {
namespace {

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<std::uint8_t> EncodeWave(const std::vector<std::uint8_t>& samples) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t pad = dataSize % 2;
    std::vector<std::uint8_t> out;
    PutTag(out, "RIFF");
    PutLittle(out, 4 + 24 + 8 + dataSize + pad, 4);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLittle(out, 16, 4);
    PutLittle(out, 1, 2);           // PCM
    PutLittle(out, 1, 2);           // mono
    PutLittle(out, kSoundRate, 4);  // samples per second
    PutLittle(out, kSoundRate, 4);  // bytes per second
    PutLittle(out, 1, 2);           // bytes per sample frame
    PutLittle(out, 8, 2);           // bits per sample
    PutTag(out, "data");
    PutLittle(out, dataSize, 4);
    out.insert(out.end(), samples.begin(), samples.end());
    if (pad) out.push_back(128);  // silence, should a player read the pad byte
    return out;
}

}  // namespace tovek::assets
