#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tovek {
namespace {

// A reader of Standard MIDI Files written for this test, strict about chunk
// lengths and event boundaries; it throws std::runtime_error on any fault.
struct NoteEvent {
    std::uint32_t tick;
    int channel;
    int key;
    bool on;
};

struct TrackSummary {
    std::uint32_t endTick = 0;
    std::vector<NoteEvent> notes;
    std::map<std::uint32_t, std::uint32_t> tempos;  // tick -> microseconds per quarter
    std::set<int> programChannels;
};

struct MidiSummary {
    int format = -1;
    int division = 0;
    std::vector<TrackSummary> tracks;
};

class Reader {
  public:
    Reader(const std::vector<unsigned char>& bytes, std::size_t begin, std::size_t end)
        : bytes_(bytes), at_(begin), end_(end) {}

    bool Done() const { return at_ == end_; }
    std::uint32_t Byte() {
        if (at_ >= end_) throw std::runtime_error("read past the end of a chunk");
        return bytes_[at_++];
    }
    std::uint32_t Big(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i)
            value = value << 8 | Byte();
        return value;
    }
    std::uint32_t VariableLength() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint32_t b = Byte();
            value = value << 7 | (b & 0x7F);
            if (!(b & 0x80)) return value;
        }
        throw std::runtime_error("variable-length number longer than four bytes");
    }
    void Skip(std::uint32_t count) {
        if (count > end_ - at_) throw std::runtime_error("skip past the end of a chunk");
        at_ += count;
    }

  private:
    const std::vector<unsigned char>& bytes_;
    std::size_t at_;
    std::size_t end_;
};

TrackSummary ReadTrack(Reader& r) {
    TrackSummary track;
    std::uint32_t tick = 0;
    int status = -1;
    bool ended = false;
    while (!r.Done()) {
        if (ended) throw std::runtime_error("events after the end of the track");
        tick += r.VariableLength();
        std::uint32_t first = r.Byte();
        if (first & 0x80) {
            if (first == 0xFF) {
                const std::uint32_t type = r.Byte();
                const std::uint32_t length = r.VariableLength();
                if (type == 0x2F) {
                    if (length != 0) throw std::runtime_error("bad end-of-track event");
                    ended = true;
                    track.endTick = tick;
                } else if (type == 0x51) {
                    if (length != 3) throw std::runtime_error("bad tempo event");
                    track.tempos[tick] = r.Big(3);
                } else {
                    r.Skip(length);
                }
                status = -1;  // meta events cancel running status
                continue;
            }
            if (first == 0xF0 || first == 0xF7) {
                r.Skip(r.VariableLength());
                status = -1;
                continue;
            }
            status = static_cast<int>(first);
            first = r.Byte();
        } else if (status < 0) {
            throw std::runtime_error("data byte without a running status");
        }
        const int kind = status & 0xF0;
        const int channel = status & 0x0F;
        const bool twoDataBytes = kind != 0xC0 && kind != 0xD0;
        const std::uint32_t second = twoDataBytes ? r.Byte() : 0;
        if (first > 0x7F || second > 0x7F)
            throw std::runtime_error("data byte with the top bit set");
        if (kind == 0x90 || kind == 0x80) {
            track.notes.push_back(
                {tick, channel, static_cast<int>(first), kind == 0x90 && second > 0});
        } else if (kind == 0xC0) {
            track.programChannels.insert(channel);
        }
    }
    if (!ended) throw std::runtime_error("track without an end-of-track event");
    return track;
}

MidiSummary ReadMidi(const std::vector<unsigned char>& bytes) {
    MidiSummary midi;
    Reader header(bytes, 0, bytes.size());
    if (header.Big(4) != 0x4D546864 || header.Big(4) != 6)
        throw std::runtime_error("no MThd chunk");
    midi.format = static_cast<int>(header.Big(2));
    const std::uint32_t trackCount = header.Big(2);
    midi.division = static_cast<int>(header.Big(2));
    std::size_t at = 14;
    for (std::uint32_t i = 0; i < trackCount; ++i) {
        Reader chunk(bytes, at, bytes.size());
        if (chunk.Big(4) != 0x4D54726B) throw std::runtime_error("no MTrk chunk");
        const std::uint32_t length = chunk.Big(4);
        if (length > bytes.size() - at - 8)
            throw std::runtime_error("track chunk runs past the file");
        Reader events(bytes, at + 8, at + 8 + length);
        midi.tracks.push_back(ReadTrack(events));
        at += 8 + length;
    }
    if (at != bytes.size()) throw std::runtime_error("bytes after the last track");
    return midi;
}

double Seconds(const MidiSummary& midi, std::uint32_t endTick) {
    std::map<std::uint32_t, std::uint32_t> tempos = {{0, 500000}};
    for (const TrackSummary& t : midi.tracks) {
        for (const auto& [tick, tempo] : t.tempos)
            tempos[tick] = tempo;
    }
    double seconds = 0;
    for (auto it = tempos.begin(); it != tempos.end() && it->first < endTick; ++it) {
        const auto next = std::next(it);
        const std::uint32_t until = next == tempos.end() ? endTick : std::min(next->first, endTick);
        seconds += static_cast<double>(until - it->first) * it->second / 1e6 / midi.division;
    }
    return seconds;
}

