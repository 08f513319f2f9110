// The stage check's rules on small documents.
#include <gtest/gtest.h>

#include "editor/check/stage_rules.h"

namespace quorle {
namespace {

StageDocument Empty(int width, int height) {
    return StageDocument{.map = CellGrid(width, height), .mapWidth = width, .mapHeight = height};
}

// A stage that plays: floor, start, goal, a pair of ports, an actor, a lift
// and a drop lift over the floor.
StageDocument Playable() {
    StageDocument document = Empty(12, 8);
    for (int x = 0; x < 12; ++x)
        document.map.At(x, 7).mainTile = 1;
    document.map.At(1, 6).mainTile = 16;
    document.map.At(10, 6).mainTile = 17;
    document.map.At(3, 7).mainTile = 32 + 5;  // down port 5 in the floor
    document.map.At(8, 0).mainTile = 48 + 5;  // up port 5 in the sky
    document.map.At(5, 6).actorCode = 40;
    document.map.At(6, 3).liftCode = 13;
    document.map.At(7, 2).liftCode = 26;
    return document;
}

TEST(StageRules, AStageThatPlaysHasNoProblems) {
    EXPECT_EQ(CheckStageRules(Playable()), std::vector<StageProblem>{});
}

TEST(StageRules, EveryRuleNamesWhatIsWrongAndWhere) {
    StageDocument document = Playable();
    document.map.At(10, 6).mainTile = 0;      // no goal
    document.map.At(4, 6).mainTile = 16;      // a second start, read last
    document.map.At(2, 2).mainTile = 32 + 9;  // a port without a partner
    document.map.At(0, 7).actorCode = 33;     // an actor in the floor
    document.map.At(9, 7).liftCode = 16;      // a lift in the floor
    document.map.At(11, 1).liftCode = 26;     // a drop lift over no floor...
    document.map.At(11, 7).mainTile = 0;
    document.map.At(2, 0).liftCode = 30;  // two drop lift bytes in one cell
    document.map.At(9, 1).mainTile = 70;  // a tile the game does not show
    document.background = 17;

    const std::vector<StageProblem> expected{
        {"使われないスタート位置です。スタート位置が複数あり、ゲームは(4, 6)から始まります。",
         std::pair{1, 6}},
        {"ゴールがありません。", std::nullopt},
        {"下向きポート 9の行き先がありません。同じ番号のポートがもう1つ必要です。",
         std::pair{2, 2}},
        {"キャラ「走り鳥（左向き）」が通れないタイル「草の地面」に埋まっています。",
         std::pair{0, 7}},
        {"リフト「左へ動くリフト（速い）」が通れないタイル「草の地面」に埋まっています。",
         std::pair{9, 7}},
        {"落ちるリフトの下に通れないタイルがなく、乗り続けるとマップの下まで沈みます。",
         std::pair{11, 1}},
        {"リフトの値30はリフトになりません（リフトのバイトが2つ重なったマスです）。",
         std::pair{2, 0}},
        {"背景の番号17は0～15の外です。ゲームでは背景が黒になります。", std::nullopt},
        {"「見えないタイル 70」はゲームで表示されず、何も起きません。", std::pair{9, 1}},
    };
    EXPECT_EQ(CheckStageRules(document), expected);

    EXPECT_EQ(CheckStageRules(Empty(12, 8)).front(),
              (StageProblem{"スタート位置がありません。ゲームではマップの左上から始まります。",
                            std::nullopt}));
}

TEST(StageRules, ARuleWithVeryManyCellsNamesTheFirstHundredAndCountsTheRest) {
    StageDocument document = Empty(40, 8);
    document.map.At(0, 0).mainTile = 16;
    document.map.At(1, 0).mainTile = 17;
    for (int i = 0; i < 150; ++i)
        document.map.At(i % 40, 1 + i / 40).mainTile = 200;
    const std::vector<StageProblem> problems = CheckStageRules(document);
    ASSERT_EQ(problems.size(), 101u);
    EXPECT_EQ(problems[0].cell, std::pair(0, 1));
    EXPECT_EQ(problems[99].cell, std::pair(19, 3));
    EXPECT_EQ(problems[100], (StageProblem{"ほかに50マスあります。", std::nullopt}));
}

}  // namespace
}  // namespace quorle
