// Writes the background piece: make_music OUT_FILE.
//
// A cheerful loop in G major at 120 beats a minute, 48 bars (96 seconds):
// theme, varied theme, a broader middle part, theme, a bridge in E minor on
// vibraphone, and the theme again, whose last bar turns round on D7 so that
// the restart from bar one follows naturally.
#include <array>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/generators/file_output.h"
#include "assets/generators/midi_file.h"
#include "assets/generators/score_notation.h"

namespace {

using tovek::assets::Chord;
using tovek::assets::kTicksPerBar;
using tovek::assets::kTicksPerQuarter;
using tovek::assets::MidiTrack;
using tovek::assets::ParseBar;
using tovek::assets::ParseChords;
using tovek::assets::ScoreNote;

constexpr std::uint32_t kMicrosecondsPerQuarter = 500000;  // 120 beats a minute
constexpr std::uint32_t kEighth = kTicksPerQuarter / 2;

enum Channel { kMelody = 0, kBass = 1, kArpeggio = 2, kPad = 3, kDouble = 4, kDrums = 9 };

// General MIDI programs (numbered from 0).
enum Program {
    kVibraphone = 11,
    kMarimba = 12,
    kBassFinger = 33,
    kStrings = 48,
    kClarinet = 71,
    kFlute = 73
};

// General MIDI percussion keys.
enum Drum {
    kKick = 36,
    kSideStick = 37,
    kClosedHat = 42,
    kLowTom = 45,
    kOpenHat = 46,
    kMidTom = 47,
    kHighTom = 50,
    kCrash = 49,
    kRide = 51,
    kTambourine = 54
};

enum class Style { Opening, Lifted, Broad, Full, Bridge, Closing };

struct Section {
    Style style;
    std::array<const char*, 8> melody;
    std::array<const char*, 8> chords;
};

const std::array<const char*, 8> kThemeChords = {"G", "Em", "C", "D", "G", "Em", "Am D", "G"};
const std::array<const char*, 8> kTheme = {
    "D5q B4e D5e G5q. F#5e", "E5q G5e E5e B4h", "C5e D5e E5q G5e E5e C5q",  "D5q. C5e B4q A4q",
    "D5q B4e D5e G5q. A5e",  "B5q A5e G5e E5h", "C5e E5e A5q F#5e E5e D5q", "G5h. rq"};

const Section kSections[] = {
    {Style::Opening, kTheme, kThemeChords},
    {Style::Lifted,
     {"D5q B4e D5e G5e A5e B5e G5e", "E5q G5e E5e B4q. B4e", "C5e D5e E5q G5e A5e G5e E5e",
      "F#5q. E5e D5h", "B4e D5e G5e B5e A5q G5q", "G5e F#5e E5e D5e E5q B4q", "C5q E5e A5e G5q E5q",
      "F#5h. A4q"},
     {"G", "Em", "C", "D", "G", "Em", "Am", "D"}},
    {Style::Broad,
     {"E5h G5q E5q", "F#5h A5q F#5q", "D5q. B4e D5q F#5q", "E5w", "G5q E5q C5q E5q",
      "A5q F#5q D5q F#5q", "G5h G#5h", "A5q C6q B5e A5e F#5q"},
     {"C", "D", "Bm", "Em", "C", "D", "G E7", "Am D"}},
    {Style::Full, kTheme, kThemeChords},
    {Style::Bridge,
     {"B4e E5e G5q F#5e E5e B4q", "C5e E5e G5q A5e G5e E5q", "D5e G5e B5q A5e G5e D5q",
      "F#5q. E5e D5h", "E5e G5e B5q A5e G5e E5q", "E5e G5e C6q B5e A5e G5q", "A5q. G5e E5q C5q",
      "D5q E5e F#5e A5q rq"},
     {"Em", "C", "G", "D", "Em", "C", "Am", "D"}},
    {Style::Closing,
     {kTheme[0], kTheme[1], kTheme[2], kTheme[3], kTheme[4], kTheme[5], kTheme[6],
      "G5q D5e B4e C5e B4e A4e C5e"},
     {"G", "Em", "C", "D", "G", "Em", "Am D", "G D7"}},
};

// The chord tone of `interval` above `chord`'s root, in the octave starting at `low`.
int Place(const Chord& chord, int interval, int low) {
    const int pitchClass = (chord.root + interval) % 12;
    return low + ((pitchClass - low % 12) + 12) % 12;
}

struct Tracks {
    MidiTrack conductor, melody, bass, arpeggio, pad, doubled, drums;
};

void PlayMelody(Tracks& t, const Section& s, std::uint32_t barStart, int bar) {
    const bool bridge = s.style == Style::Bridge;
    for (const ScoreNote& n : ParseBar(s.melody[bar], barStart)) {
        const std::uint32_t inBar = n.start - barStart;
        int velocity = 84;
        if (inBar % kTicksPerQuarter != 0) velocity -= 10;  // off-beat eighths a little lighter
        if (inBar == 0) velocity += 8;
        const std::uint32_t sounding = n.length <= kEighth ? n.length * 3 / 4 : n.length * 9 / 10;
        t.melody.Note(n.start, sounding, kMelody, n.key, bridge ? velocity - 4 : velocity);
        if (s.style == Style::Full || s.style == Style::Closing) {
            t.doubled.Note(n.start, sounding, kDouble, n.key - 12, velocity / 2);
        }
    }
}

void PlayBass(Tracks& t, const Section& s, const std::vector<Chord>& chords,
              std::uint32_t barStart) {
    const std::uint32_t share = kTicksPerBar / chords.size();
    for (std::size_t i = 0; i < chords.size(); ++i) {
        const int root = Place(chords[i], 0, 40);
        const std::uint32_t at = barStart + i * share;
        if (s.style == Style::Bridge) {
            t.bass.Note(at, share - 40, kBass, root, 78);
        } else if (s.style == Style::Broad) {
            for (std::uint32_t k = 0; k < share; k += 2 * kTicksPerQuarter) {
                t.bass.Note(at + k, kTicksPerQuarter * 3 / 2, kBass, root, 82);
                t.bass.Note(at + k + 3 * kEighth, kEighth - 20, kBass, root + 7, 68);
            }
        } else {
            const int pattern[] = {0, 7, 12, 7};
            for (std::uint32_t k = 0; k * kTicksPerQuarter < share; ++k) {
                t.bass.Note(at + k * kTicksPerQuarter, kTicksPerQuarter - 60, kBass,
                            root + pattern[k % 4], k % 2 == 0 ? 84 : 70);
            }
        }
    }
}

void PlayArpeggio(Tracks& t, const Section& s, const std::vector<Chord>& chords,
                  std::uint32_t barStart) {
    if (s.style == Style::Broad) return;
    const std::uint32_t share = kTicksPerBar / chords.size();
    const bool slow = s.style == Style::Bridge;
    const std::uint32_t step = slow ? kTicksPerQuarter : kEighth;
    const int order[] = {0, 1, 2, 3, 2, 1, 2, 1};
    for (std::size_t i = 0; i < chords.size(); ++i) {
        const int root = Place(chords[i], 0, 55);
        const int tones[] = {root, root + chords[i].intervals[1], root + chords[i].intervals[2],
                             root + 12};
        for (std::uint32_t k = 0; k * step < share; ++k) {
            const int velocity = (s.style == Style::Opening ? 52 : 58) + (k % 2 == 0 ? 6 : 0);
            t.arpeggio.Note(barStart + i * share + k * step, step - 20, kArpeggio,
                            tones[order[k % 8]], velocity);
        }
    }
}

void PlayPad(Tracks& t, const Section& s, const std::vector<Chord>& chords,
             std::uint32_t barStart) {
    if (s.style == Style::Opening) return;
    const int velocity = s.style == Style::Broad ? 58 : s.style == Style::Bridge ? 52 : 40;
    const std::uint32_t share = kTicksPerBar / chords.size();
    for (std::size_t i = 0; i < chords.size(); ++i) {
        for (int interval : chords[i].intervals) {
            t.pad.Note(barStart + i * share, share - 30, kPad, Place(chords[i], interval, 55),
                       velocity);
        }
    }
}

void PlayDrums(Tracks& t, const Section& s, std::uint32_t barStart, int bar) {
    MidiTrack& d = t.drums;
    const std::uint32_t q = kTicksPerQuarter;
    const bool lastBar = bar == 7;
    if (bar == 0 && (s.style == Style::Broad || s.style == Style::Full))
        d.Note(barStart, q, kDrums, kCrash, 46);
    if (s.style == Style::Bridge) {
        for (int beat = 0; beat < 4; ++beat)
            d.Note(barStart + beat * q, q / 2, kDrums, kRide, beat == 0 ? 40 : 32);
        d.Note(barStart, q / 2, kDrums, kKick, 52);
        if (lastBar) {
            for (int k = 4; k < 8; ++k)
                d.Note(barStart + k * kEighth, kEighth / 2, kDrums, kSideStick, 30 + 6 * k);
        }
        return;
    }
    for (int beat = 0; beat < 4; ++beat) {
        const std::uint32_t at = barStart + beat * q;
        if (beat % 2 == 0) d.Note(at, q / 2, kDrums, kKick, 62);
        if (s.style == Style::Broad) {
            d.Note(at, q / 2, kDrums, kClosedHat, 30);
            if (beat % 2 == 1) d.Note(at, q / 2, kDrums, kTambourine, 44);
        } else {
            d.Note(at, kEighth / 2, kDrums, kClosedHat, 38);
            d.Note(at + kEighth, kEighth / 2, kDrums, kClosedHat, 24);
            if (beat % 2 == 1) d.Note(at, q / 2, kDrums, kSideStick, 44);
        }
    }
    if (lastBar && s.style == Style::Lifted)
        d.Note(barStart + 3 * q + kEighth, kEighth, kDrums, kOpenHat, 34);
    if (lastBar && s.style == Style::Closing) {
        const int toms[] = {kHighTom, kMidTom, kLowTom};
        for (int k = 0; k < 3; ++k) {
            d.Note(barStart + 3 * q + k * q / 3, q / 3, kDrums, toms[k], 44 + 4 * k);
        }
    }
}

void SetUpChannel(MidiTrack& track, const std::string& name, int channel, int program, int volume,
                  int pan) {
    track.Name(name);
    if (channel != kDrums) track.Program(0, channel, program);
    track.Controller(0, channel, 7, volume);
    track.Controller(0, channel, 10, pan);
    track.Controller(0, channel, 91, 40);  // a little reverb
}

std::vector<std::uint8_t> ComposePiece() {
    Tracks t;
    t.conductor.Name("Tovek");
    t.conductor.TimeSignature(0, 4, 2);
    t.conductor.KeySignature(0, 1, false);
    t.conductor.Tempo(0, kMicrosecondsPerQuarter);
    SetUpChannel(t.melody, "Melody", kMelody, kFlute, 100, 64);
    SetUpChannel(t.bass, "Bass", kBass, kBassFinger, 96, 60);
    SetUpChannel(t.arpeggio, "Marimba", kArpeggio, kMarimba, 82, 40);
    SetUpChannel(t.pad, "Strings", kPad, kStrings, 72, 88);
    SetUpChannel(t.doubled, "Clarinet", kDouble, kClarinet, 70, 76);
    SetUpChannel(t.drums, "Drums", kDrums, 0, 84, 64);

    std::uint32_t barStart = 0;
    for (const Section& s : kSections) {
        const int program = s.style == Style::Bridge ? kVibraphone : kFlute;
        if (barStart != 0) t.melody.Program(barStart, kMelody, program);
        for (int bar = 0; bar < 8; ++bar, barStart += kTicksPerBar) {
            const std::vector<Chord> chords = ParseChords(s.chords[bar]);
            PlayMelody(t, s, barStart, bar);
            PlayBass(t, s, chords, barStart);
            PlayArpeggio(t, s, chords, barStart);
            PlayPad(t, s, chords, barStart);
            PlayDrums(t, s, barStart, bar);
        }
    }
    return tovek::assets::EncodeMidiFile(
        {t.conductor, t.melody, t.bass, t.arpeggio, t.pad, t.doubled, t.drums}, kTicksPerQuarter,
        barStart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_music OUT_FILE\n";
        return 2;
    }
    try {
        if (!tovek::assets::WriteFileBytes(argv[1], ComposePiece())) {
            std::cerr << "make_music: cannot write " << argv[1] << "\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "make_music: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
