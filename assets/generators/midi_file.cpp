#include "assets/generators/midi_file.h"

#include <algorithm>
#include <tuple>

namespace tovek::assets {
namespace {

void PutVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = value & 0x7F;
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(groups[--count] | 0x80);
    out.push_back(groups[0]);
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value);
}

}  // namespace

void MidiTrack::Add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes) {
    events_.push_back({tick, order, static_cast<std::uint32_t>(events_.size()), std::move(bytes)});
}

void MidiTrack::Name(const std::string& name) {
    std::vector<std::uint8_t> bytes = {0xFF, 0x03, Byte(name.size())};
    bytes.insert(bytes.end(), name.begin(), name.end());
    Add(0, 0, std::move(bytes));
}

void MidiTrack::Tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter) {
    Add(tick, 0,
        {0xFF, 0x51, 0x03, Byte(microsecondsPerQuarter >> 16), Byte(microsecondsPerQuarter >> 8),
         Byte(microsecondsPerQuarter)});
}

void MidiTrack::TimeSignature(std::uint32_t tick, int numerator, int denominatorPower) {
    Add(tick, 0, {0xFF, 0x58, 0x04, Byte(numerator), Byte(denominatorPower), 24, 8});
}

void MidiTrack::KeySignature(std::uint32_t tick, int sharps, bool minor) {
    Add(tick, 0, {0xFF, 0x59, 0x02, Byte(sharps), Byte(minor ? 1 : 0)});
}

void MidiTrack::Program(std::uint32_t tick, int channel, int program) {
    Add(tick, 2, {Byte(0xC0 | channel), Byte(program)});
}

void MidiTrack::Controller(std::uint32_t tick, int channel, int controller, int value) {
    Add(tick, 2, {Byte(0xB0 | channel), Byte(controller), Byte(value)});
}

void MidiTrack::Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
    Add(tick, 3, {Byte(0x90 | channel), Byte(key), Byte(velocity)});
    // A note-on with velocity 0 ends the note, so runs of notes share one status byte.
    Add(tick + length, 1, {Byte(0x90 | channel), Byte(key), 0});
}

std::vector<std::uint8_t> MidiTrack::Encode(std::uint32_t endTick) const {
    std::vector<const Event*> sorted;
    for (const Event& e : events_)
        sorted.push_back(&e);
    std::sort(sorted.begin(), sorted.end(), [](const Event* a, const Event* b) {
        return std::tie(a->tick, a->order, a->sequence) < std::tie(b->tick, b->order, b->sequence);
    });
    std::vector<std::uint8_t> body;
    std::uint32_t now = 0;
    int runningStatus = -1;
    for (const Event* e : sorted) {
        PutVariableLength(body, e->tick - now);
        now = e->tick;
        const std::uint8_t status = e->bytes[0];
        if (status < 0xF0 && status == runningStatus) {
            body.insert(body.end(), e->bytes.begin() + 1, e->bytes.end());
        } else {
            body.insert(body.end(), e->bytes.begin(), e->bytes.end());
            runningStatus = status < 0xF0 ? status : -1;
        }
    }
    PutVariableLength(body, std::max(endTick, now) - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
    PutBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<std::uint8_t> EncodeMidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter,
                                         std::uint32_t endTick) {
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    PutBigEndian(file, static_cast<std::uint32_t>(tracks.size()), 2);
    PutBigEndian(file, static_cast<std::uint32_t>(ticksPerQuarter), 2);
    for (const MidiTrack& track : tracks) {
        const std::vector<std::uint8_t> chunk = track.Encode(endTick);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

}  // namespace tovek::assets