std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MusicFile : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::vector<unsigned char> bytes = ReadFile(TOVEK_SOURCE_DIR "/dist/Tovek.mid");
        ASSERT_FALSE(bytes.empty()) << "dist/Tovek.mid is missing";
        ASSERT_NO_THROW(midi_ = ReadMidi(bytes));
    }
    MidiSummary midi_;
};

TEST_F(MusicFile, IsAFormatOneFileOfSeveralTracks) {
    EXPECT_EQ(midi_.format, 1);
    EXPECT_GT(midi_.division, 0);
    EXPECT_LT(midi_.division, 0x8000);  // ticks per quarter note, not SMPTE
    EXPECT_GE(midi_.tracks.size(), 5u);
}

TEST_F(MusicFile, LastsBetweenOneAndTwoMinutes) {
    std::uint32_t end = 0;
    for (const TrackSummary& t : midi_.tracks)
        end = std::max(end, t.endTick);
    const double seconds = Seconds(midi_, end);
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
}

// Every note that starts also stops, on its own channel and key.
TEST_F(MusicFile, EveryNoteEnds) {
    for (const TrackSummary& t : midi_.tracks) {
        std::map<std::pair<int, int>, int> sounding;
        for (const NoteEvent& n : t.notes) {
            int& count = sounding[{n.channel, n.key}];
            if (n.on) {
                ++count;
            } else {
                EXPECT_GT(count, 0) << "note-off without a note-on, key " << n.key;
                if (count > 0) --count;
            }
        }
        for (const auto& [note, count] : sounding)
            EXPECT_EQ(count, 0) << "key " << note.second << " left on";
    }
}

// A melody, a bass, harmony and light drums on the General MIDI drum channel.
TEST_F(MusicFile, UsesMelodicChannelsAndTheDrumChannel) {
    std::set<int> channels;
    std::set<int> programmed;
    for (const TrackSummary& t : midi_.tracks) {
        for (const NoteEvent& n : t.notes)
            channels.insert(n.channel);
        programmed.insert(t.programChannels.begin(), t.programChannels.end());
    }
    EXPECT_TRUE(channels.contains(9));
    EXPECT_GE(channels.size(), 4u);
    for (int channel : channels) {
        if (channel != 9) {
            EXPECT_TRUE(programmed.contains(channel)) << "channel " << channel;
        }
    }
}

// For a clean loop the music starts at once and stops at a bar line, right
// after its last note.
TEST_F(MusicFile, StartsAtOnceAndEndsOnABarLine) {
    std::uint32_t firstOn = UINT32_MAX;
    std::uint32_t lastOff = 0;
    std::uint32_t end = 0;
    for (const TrackSummary& t : midi_.tracks) {
        end = std::max(end, t.endTick);
        for (const NoteEvent& n : t.notes) {
            if (n.on)
                firstOn = std::min(firstOn, n.tick);
            else
                lastOff = std::max(lastOff, n.tick);
        }
    }
    const std::uint32_t bar = 4u * static_cast<std::uint32_t>(midi_.division);
    EXPECT_EQ(firstOn, 0u);
    EXPECT_EQ(end % bar, 0u);
    EXPECT_LE(end - lastOff, static_cast<std::uint32_t>(midi_.division));
}

TEST(MidiReader, FollowsRunningStatusAndRejectsBrokenFiles) {
    const std::vector<unsigned char> good = {
        'M',  'T', 'h', 'd',  0,    0,    0,   6, 0,  1,    0,    1,  0,
        96,   'M', 'T', 'r',  'k',  0,    0,   0, 17, 0x00, 0x90, 60, 100,  // note on
        0x10, 62,  100,  // running status: another note on
        0x10, 60,  0,    // running status: note off as velocity 0
        0x10, 62,  0,   0x00, 0xFF, 0x2F, 0x00};
    const MidiSummary midi = ReadMidi(good);
    ASSERT_EQ(midi.tracks.size(), 1u);
    ASSERT_EQ(midi.tracks[0].notes.size(), 4u);
    EXPECT_EQ(midi.tracks[0].notes[1].key, 62);
    EXPECT_TRUE(midi.tracks[0].notes[1].on);
    EXPECT_FALSE(midi.tracks[0].notes[2].on);
    EXPECT_EQ(midi.tracks[0].endTick, 48u);

    std::vector<unsigned char> shortChunk = good;
    shortChunk[21] = 16;  // the end-of-track event no longer fits in the chunk
    EXPECT_THROW(ReadMidi(shortChunk), std::runtime_error);
    std::vector<unsigned char> noEnd(good.begin(), good.end() - 4);
    noEnd[21] = 13;
    EXPECT_THROW(ReadMidi(noEnd), std::runtime_error);
}

}  // namespace
}  // namespace tovek
