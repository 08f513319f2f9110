#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovek::assets {

// One track of a Standard MIDI File under construction. Events may be added in
// any order; Encode sorts them by tick (note-offs first at equal ticks), writes
// delta times and uses running status for channel messages.
class MidiTrack {
  public:
    void Name(const std::string& name);
    void Tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter);
    void TimeSignature(std::uint32_t tick, int numerator, int denominatorPower);
    void KeySignature(std::uint32_t tick, int sharps, bool minor);
    void Program(std::uint32_t tick, int channel, int program);
    void Controller(std::uint32_t tick, int channel, int controller, int value);
    void Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

    // The track chunk "MTrk" with its events and the end-of-track event at
    // `endTick` (or after the last event, if that is later).
    std::vector<std::uint8_t> Encode(std::uint32_t endTick) const;

  private:
    struct Event {
        std::uint32_t tick;
        int order;  // at equal ticks: meta 0, note-off 1, controls 2, note-on 3
        std::uint32_t sequence;
        std::vector<std::uint8_t> bytes;
    };
    void Add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes);

    std::vector<Event> events_;
};

// A format-1 file: the header chunk "MThd" and the tracks.
std::vector<std::uint8_t> EncodeMidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter,
                                         std::uint32_t endTick);

}  // namespace tovek::assets
