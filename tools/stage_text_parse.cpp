// Reading a stage source. A pure function over the text: every fault is an
// error naming its line and column, never a crash.
#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

#include "common/cell_group.h"
#include "common/stage_limits.h"
#include "common/utf8.h"
#include "tools/stage_symbols.h"
#include "tools/stage_text.h"

namespace tovek {
namespace {

constexpr std::string_view kKeyForm = "key SYMBOL [main=N] [actor=N] [lift=N] [water]";

// A line as characters, so that positions are columns. A byte that is not
// part of well-formed UTF-8 reads as kMalformed.
using Chars = std::vector<char32_t>;
constexpr char32_t kMalformed = 0xFFFFFFFF;

Chars Decode(std::string_view line) {
    Chars chars;
    chars.reserve(line.size());
    for (std::size_t pos = 0; pos < line.size();) {
        const std::size_t start = pos;
        char32_t c = NextCodePoint(line, pos);
        if (c == 0xFFFD && line.substr(start, 3) != "\xEF\xBF\xBD") c = kMalformed;
        chars.push_back(c);
    }
    return chars;
}

bool IsBlank(char32_t c) {
    return c == ' ' || c == '\t';
}

// The lines of a text without their line ends and trailing blanks; a UTF-8
// byte order mark before the first is dropped.
std::vector<std::string_view> SplitLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

struct Word {
    std::size_t start;  // index of the first character
    std::size_t end;    // one past the last
};

// The words of chars[from..]: runs of non-blanks, up to a comment (a word
// starting with '#').
std::vector<Word> SplitWords(const Chars& chars, std::size_t from) {
    std::vector<Word> words;
    std::size_t i = from;
    while (true) {
        while (i < chars.size() && IsBlank(chars[i]))
            ++i;
        if (i == chars.size() || chars[i] == '#') break;
        const std::size_t start = i;
        while (i < chars.size() && !IsBlank(chars[i]))
            ++i;
        words.push_back(Word{start, i});
    }
    return words;
}

// A word as messages quote it: characters that cannot be shown as U+XXXX,
// long words cut short.
std::string Quoted(const Chars& chars, Word word) {
    constexpr std::size_t kLongest = 24;
    std::string text = "'";
    for (std::size_t i = word.start; i < word.end && i < word.start + kLongest; ++i) {
        if (chars[i] == kMalformed) {
            text += "U+FFFD";
        } else if (IsSymbolCharacter(chars[i])) {
            AppendCodePoint(text, chars[i]);
        } else {
            text += SymbolName(chars[i]);
        }
    }
    if (word.end - word.start > kLongest) text += "...";
    return text + "'";
}

bool WordIs(const Chars& chars, Word word, std::string_view text) {
    if (word.end - word.start != text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (chars[word.start + i] != static_cast<unsigned char>(text[i])) return false;
    }
    return true;
}

// The whole number 0..255 written in chars[start..end), if it is one.
std::optional<int> ReadByteValue(const Chars& chars, std::size_t start, std::size_t end) {
    if (start == end || end - start > 3) return std::nullopt;
    int value = 0;
    for (std::size_t i = start; i < end; ++i) {
        if (chars[i] < '0' || chars[i] > '9') return std::nullopt;
        value = value * 10 + static_cast<int>(chars[i] - '0');
    }
    if (value > 255) return std::nullopt;
    return value;
}

int Column(std::size_t index) {
    return static_cast<int>(index) + 1;
}

struct Key {
    MapCell cell;
    int line;
};

// Everything the lines before `map` set.
struct Header {
    std::optional<int> background;
    int backgroundLine = 0;
    std::unordered_map<char32_t, Key> keys;
};

struct LayerRule {
    std::string_view name;
    bool (*storable)(int);
    std::uint8_t MapCell::*field;
    std::string_view values;
};

constexpr std::array<LayerRule, 3> kLayerRules = {{
    {"main", IsStorableMainTile, &MapCell::mainTile, "0..255 except 12..15, 25, 26, 28, 29"},
    {"actor", IsStorableActorCode, &MapCell::actorCode, "0 or 32..63"},
    {"lift", IsStorableLiftCode, &MapCell::liftCode, "0, 12..19 or 26"},
}};

// One layer word of a key line into `cell`; `given` marks the layers seen.
std::optional<StageTextError> ApplyLayer(const Chars& chars, Word word, int line, MapCell& cell,
                                         unsigned& given) {
    const auto error = [&](std::string message) {
        return StageTextError{line, Column(word.start), std::move(message)};
    };
    if (WordIs(chars, word, "water")) {
        if (given & 8u) return error("water is given twice");
        given |= 8u;
        cell.water = kWaterCode;
        return std::nullopt;
    }
    std::size_t equals = word.start;
    while (equals < word.end && chars[equals] != '=')
        ++equals;
    for (std::size_t i = 0; i < kLayerRules.size(); ++i) {
        const LayerRule& rule = kLayerRules[i];
        if (equals == word.end || !WordIs(chars, Word{word.start, equals}, rule.name)) continue;
        const std::string name(rule.name);
        if (given & (1u << i)) return error(name + " is given twice");
        given |= 1u << i;
        const std::optional<int> value = ReadByteValue(chars, equals + 1, word.end);
        if (!value)
            return error(Quoted(chars, word) + ": " + name + " needs a whole number 0..255");
        if (!rule.storable(*value)) {
            return error(Quoted(chars, word) + ": a stage file cannot hold " + name + " " +
                         std::to_string(*value) + " (" + std::string(rule.values) + ")");
        }
        cell.*rule.field = static_cast<std::uint8_t>(*value);
        return std::nullopt;
    }
    return error("unknown layer " + Quoted(chars, word) + " (main=N, actor=N, lift=N or water)");
}

// A problem with the character at chars[index] used as a symbol, if any.
std::optional<std::string> SymbolProblem(char32_t c) {
    if (c == kMalformed) return "a byte that is not part of UTF-8 text";
    if (c == ' ' || c == '\t') return "a blank is no symbol (an empty cell is '.')";
    if (!IsSymbolCharacter(c)) return SymbolName(c) + " cannot be a symbol";
    return std::nullopt;
}

std::optional<StageTextError> ReadKey(const Chars& chars, std::size_t after, int line,
                                      Header& header) {
    std::size_t at = after;
    while (at < chars.size() && IsBlank(chars[at]))
        ++at;
    if (at == chars.size())
        return StageTextError{line, 0, "a key line is: " + std::string(kKeyForm)};
    const char32_t symbol = chars[at];
    if (auto problem = SymbolProblem(symbol)) return StageTextError{line, Column(at), *problem};
    if (at + 1 < chars.size() && !IsBlank(chars[at + 1])) {
        std::size_t end = at;
        while (end < chars.size() && !IsBlank(chars[end]))
            ++end;
        return StageTextError{line, Column(at),
                              "a symbol is one character, not " + Quoted(chars, Word{at, end})};
    }
    if (const auto earlier = header.keys.find(symbol); earlier != header.keys.end()) {
        return StageTextError{line, Column(at),
                              "symbol " + SymbolName(symbol) + " has a key already, on line " +
                                  std::to_string(earlier->second.line)};
    }
    MapCell cell;
    unsigned given = 0;
    for (const Word& word : SplitWords(chars, at + 1)) {
        if (auto error = ApplyLayer(chars, word, line, cell, given)) return error;
    }
    header.keys.emplace(symbol, Key{cell, line});
    return std::nullopt;
}

std::optional<StageTextError> ReadBackground(const Chars& chars, std::size_t after, int line,
                                             Header& header) {
    if (header.background) {
        return StageTextError{line, 0,
                              "a second background line; the first is on line " +
                                  std::to_string(header.backgroundLine)};
    }
    const std::vector<Word> words = SplitWords(chars, after);
    if (words.empty())
        return StageTextError{line, 0, "a background line is: background N (0..255)"};
    const std::optional<int> value = ReadByteValue(chars, words[0].start, words[0].end);
    if (!value) {
        return StageTextError{
            line, Column(words[0].start),
            "the background is a whole number 0..255, not " + Quoted(chars, words[0])};
    }
    if (words.size() > 1) {
        return StageTextError{line, Column(words[1].start),
                              Quoted(chars, words[1]) + " after the background number"};
    }
    header.background = value;
    header.backgroundLine = line;
    return std::nullopt;
}

// The cell a map symbol stands for: its key, else its default.
std::optional<MapCell> CellOf(const Header& header, char32_t symbol) {
    if (const auto key = header.keys.find(symbol); key != header.keys.end())
        return key->second.cell;
    return DefaultSymbolCell(symbol);
}

std::string SizeText(int width, int height) {
    return "the map is " + std::to_string(width) + " x " + std::to_string(height) +
           " cells; a stage is 12..255 wide and 8..255 high";
}

// The rows lines[first..last] into `stage`.
std::optional<StageTextError> ReadMap(const std::vector<std::string_view>& lines, std::size_t first,
                                      std::size_t last, const Header& header, EditorStage& stage) {
    for (std::size_t index = first; index <= last; ++index) {
        const int line = static_cast<int>(index) + 1;
        const int row = static_cast<int>(index - first);
        if (row == kMaxMapSide) {
            return StageTextError{line, 0, "a 256th row: a stage is 8..255 high"};
        }
        const Chars chars = Decode(lines[index]);
        const auto width = static_cast<int>(chars.size());
        if (chars.empty()) {
            return StageTextError{line, 0,
                                  "an empty line inside the map (every row has its cells)"};
        }
        if (row == 0) {
            if (width > kMaxMapSide) {
                return StageTextError{line, kMaxMapSide + 1,
                                      "the first row is " + std::to_string(width) +
                                          " cells wide; a stage is 12..255 wide"};
            }
            stage.width = width;
            const std::size_t rows = std::min<std::size_t>(last - first + 1, kMaxMapSide);
            stage.cells.reserve(static_cast<std::size_t>(width) * rows);
        } else if (width != stage.width) {
            return StageTextError{line, std::min(width, stage.width) + 1,
                                  "the row is " + std::to_string(width) +
                                      " cells wide, the first row " + std::to_string(stage.width)};
        }
        for (std::size_t i = 0; i < chars.size(); ++i) {
            if (auto problem = SymbolProblem(chars[i])) {
                return StageTextError{line, Column(i), *problem};
            }
            const std::optional<MapCell> cell = CellOf(header, chars[i]);
            if (!cell) {
                return StageTextError{line, Column(i),
                                      SymbolName(chars[i]) + " has no key and no default meaning"};
            }
            stage.cells.push_back(*cell);
        }
        stage.height = row + 1;
    }
    if (stage.width < kMinMapWidth || stage.height < kMinMapHeight) {
        return StageTextError{static_cast<int>(last) + 1, 0, SizeText(stage.width, stage.height)};
    }
    return std::nullopt;
}

}  // namespace

std::variant<EditorStage, StageTextError> ParseStageText(std::string_view text) {
    const std::vector<std::string_view> lines = SplitLines(text);
    Header header;
    std::optional<std::size_t> mapLine;
    for (std::size_t index = 0; index < lines.size() && !mapLine; ++index) {
        const int line = static_cast<int>(index) + 1;
        const Chars chars = Decode(lines[index]);
        const std::vector<Word> words = SplitWords(chars, 0);
        if (words.empty()) continue;  // blank or comment
        const Word first = words[0];
        std::optional<StageTextError> error;
        if (WordIs(chars, first, "key")) {
            error = ReadKey(chars, first.end, line, header);
        } else if (WordIs(chars, first, "background")) {
            error = ReadBackground(chars, first.end, line, header);
        } else if (WordIs(chars, first, "map")) {
            if (words.size() > 1) {
                error = StageTextError{line, Column(words[1].start),
                                       Quoted(chars, words[1]) +
                                           " after map: the rows start on "
                                           "the next line"};
            }
            mapLine = index;
        } else {
            error = StageTextError{line, Column(first.start),
                                   Quoted(chars, first) +
                                       " starts no line of a source: a comment (#), background, "
                                       "key or map is expected before the rows"};
        }
        if (error) return *error;
    }
    // An empty source is still reported on a line: line 1.
    const int lastLine = std::max(1, static_cast<int>(lines.size()));
    if (!mapLine) return StageTextError{lastLine, 0, "no map line: the rows follow a line 'map'"};
    const int mapLineNumber = static_cast<int>(*mapLine) + 1;
    if (!header.background) {
        return StageTextError{mapLineNumber, 0, "no background line before the map"};
    }
    std::size_t last = lines.size() - 1;
    while (last > *mapLine && lines[last].empty())
        --last;
    if (last == *mapLine) return StageTextError{mapLineNumber, 0, "the map has no rows"};

    EditorStage stage;
    stage.background = *header.background;
    if (auto error = ReadMap(lines, *mapLine + 1, last, header, stage)) return *error;
    return stage;
}

}  // namespace tovek
