#include "game/sdl/help_screen.h"

#include <cstdint>

#include "game/sdl/client_layout.h"

namespace tovek {
namespace {

constexpr std::uint32_t kPaper = 0xFFFFF0;
constexpr std::uint32_t kInk = 0x000000;
constexpr std::uint32_t kHeading = 0x0000C0;
constexpr std::uint32_t kKeyInk = 0xC00000;
constexpr int kPoints = 9;  // 12 pixels
constexpr int kLineHeight = 14;
constexpr int kLeft = 6;

// One piece of text of a line, starting at x.
struct Piece {
    int x;
    const char* text;
    std::uint32_t colour;
    bool bold = false;
};

struct Line {
    std::initializer_list<Piece> pieces;
};

}  // namespace

Surface HelpPicture(TextPainter& sans) {
    // Headings, then keys in red with what they do; the pad's buttons follow
    // in brackets.
    const Line lines[] = {
        {{{kLeft, "キー (パッド)", kHeading, true}}},
        {{{kLeft, "← →", kKeyInk, true},
          {66, "走る・ステージを選ぶ (十字キー・左スティック)", kInk}}},
        {{{kLeft, "↑", kKeyInk, true}, {66, "ジャンプ・水中で浮く (十字キー・Aボタン)", kInk}}},
        {{{kLeft, "↓", kKeyInk, true}, {66, "水中で沈む・ポートに入る (十字キー)", kInk}}},
        {{{kLeft, "スペース", kKeyInk, true},
          {66, "決定・次の面へ・コンティニュー (START)", kInk}}},
        {{{kLeft, "Esc", kKeyInk, true},
          {66, "ステージ選択へ (BACK)", kInk},
          {228, "S", kKeyInk, true},
          {244, "サウンド (Yボタン)", kInk}}},
        {{{kLeft, "P", kKeyInk, true},
          {66, "ポーズ (START)", kInk},
          {162, "F11・Alt+Enter", kKeyInk, true},
          {262, "全画面表示", kInk}}},
        {{{kLeft, "アイテム (取ると画面下に文字が出ます)", kHeading, true}}},
        {{{kLeft, "F", kKeyInk, true},
          {22, "速く走れる", kInk},
          {130, "H", kKeyInk, true},
          {146, "高く跳べる", kInk},
          {254, "B", kKeyInk, true},
          {270, "すべらない", kInk}}},
        {{{kLeft, "L", kKeyInk, true},
          {22, "跳んだ頂上で浮く", kInk},
          {130, "K", kKeyInk, true},
          {146, "スイッチブロックを通れる", kInk}}},
        {{{kLeft, "O", kKeyInk, true},
          {22, "おぼれない", kInk},
          {130, "パワーダウンを取るとすべてなくなる", kInk}}},
        {{{kLeft, "ポート", kHeading, true}}},
        {{{kLeft, "上から↓を押したまま乗るか、下からジャンプで", kInk}}},
        {{{kLeft, "飛び込むと、対になるポートへ移ります。", kInk}}},
        {{{kLeft, "集計", kHeading, true}}},
        {{{kLeft, "ゴールが早いほどタイムボーナス(最高600点)。", kInk}}},
        {{{kLeft, "ミス1回ごとに100点減点。記録を超えるとハイスコア。", kInk}}},
    };
    Surface picture(kPictureWidth, kPictureHeight, kPaper);
    int y = (kPictureHeight - kLineHeight * static_cast<int>(std::size(lines))) / 2;
    for (const Line& line : lines) {
        for (const Piece& piece : line.pieces) {
            sans.Print(picture, piece.x, y + 1, piece.text,
                       TextStyle{kPoints, piece.bold, piece.colour});
        }
        y += kLineHeight;
    }
    return picture;
}

}  // namespace tovek
