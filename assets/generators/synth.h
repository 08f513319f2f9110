#pragma once

#include <cstdint>
#include <vector>

namespace tovek::assets {

enum class Timbre {
    Sine,
    Bell,    // sine with a soft octave and twelfth: chimes
    Reed,    // odd harmonics falling off quickly: a mellow square
    Bright,  // a fuller set of harmonics: brass-like fanfare tone
};

// A note: start and length in seconds, pitch in Hz (optionally gliding to
// `endHz`), peak level 0..1, attack and release times in seconds, and an
// exponential decay rate per second applied after the attack.
struct Note {
    double start = 0;
    double length = 0;
    double hz = 440;
    double endHz = 0;  // 0 = no glide
    double level = 0.5;
    double attack = 0.005;
    double release = 0.02;
    double decay = 0;
    double vibratoDepth = 0;  // fraction of the pitch
    double vibratoHz = 6;
    Timbre timbre = Timbre::Sine;
};

// A mix of notes and noise bursts rendered at 11025 Hz.
class SoundMix {
  public:
    explicit SoundMix(int sampleCount) : samples_(sampleCount, 0.0) {}

    void Add(const Note& note);
    // Low-passed noise, for the soft impact of a stomp.
    void AddNoise(double start, double length, double level, double decayPerSecond,
                  double smoothing, std::uint32_t seed);

    // Scales the peak to `peak` (0..1), fades the last `fadeSeconds` to
    // silence and returns unsigned 8-bit samples centred on 128.
    std::vector<std::uint8_t> Render(double peak, double fadeSeconds) const;

  private:
    std::vector<double> samples_;
};

double NoteHz(int midiNote);

}  // namespace tovek::assets
