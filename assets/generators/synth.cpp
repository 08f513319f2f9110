#include "assets/generators/synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "assets/generators/wave_file.h"

namespace tovek::assets {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Sums only harmonics below the Nyquist frequency, so high notes stay clean.
double Shape(Timbre timbre, double phase, double hz) {
    struct Partial {
        int harmonic;
        double weight;
    };
    static const Partial kSine[] = {{1, 1.0}};
    static const Partial kBell[] = {{1, 1.0}, {2, 0.35}, {3, 0.12}, {5, 0.05}};
    static const Partial kReed[] = {{1, 1.0}, {3, 0.3}, {5, 0.12}, {7, 0.05}};
    static const Partial kBright[] = {{1, 1.0}, {2, 0.45}, {3, 0.35},
                                      {4, 0.2}, {5, 0.15}, {6, 0.08}};
    const Partial* begin = kSine;
    const Partial* end = kSine + 1;
    switch (timbre) {
        case Timbre::Sine:
            break;
        case Timbre::Bell:
            begin = kBell;
            end = kBell + std::size(kBell);
            break;
        case Timbre::Reed:
            begin = kReed;
            end = kReed + std::size(kReed);
            break;
        case Timbre::Bright:
            begin = kBright;
            end = kBright + std::size(kBright);
            break;
    }
    double value = 0.0;
    for (const Partial* p = begin; p != end; ++p) {
        if (hz * p->harmonic < kSoundRate / 2.0) value += p->weight * std::sin(phase * p->harmonic);
    }
    return value;
}

}  // namespace

double NoteHz(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

void SoundMix::Add(const Note& note) {
    const int first = static_cast<int>(note.start * kSoundRate);
    const int count = static_cast<int>(note.length * kSoundRate);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        const int at = first + i;
        if (at < 0 || at >= static_cast<int>(samples_.size())) continue;
        const double t = static_cast<double>(i) / kSoundRate;
        const double progress = static_cast<double>(i) / count;
        double hz = note.endHz > 0 ? note.hz * std::pow(note.endHz / note.hz, progress) : note.hz;
        hz *=
            1.0 + note.vibratoDepth * std::sin(kTwoPi * note.vibratoHz * t) * std::min(1.0, t * 8);
        phase += kTwoPi * hz / kSoundRate;
        double envelope = std::min(1.0, t / note.attack);
        if (t > note.attack) envelope *= std::exp(-note.decay * (t - note.attack));
        const double untilEnd = note.length - t;
        if (untilEnd < note.release) envelope *= untilEnd / note.release;
        samples_[at] += note.level * envelope * Shape(note.timbre, phase, hz);
    }
}

void SoundMix::AddNoise(double start, double length, double level, double decayPerSecond,
                        double smoothing, std::uint32_t seed) {
    const int first = static_cast<int>(start * kSoundRate);
    const int count = static_cast<int>(length * kSoundRate);
    double filtered = 0.0;
    std::uint32_t state = seed;
    for (int i = 0; i < count; ++i) {
        const int at = first + i;
        if (at < 0 || at >= static_cast<int>(samples_.size())) continue;
        state = state * 1664525u + 1013904223u;
        const double white = ((state >> 8) & 0xFFFF) / 32768.0 - 1.0;
        filtered += (white - filtered) * smoothing;
        const double t = static_cast<double>(i) / kSoundRate;
        const double envelope = std::min(1.0, t / 0.002) * std::exp(-decayPerSecond * t) *
                                std::min(1.0, (count - i) / (0.01 * kSoundRate));
        samples_[at] += level * envelope * filtered;
    }
}

std::vector<std::uint8_t> SoundMix::Render(double peak, double fadeSeconds) const {
    double loudest = 1e-9;
    for (double s : samples_)
        loudest = std::max(loudest, std::abs(s));
    const double gain = peak / loudest;
    const int fade = static_cast<int>(fadeSeconds * kSoundRate);
    const int size = static_cast<int>(samples_.size());
    std::vector<std::uint8_t> out;
    out.reserve(samples_.size());
    for (int i = 0; i < size; ++i) {
        double value = samples_[i] * gain;
        if (i >= size - fade) value *= static_cast<double>(size - 1 - i) / fade;
        out.push_back(
            static_cast<std::uint8_t>(std::clamp(128 + std::lround(value * 127.0), 1L, 255L)));
    }
    return out;
}

}  // namespace tovek::assets
