// Synthesises the four sound effects: make_sounds OUT_DIR writes goal.wav,
// item.wav, miss.wav and stomp.wav (11025, 1102, 11025 and 3307 samples).
#include <iostream>
#include <string>

#include "assets/generators/file_output.h"
#include "assets/generators/synth.h"
#include "assets/generators/wave_file.h"

namespace {

using tovek::assets::Note;
using tovek::assets::NoteHz;
using tovek::assets::SoundMix;
using tovek::assets::Timbre;

// A rising call in C major that lands on a held, shimmering chord.
std::vector<std::uint8_t> Goal() {
    SoundMix mix(11025);
    const int run[] = {67, 72, 76, 79};
    for (int i = 0; i < 4; ++i) {
        mix.Add({.start = i * 0.075,
                 .length = 0.085,
                 .hz = NoteHz(run[i]),
                 .level = 0.5,
                 .attack = 0.004,
                 .release = 0.015,
                 .timbre = Timbre::Bright});
    }
    mix.Add({.start = 0.30,
             .length = 0.09,
             .hz = NoteHz(76),
             .level = 0.45,
             .attack = 0.004,
             .release = 0.02,
             .timbre = Timbre::Bright});
    const double hold = 0.39;
    mix.Add({.start = hold,
             .length = 0.61,
             .hz = NoteHz(84),
             .level = 0.5,
             .attack = 0.006,
             .release = 0.12,
             .decay = 1.6,
             .vibratoDepth = 0.006,
             .vibratoHz = 6.5,
             .timbre = Timbre::Bright});
    for (int tone : {76, 79}) {
        mix.Add({.start = hold,
                 .length = 0.61,
                 .hz = NoteHz(tone),
                 .level = 0.22,
                 .attack = 0.01,
                 .release = 0.12,
                 .decay = 1.8,
                 .timbre = Timbre::Reed});
    }
    mix.Add({.start = hold,
             .length = 0.61,
             .hz = NoteHz(48),
             .level = 0.35,
             .attack = 0.01,
             .release = 0.12,
             .decay = 2.0,
             .timbre = Timbre::Bell});
    return mix.Render(0.85, 0.03);
}

// Two quick bell strikes a fourth apart.
std::vector<std::uint8_t> Item() {
    SoundMix mix(1102);
    mix.Add({.start = 0.0,
             .length = 0.04,
             .hz = NoteHz(83),
             .level = 0.5,
             .attack = 0.002,
             .release = 0.008,
             .decay = 20,
             .timbre = Timbre::Bell});
    mix.Add({.start = 0.035,
             .length = 0.065,
             .hz = NoteHz(88),
             .level = 0.6,
             .attack = 0.002,
             .release = 0.02,
             .decay = 18,
             .timbre = Timbre::Bell});
    return mix.Render(0.8, 0.01);
}

// A slow chromatic fall that ends in a sinking glide.
std::vector<std::uint8_t> Miss() {
    SoundMix mix(11025);
    const int steps[] = {72, 71, 70, 69};
    for (int i = 0; i < 4; ++i) {
        mix.Add({.start = i * 0.13,
                 .length = 0.14,
                 .hz = NoteHz(steps[i]),
                 .level = 0.5,
                 .attack = 0.006,
                 .release = 0.03,
                 .timbre = Timbre::Reed});
        mix.Add({.start = i * 0.13,
                 .length = 0.14,
                 .hz = NoteHz(steps[i] - 12),
                 .level = 0.25,
                 .attack = 0.006,
                 .release = 0.03,
                 .timbre = Timbre::Sine});
    }
    mix.Add({.start = 0.52,
             .length = 0.48,
             .hz = NoteHz(68),
             .endHz = NoteHz(56),
             .level = 0.5,
             .attack = 0.006,
             .release = 0.1,
             .decay = 2.2,
             .vibratoDepth = 0.015,
             .vibratoHz = 7,
             .timbre = Timbre::Reed});
    mix.Add({.start = 0.52,
             .length = 0.48,
             .hz = NoteHz(56),
             .endHz = NoteHz(44),
             .level = 0.3,
             .attack = 0.006,
             .release = 0.1,
             .decay = 2.2,
             .timbre = Timbre::Sine});
    return mix.Render(0.8, 0.02);
}

// A short, low thump with a soft squash of noise.
std::vector<std::uint8_t> Stomp() {
    SoundMix mix(3307);
    mix.Add({.start = 0.0,
             .length = 0.22,
             .hz = 210,
             .endHz = 48,
             .level = 0.9,
             .attack = 0.002,
             .release = 0.05,
             .decay = 14,
             .timbre = Timbre::Sine});
    mix.Add({.start = 0.0,
             .length = 0.08,
             .hz = 420,
             .endHz = 120,
             .level = 0.2,
             .attack = 0.001,
             .release = 0.02,
             .decay = 30,
             .timbre = Timbre::Sine});
    mix.AddNoise(0.0, 0.06, 0.45, 45, 0.18, 7);
    return mix.Render(0.85, 0.02);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sounds OUT_DIR\n";
        return 2;
    }
    const std::string dir = argv[1];
    const std::pair<const char*, std::vector<std::uint8_t>> sounds[] = {
        {"goal.wav", Goal()}, {"item.wav", Item()}, {"miss.wav", Miss()}, {"stomp.wav", Stomp()}};
    for (const auto& [name, samples] : sounds) {
        if (!tovek::assets::WriteFileBytes(dir + "/" + name, tovek::assets::EncodeWave(samples))) {
            std::cerr << "make_sounds: cannot write " << dir << "/" << name << "\n";
            return 1;
        }
    }
    return 0;
}
