#include "tools/stage_symbols.h"

#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

#include "common/utf8.h"

namespace tovek {
namespace {

struct DefaultSymbol {
    char symbol;
    MapCell cell;
    std::string_view name;
};

constexpr MapCell Main(int code) {
    return MapCell{static_cast<std::uint8_t>(code), 0, 0, 0};
}
constexpr MapCell Lift(int code) {
    return MapCell{0, 0, static_cast<std::uint8_t>(code), 0};
}

constexpr std::array<DefaultSymbol, 28> kTileSymbols = {{
    {'.', Main(0), "empty"},
    {'#', Main(1), "grass ground"},
    {'=', Main(2), "earth"},
    {'%', Main(3), "brick"},
    {'@', Main(4), "stone"},
    {'&', Main(5), "crate"},
    {'[', Main(6), "steel"},
    {'?', Main(7), "prize block"},
    {'F', Main(8), "power-up F"},
    {'H', Main(9), "power-up H"},
    {'B', Main(10), "power-up B"},
    {'L', Main(11), "power-up L"},
    {'S', Main(16), "start"},
    {'G', Main(17), "goal"},
    {'o', Main(18), "coin"},
    {'$', Main(19), "big coin"},
    {'K', Main(20), "switch"},
    {'*', Main(21), "spring"},
    {'+', Main(22), "switch block"},
    {'^', Main(23), "spikes"},
    {'O', Main(24), "power-up O"},
    {'-', Main(27), "power-down"},
    {'<', Lift(12), "lift moving left"},
    {'>', Lift(13), "lift moving right"},
    {'A', Lift(14), "lift moving up"},
    {'V', Lift(15), "lift moving down"},
    {'_', Lift(kDropLiftCode), "drop lift"},
    {'~', MapCell{0, 0, 0, kWaterCode}, "water"},
}};

// Actor kinds 0..15 by letter: lower case faces left (codes 32..47), upper
// case faces right (48..63). Walker, runner, chaser, drifter, yo-yo, jelly,
// quick hopper, imp, zigzag, pop-up, four still ones, mystery, nest.
constexpr std::string_view kActorLetters = "wrcdyjqizptuxemn";
constexpr std::array<std::string_view, 16> kActorKinds = {
    "slow walker", "fast walker",    "chaser",      "drifter", "vertical patroller", "slow hopper",
    "fast hopper", "hopping chaser", "sine flyer",  "pop-up",  "still 10",           "still 11",
    "still 12",    "still 13",       "hidden kind", "spawner"};
static_assert(kActorLetters.size() == kActorKinds.size());

bool IsAsciiLetter(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsAsciiDigit(int c) {
    return c >= '0' && c <= '9';
}

// Every default symbol, by ASCII code.
const std::array<std::optional<MapCell>, 128>& DefaultTable() {
    static const std::array<std::optional<MapCell>, 128> table = [] {
        std::array<std::optional<MapCell>, 128> symbols{};
        for (const DefaultSymbol& entry : kTileSymbols)
            symbols[static_cast<unsigned char>(entry.symbol)] = entry.cell;
        for (std::size_t kind = 0; kind < kActorLetters.size(); ++kind) {
            const auto left = static_cast<std::uint8_t>(kActorCodeLeft + kind);
            const auto right = static_cast<std::uint8_t>(kActorCodeRight + kind);
            const auto letter = static_cast<unsigned char>(kActorLetters[kind]);
            symbols[letter] = MapCell{0, left, 0, 0};
            symbols[letter - 'a' + 'A'] = MapCell{0, right, 0, 0};
        }
        return symbols;
    }();
    return table;
}

// ASCII symbols without a default: marks first, then letters, then digits
// (which stagetool text keeps for ports where it can).
const std::vector<char32_t>& SpareAscii() {
    static const std::vector<char32_t> spare = [] {
        std::vector<char32_t> symbols;
        const auto add = [&](auto inClass) {
            for (int c = 0x21; c < 0x7F; ++c) {
                if (inClass(c) && !DefaultTable()[c]) symbols.push_back(static_cast<char32_t>(c));
            }
        };
        add([](int c) { return !IsAsciiLetter(c) && !IsAsciiDigit(c); });
        add(IsAsciiLetter);
        add(IsAsciiDigit);
        return symbols;
    }();
    return spare;
}

struct Range {
    char32_t first;
    char32_t last;
};

// Letters of other scripts, beyond ASCII: Latin extended, CJK ideographs,
// Hangul syllables, CJK extension B. Together more than 65025.
constexpr std::array<Range, 4> kSpareRanges = {{
    {0x0100, 0x017F},
    {0x4E00, 0x9FFF},
    {0xAC00, 0xD7A3},
    {0x20000, 0x2A6DF},
}};

// The name of a main tile, or of a lift code.
std::optional<std::string_view> DefaultName(const MapCell& cell) {
    for (const DefaultSymbol& entry : kTileSymbols) {
        if (entry.cell == cell) return entry.name;
    }
    return std::nullopt;
}

std::string DescribeMainTile(int code) {
    if (auto name = DefaultName(Main(code))) return std::string(*name);
    if (code >= 32 && code <= 47) return "down port " + std::to_string(code - 32);
    if (code >= 48 && code <= 63) return "up port " + std::to_string(code - 48);
    return "tile " + std::to_string(code);
}

std::string DescribeLift(int code) {
    static constexpr std::array<std::string_view, 4> kWays = {"left", "right", "up", "down"};
    if (auto name = DefaultName(Lift(code))) return std::string(*name);
    if (code >= kFirstFastLiftCode && code <= kLastFastLiftCode) {
        return "fast lift moving " + std::string(kWays[code - kFirstFastLiftCode]);
    }
    return "lift " + std::to_string(code);
}

std::string DescribeActor(int code) {
    if (code < kActorCodeLeft || code >= kActorCodeRight + 16)
        return "actor " + std::to_string(code);
    return std::string(kActorKinds[code % 16]) +
           (code < kActorCodeRight ? " facing left" : " facing right");
}

}  // namespace

std::optional<MapCell> DefaultSymbolCell(char32_t symbol) {
    if (symbol >= 128) return std::nullopt;
    return DefaultTable()[symbol];
}

std::optional<char32_t> DefaultSymbolOf(const MapCell& cell) {
    for (char32_t c = 0; c < 128; ++c) {
        if (DefaultTable()[c] == cell) return c;
    }
    return std::nullopt;
}

bool IsSymbolCharacter(char32_t c) {
    const bool control = c <= 0x20 || (c >= 0x7F && c <= 0xA0);
    const bool blankOrFormat = c == 0xAD || c == 0x1680 || (c >= 0x2000 && c <= 0x200F) ||
                               (c >= 0x2028 && c <= 0x202F) || (c >= 0x205F && c <= 0x206F) ||
                               c == 0x3000 || c == 0xFEFF;
    return !control && !blankOrFormat && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}

std::optional<char32_t> SpareSymbol(std::size_t index) {
    const std::vector<char32_t>& ascii = SpareAscii();
    if (index < ascii.size()) return ascii[index];
    index -= ascii.size();
    for (const Range& range : kSpareRanges) {
        const std::size_t size = range.last - range.first + 1;
        if (index < size) return static_cast<char32_t>(range.first + index);
        index -= size;
    }
    return std::nullopt;
}

std::string SymbolName(char32_t symbol) {
    if (!IsSymbolCharacter(symbol)) {
        char name[16];
        std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(symbol));
        return name;
    }
    std::string name = "'";
    AppendCodePoint(name, symbol);
    return name + "'";
}

std::string DescribeCell(const MapCell& cell) {
    std::vector<std::string> parts;
    if (cell.mainTile != 0) parts.push_back(DescribeMainTile(cell.mainTile));
    if (cell.actorCode != 0) parts.push_back(DescribeActor(cell.actorCode));
    if (cell.liftCode != 0) parts.push_back(DescribeLift(cell.liftCode));
    if (cell.water != 0) parts.push_back("water");
    if (parts.empty()) return "empty";
    std::string text = parts[0];
    for (std::size_t i = 1; i < parts.size(); ++i)
        text += ", " + parts[i];
    return text;
}

}  // namespace tovek
