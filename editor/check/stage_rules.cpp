#include "editor/check/stage_rules.h"

#include <array>
#include <string_view>

#include "common/cell_group.h"
#include "editor/core/number_text.h"
#include "editor/core/tile_names.h"
#include "game/core/game.h"
#include "game/core/tile_codes.h"
#include "game/core/tiles.h"

namespace quorle {
namespace {

// Lines one rule names before it only counts.
constexpr std::size_t kLinesPerRule = 100;

std::string CellText(int x, int y) {
    return JoinText({"(", DecimalText(x), ", ", DecimalText(y), ")"});
}

// Collects one rule's lines, the lines beyond the limit as one count.
class RuleLines {
  public:
    explicit RuleLines(std::vector<StageProblem>& problems) : problems_(problems) {}
    ~RuleLines() {
        if (more_ > 0) {
            problems_.push_back({JoinText({"ほかに", DecimalText(more_), "マスあります。"}), {}});
        }
    }
    RuleLines(const RuleLines&) = delete;
    RuleLines& operator=(const RuleLines&) = delete;

    void Add(std::string text, int x, int y) {
        if (count_++ < kLinesPerRule) {
            problems_.push_back({std::move(text), std::pair{x, y}});
        } else {
            ++more_;
        }
    }

  private:
    std::vector<StageProblem>& problems_;
    std::size_t count_ = 0;
    int more_ = 0;
};

// Passability as the game has it when a stage starts (the switch not taken).
class Solidity {
  public:
    bool IsSolid(std::uint8_t tile) const { return !tovek::IsPassable(game_, tile); }

  private:
    tovek::Game game_;
};

template <typename Visit>
void ForEachCell(const StageDocument& document, Visit visit) {
    for (int y = 0; y < document.map.Height(); ++y) {
        for (int x = 0; x < document.map.Width(); ++x)
            visit(x, y, document.map.At(x, y));
    }
}

bool IsPort(int tile) {
    return tile >= 32 && tile <= 63;
}

void CheckStart(const StageDocument& document, std::vector<StageProblem>& problems) {
    std::vector<std::pair<int, int>> starts;
    ForEachCell(document, [&](int x, int y, const MapCell& cell) {
        if (cell.mainTile == tovek::kTileStart) starts.emplace_back(x, y);
    });
    if (starts.empty()) {
        problems.push_back(
            {"スタート位置がありません。ゲームではマップの左上から始まります。", {}});
        return;
    }
    // The game starts from the last one it reads.
    const auto [usedX, usedY] = starts.back();
    RuleLines lines(problems);
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        lines.Add(JoinText({"使われないスタート位置です。スタート位置が複数あり、ゲームは",
                            CellText(usedX, usedY), "から始まります。"}),
                  starts[i].first, starts[i].second);
    }
}

void CheckGoal(const StageDocument& document, std::vector<StageProblem>& problems) {
    bool found = false;
    ForEachCell(document, [&](int, int, const MapCell& cell) {
        found = found || cell.mainTile == tovek::kTileGoal;
    });
    if (!found) problems.push_back({"ゴールがありません。", {}});
}

// A port leads to another port of its number, of either kind.
void CheckPorts(const StageDocument& document, std::vector<StageProblem>& problems) {
    std::array<int, 16> portsOfNumber{};
    ForEachCell(document, [&](int, int, const MapCell& cell) {
        if (IsPort(cell.mainTile)) ++portsOfNumber[cell.mainTile % 16];
    });
    RuleLines lines(problems);
    ForEachCell(document, [&](int x, int y, const MapCell& cell) {
        if (IsPort(cell.mainTile) && portsOfNumber[cell.mainTile % 16] == 1) {
            lines.Add(JoinText({MainTileName(cell.mainTile),
                                "の行き先がありません。同じ番号のポートがもう1つ必要です。"}),
                      x, y);
        }
    });
}

void CheckBuriedObjects(const StageDocument& document, const Solidity& solidity,
                        std::vector<StageProblem>& problems) {
    RuleLines lines(problems);
    ForEachCell(document, [&](int x, int y, const MapCell& cell) {
        if (!solidity.IsSolid(cell.mainTile)) return;
        const std::string tile = JoinText({"通れないタイル「", MainTileName(cell.mainTile), "」"});
        if (cell.actorCode != 0) {
            lines.Add(JoinText({"キャラ「", ActorName(cell.actorCode), "」が", tile,
                                "に埋まっています。"}),
                      x, y);
        }
        if (cell.liftCode != 0) {
            lines.Add(
                JoinText({"リフト「", LiftName(cell.liftCode), "」が", tile, "に埋まっています。"}),
                x, y);
        }
    });
}

// A drop lift sinks while it is ridden and stops at nothing; only a solid
// tile below it stops the player.
void CheckDropLifts(const StageDocument& document, const Solidity& solidity,
                    std::vector<StageProblem>& problems) {
    RuleLines lines(problems);
    ForEachCell(document, [&](int x, int y, const MapCell& cell) {
        if (cell.liftCode != tovek::kDropLiftCode) return;
        for (int below = y + 1; below < document.map.Height(); ++below) {
            if (solidity.IsSolid(document.map.At(x, below).mainTile)) return;
        }
        lines.Add("落ちるリフトの下に通れないタイルがなく、乗り続けるとマップの下まで沈みます。", x,
                  y);
    });
}

void CheckLiftValues(const StageDocument& document, std::vector<StageProblem>& problems) {
    RuleLines lines(problems);
    ForEachCell(document, [&](int x, int y, const MapCell& cell) {
        if (tovek::IsStorableLiftCode(cell.liftCode)) return;
        lines.Add(JoinText({"リフトの値", DecimalText(cell.liftCode),
                            "はリフトになりません（リフトのバイトが2つ重なったマスです）。"}),
                  x, y);
    });
}

void CheckBackground(const StageDocument& document, std::vector<StageProblem>& problems) {
    if (document.background >= 0 && document.background <= 15) return;
    problems.push_back({JoinText({"背景の番号", DecimalText(document.background),
                                  "は0～15の外です。ゲームでは背景が黒になります。"}),
                        {}});
}

void CheckUnseenTiles(const StageDocument& document, std::vector<StageProblem>& problems) {
    RuleLines lines(problems);
    ForEachCell(document, [&](int x, int y, const MapCell& cell) {
        if (cell.mainTile < 64) return;
        lines.Add(JoinText({"「", MainTileName(cell.mainTile),
                            "」はゲームで表示されず、何も起きません。"}),
                  x, y);
    });
}

}  // namespace

std::vector<StageProblem> CheckStageRules(const StageDocument& document) {
    std::vector<StageProblem> problems;
    const Solidity solidity;
    CheckStart(document, problems);
    CheckGoal(document, problems);
    CheckPorts(document, problems);
    CheckBuriedObjects(document, solidity, problems);
    CheckDropLifts(document, solidity, problems);
    CheckLiftValues(document, problems);
    CheckBackground(document, problems);
    CheckUnseenTiles(document, problems);
    return problems;
}

}  // namespace quorle
