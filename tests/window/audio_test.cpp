// Effects and music on SDL's disk sound device (its output is a file of
// 16-bit stereo samples, written in real time), and without any sound device.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <thread>

#include "game/core/built_in_sounds.h"
#include "game/sdl/audio_session.h"
#include "game/sdl/mixer_music.h"
#include "game/sdl/mixer_sound.h"
#include "tests/support/temp_folder.h"

namespace tovek {
namespace {

using Clock = std::chrono::steady_clock;

// A MIDI file of one quarter-second note.
std::vector<std::uint8_t> ShortPiece() {
    return {
        'M', 'T',  'h',  'd', 0, 0, 0, 6,  0, 0, 0, 1, 0, 96,  // format 0, one track, 96 per beat
        'M', 'T',  'r',  'k', 0, 0, 0, 16,                     //
        0,   0xC0, 0,                                          // piano
        0,   0x90, 60,   100,                                  // note on
        48,  0x80, 60,   0,                                    // half a beat later: off
        0,   0xFF, 0x2F, 0,                                    // end of track
    };
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

class AudioTest : public ::testing::Test {
  protected:
    // The disk device writes what it mixes at the pace it would play it.
    void UseDiskDevice() {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", Output().c_str(), 1);
        unsetenv("SDL_DISKAUDIODELAY");
    }
    void TearDown() override {
        SDL_Quit();
        unsetenv("SDL_SOUNDFONTS");
    }

    std::string Output() const { return (folder_.Path() / "audio.raw").string(); }

    // The game's own music, or another piece, as Tovek.mid in the test's folder.
    std::filesystem::path ShippedPiece() const {
        const std::filesystem::path piece = folder_.Path() / "Tovek.mid";
        std::filesystem::copy_file(std::filesystem::path(TOVEK_DIST_FOLDER) / "Tovek.mid", piece);
        return piece;
    }
    std::filesystem::path Piece(const std::vector<std::uint8_t>& bytes) const {
        const std::filesystem::path piece = folder_.Path() / "Tovek.mid";
        WriteFile(piece, bytes);
        return piece;
    }

    std::vector<std::int16_t> Samples(std::size_t fromSample = 0) const {
        std::ifstream stream(Output(), std::ios::binary);
        stream.seekg(static_cast<std::streamoff>(2 * fromSample));
        const std::vector<char> bytes((std::istreambuf_iterator<char>(stream)),
                                      std::istreambuf_iterator<char>());
        std::vector<std::int16_t> samples;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            samples.push_back(
                static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                          static_cast<std::uint8_t>(bytes[i + 1]) << 8));
        }
        return samples;
    }
    std::size_t SampleCount() const {
        std::error_code error;
        return static_cast<std::size_t>(std::filesystem::file_size(Output(), error)) / 2;
    }
    static bool Audible(const std::vector<std::int16_t>& samples) {
        for (const std::int16_t sample : samples) {
            if (sample > 256 || sample < -256) return true;
        }
        return false;
    }
    bool WaitUntilAudible(std::size_t fromSample) const {
        const auto end = Clock::now() + std::chrono::seconds(20);
        while (Clock::now() < end) {
            const std::vector<std::int16_t> fresh = Samples(fromSample);
            if (Audible(fresh)) return true;
            fromSample += fresh.size();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    std::string WaitForStatus(MusicDevice& music, const std::string& wanted) const {
        const auto end = Clock::now() + std::chrono::seconds(30);
        std::string status = music.StatusMode();
        while (status != wanted && Clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            status = music.StatusMode();
        }
        return status;
    }

    test::TempFolder folder_;
};

TEST_F(AudioTest, SystemSoundFontIsTheDebianGeneralMidiOne) {
    unsetenv("SDL_SOUNDFONTS");
    const std::optional<std::string> font = SystemSoundFont();
    ASSERT_TRUE(font.has_value()) << "no General-MIDI soundfont installed (timgm6mb-soundfont)";
    EXPECT_TRUE(*font == "/usr/share/sounds/sf2/default-GM.sf2" ||
                *font == "/usr/share/sounds/sf3/default-GM.sf3")
        << *font;
}

TEST_F(AudioTest, SoundFontChosenByTheUserIsLeftAlone) {
    setenv("SDL_SOUNDFONTS", "/somewhere/else.sf2", 1);
    EXPECT_FALSE(SystemSoundFont().has_value());
}

TEST_F(AudioTest, WithoutASoundDeviceEverythingIsSilentAndHarmless) {
    setenv("SDL_AUDIODRIVER", "no-such-device", 1);
    const std::filesystem::path piece = Piece(ShortPiece());
    AudioSession audio;
    EXPECT_FALSE(audio.IsOpen());
    MixerSound sound(audio);
    sound.Play(1, EmbeddedSoundFiles()[1]);
    MixerMusic music(audio);
    music.Open(piece);
    EXPECT_EQ(music.StatusMode(), "");
    music.Play();
    music.Stop();
    music.Rewind();
    EXPECT_EQ(music.StatusMode(), "");
    music.Close();
}

TEST_F(AudioTest, EffectIsWrittenToTheDevice) {
    UseDiskDevice();
    AudioSession audio;
    ASSERT_TRUE(audio.IsOpen()) << SDL_GetError();
    MixerSound sound(audio);
    sound.Play(3, EmbeddedSoundFiles()[3]);
    EXPECT_TRUE(WaitUntilAudible(0));
}

TEST_F(AudioTest, NewEffectCutsOffTheOnePlaying) {
    UseDiskDevice();
    AudioSession audio;
    ASSERT_TRUE(audio.IsOpen()) << SDL_GetError();
    MixerSound sound(audio);
    const auto files = EmbeddedSoundFiles();
    sound.Play(0, files[0]);  // about a second long
    sound.Play(1, files[1]);  // about a tenth
    const auto end = Clock::now() + std::chrono::seconds(20);
    while (Mix_Playing(-1) != 0 && Clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(Mix_Playing(-1), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the last buffers reach the file
    std::size_t soundingFrames = 0;
    const std::vector<std::int16_t> samples = Samples();
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2) {
        if (samples[i] != 0 || samples[i + 1] != 0) ++soundingFrames;
    }
    // The long sound alone would sound for about 44100 frames.
    EXPECT_GT(soundingFrames, 0u);
    EXPECT_LT(soundingFrames, 20000u);
}

TEST_F(AudioTest, MusicStatusFollowsTheCommands) {
    UseDiskDevice();
    const std::filesystem::path piece = ShippedPiece();
    AudioSession audio;
    ASSERT_TRUE(audio.IsOpen());
    MixerMusic music(audio);
    EXPECT_EQ(music.StatusMode(), "") << "nothing is open";
    music.Open(piece);
    EXPECT_EQ(music.StatusMode(), "stopped");
    music.Play();
    EXPECT_EQ(music.StatusMode(), "playing");
    music.Stop();
    EXPECT_EQ(music.StatusMode(), "stopped");
    music.Play();
    EXPECT_EQ(music.StatusMode(), "playing");
    music.Rewind();
    EXPECT_EQ(music.StatusMode(), "stopped");
    music.Play();
    EXPECT_EQ(music.StatusMode(), "playing");
    music.Close();
    EXPECT_EQ(music.StatusMode(), "");
}

TEST_F(AudioTest, MusicIsWrittenToTheDevice) {
    UseDiskDevice();
    const std::filesystem::path piece = ShippedPiece();
    AudioSession audio;
    MixerMusic music(audio);
    music.Open(piece);
    music.Play();
    EXPECT_TRUE(WaitUntilAudible(0));
}

TEST_F(AudioTest, PieceRewoundAfterAStopIsHeardAgain) {
    UseDiskDevice();
    const std::filesystem::path piece = ShippedPiece();
    AudioSession audio;
    MixerMusic music(audio);
    music.Open(piece);
    music.Play();
    ASSERT_TRUE(WaitUntilAudible(0));
    music.Stop();
    music.Rewind();
    // Once the sound mixed before the stop is out, a stretch stays silent.
    const auto end = Clock::now() + std::chrono::seconds(20);
    bool quiet = false;
    while (!quiet && Clock::now() < end) {
        const std::size_t from = SampleCount();
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        quiet = !Audible(Samples(from));
    }
    ASSERT_TRUE(quiet) << "the stopped piece goes on sounding";
    const std::size_t restart = SampleCount();
    music.Play();
    EXPECT_TRUE(WaitUntilAudible(restart)) << "the piece is not heard again";
}

TEST_F(AudioTest, PieceThatPlayedToItsEndReportsStopped) {
    UseDiskDevice();
    const std::filesystem::path piece = Piece(ShortPiece());
    AudioSession audio;
    MixerMusic music(audio);
    music.Open(piece);
    music.Play();
    EXPECT_EQ(WaitForStatus(music, "stopped"), "stopped");
    music.Play();  // at its end nothing more plays
    EXPECT_EQ(music.StatusMode(), "stopped");
    music.Rewind();
    music.Play();
    EXPECT_EQ(music.StatusMode(), "playing");
}

TEST_F(AudioTest, MissingMusicFileLeavesNothingOpen) {
    UseDiskDevice();
    AudioSession audio;
    MixerMusic music(audio);
    music.Open(folder_.Path() / "Tovek.mid");
    EXPECT_EQ(music.StatusMode(), "");
    music.Play();
    EXPECT_EQ(music.StatusMode(), "");
}

TEST_F(AudioTest, BrokenMusicFileLeavesNothingOpen) {
    UseDiskDevice();
    const std::filesystem::path piece =
        Piece({'M', 'T', 'h', 'd', 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3});
    AudioSession audio;
    MixerMusic music(audio);
    music.Open(piece);
    music.Play();
    EXPECT_EQ(music.StatusMode(), "");
    music.Rewind();
    music.Play();
    EXPECT_EQ(music.StatusMode(), "");
}

TEST_F(AudioTest, UnreadableSoundFontLeavesTheGameRunning) {
    UseDiskDevice();
    setenv("SDL_SOUNDFONTS", (folder_.Path() / "missing.sf2").c_str(), 1);
    const std::filesystem::path piece = ShippedPiece();
    AudioSession audio;
    MixerMusic music(audio);
    music.Open(piece);
    music.Play();
    // The library may fall back on another synthesiser or stay silent.
    const std::string status = music.StatusMode();
    EXPECT_TRUE(status == "playing" || status.empty()) << status;
    const std::size_t playing = SampleCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_GT(SampleCount(), playing) << "the device stopped";
    music.Stop();
    music.Rewind();
    music.Close();
    EXPECT_EQ(music.StatusMode(), "");
}

}  // namespace
}  // namespace tovek
