#include "assets/generators/score_notation.h"

#include <sstream>
#include <stdexcept>

namespace tovek::assets {
namespace {

int PitchClass(char letter) {
    switch (letter) {
        case 'C':
            return 0;
        case 'D':
            return 2;
        case 'E':
            return 4;
        case 'F':
            return 5;
        case 'G':
            return 7;
        case 'A':
            return 9;
        case 'B':
            return 11;
        default:
            return -1;
    }
}

std::uint32_t LengthTicks(const std::string& token, std::size_t at) {
    if (at >= token.size()) throw std::runtime_error("no length in \"" + token + "\"");
    std::uint32_t ticks = 0;
    switch (token[at]) {
        case 'w':
            ticks = 4 * kTicksPerQuarter;
            break;
        case 'h':
            ticks = 2 * kTicksPerQuarter;
            break;
        case 'q':
            ticks = kTicksPerQuarter;
            break;
        case 'e':
            ticks = kTicksPerQuarter / 2;
            break;
        case 's':
            ticks = kTicksPerQuarter / 4;
            break;
        default:
            throw std::runtime_error("bad length in \"" + token + "\"");
    }
    if (at + 1 < token.size()) {
        if (token.substr(at + 1) != ".") throw std::runtime_error("bad token \"" + token + "\"");
        ticks += ticks / 2;
    }
    return ticks;
}

}  // namespace

std::vector<ScoreNote> ParseBar(const std::string& text, std::uint32_t barStart) {
    std::vector<ScoreNote> notes;
    std::istringstream tokens(text);
    std::string token;
    std::uint32_t at = 0;
    while (tokens >> token) {
        if (token[0] == 'r') {
            at += LengthTicks(token, 1);
            continue;
        }
        const int pitchClass = PitchClass(token[0]);
        if (pitchClass < 0) throw std::runtime_error("bad pitch in \"" + token + "\"");
        std::size_t i = 1;
        int alter = 0;
        if (i < token.size() && (token[i] == '#' || token[i] == 'b'))
            alter = token[i++] == '#' ? 1 : -1;
        if (i >= token.size() || token[i] < '0' || token[i] > '8') {
            throw std::runtime_error("bad octave in \"" + token + "\"");
        }
        const int octave = token[i++] - '0';
        const std::uint32_t length = LengthTicks(token, i);
        notes.push_back({barStart + at, length, 12 * (octave + 1) + pitchClass + alter});
        at += length;
    }
    if (at != kTicksPerBar) throw std::runtime_error("bar \"" + text + "\" is not four beats");
    return notes;
}

std::vector<Chord> ParseChords(const std::string& text) {
    std::vector<Chord> chords;
    std::istringstream names(text);
    std::string name;
    while (names >> name) {
        int root = PitchClass(name[0]);
        if (root < 0) throw std::runtime_error("bad chord \"" + name + "\"");
        std::string quality = name.substr(1);
        if (!quality.empty() && (quality[0] == '#' || quality[0] == 'b')) {
            root = (root + (quality[0] == '#' ? 1 : 11)) % 12;
            quality = quality.substr(1);
        }
        std::vector<int> intervals;
        if (quality.empty())
            intervals = {0, 4, 7};
        else if (quality == "m")
            intervals = {0, 3, 7};
        else if (quality == "7")
            intervals = {0, 4, 7, 10};
        else if (quality == "m7")
            intervals = {0, 3, 7, 10};
        else
            throw std::runtime_error("bad chord \"" + name + "\"");
        chords.push_back({root, intervals});
    }
    if (chords.empty()) throw std::runtime_error("a bar needs a chord");
    return chords;
}

}  // namespace tovek::assets
