#include "editor/core/tile_names.h"

#include <array>
#include <string_view>

#include "editor/core/number_text.h"

namespace quorle {
namespace {

struct Entry {
    std::string_view name;
    std::string_view note;
};

// Main tiles 0..31 by code; lifts, water and the port tools have names of
// their own below.
constexpr std::array<Entry, 32> kMainTiles{{
    {"消しゴム",
     "押すたびにキャラ、リフト、タイル、水の順に1つずつ消す（上書モードではマスを空にする）"},
    {"草の地面", ""},
    {"土", ""},
    {"レンガ", ""},
    {"石垣", ""},
    {"木箱", ""},
    {"鉄のブロック", ""},
    {"アイテムブロック", "下からたたくとブロックになり、上にアイテムか敵が出る"},
    {"パワーアップF", "速く走れる"},
    {"パワーアップH", "高く跳べる"},
    {"パワーアップB", "すべらずに止まれる"},
    {"パワーアップL", "ジャンプの頂上で少し浮いていられる"},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"スタート位置", ""},
    {"ゴール", ""},
    {"コイン", "10点"},
    {"大きなコイン", "30点"},
    {"スイッチ", "取るとスイッチブロックが通れるようになる"},
    {"バネ", "乗って跳ぶと2倍の高さまで跳べる"},
    {"スイッチブロック", "スイッチを取るまでは通れない"},
    {"トゲ", "さわるとミス"},
    {"パワーアップO", "水の中でおぼれない"},
    {"", ""},
    {"", ""},
    {"パワーダウン", "取るとパワーアップがすべてなくなる"},
    {"", ""},
    {"", ""},
    {"目印 ×", "ゲームでは通れないブロック"},
    {"目印 ◆", "ゲームでは通れないブロック"},
}};

// Actor kinds 0..15 (the sheet's pictures face left).
constexpr std::array<Entry, 16> kActors{{
    {"甲虫", "ゆっくり歩く"},
    {"走り鳥", "速く歩く"},
    {"イノシシ", "プレイヤーのほうへ向きを変えて歩く"},
    {"おばけ", "足場の切れ目でも引き返さずに歩く"},
    {"クモ", "上下に動く（左向きは上から、右向きは下から）"},
    {"ゼリー", "跳ねながらゆっくり進む"},
    {"ウサギ", "跳ねながら速く進む"},
    {"小鬼", "跳ねながらプレイヤーを追う"},
    {"コウモリ", "波のように上下しながら飛ぶ"},
    {"モグラ", "出たり引っ込んだりする"},
    {"サボテン", "動かない"},
    {"石像", "動かない"},
    {"ウニ", "動かない"},
    {"かがり火", "動かない"},
    {"なぞの敵", "正体は遊ぶたびに変わる（甲虫からモグラまでのどれか）"},
    {"ハチの巣", "歩きながら敵を生み出す"},
}};

constexpr std::array<std::string_view, 4> kLiftDirections{"左", "右", "上", "下"};

constexpr std::array<std::string_view, 16> kBackgrounds{
    "雲の空", "霧の丘", "森",   "岩の洞窟",   "夜の城",     "星空", "夕焼け", "水の中",
    "雪山",   "砂丘",   "雪原", "溶岩の洞窟", "水晶の洞窟", "雲海", "神殿",   "工場",
};

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

std::string ActorEntryName(int kind, bool facingRight) {
    return JoinText({kActors[kind].name, facingRight ? "（右向き）" : "（左向き）"});
}

std::string PortName(int code) {
    const bool down = code < 48;
    return JoinText({down ? "下向きポート " : "上向きポート ",
                     kHexDigits.substr(static_cast<std::size_t>(code % 16), 1)});
}

std::string UnseenTileName(int code) {
    return JoinText({"見えないタイル ", DecimalText(code)});
}

}  // namespace

std::string TileName::Text() const {
    return note.empty() ? name : JoinText({name, "：", note});
}

TileName PaletteTileName(int code, bool lowerHalf, bool reverse) {
    if (code >= 12 && code <= 15) {
        return {LiftName(lowerHalf ? code + 4 : code), ""};
    }
    if (code == 25) return {"水", "中では泳げる。全身が水に入るとおぼれる"};
    if (code == 26) return {LiftName(26), "乗ると沈み、降りると元の高さに戻る"};
    if (code == 28 || code == 29) {
        return {
            code == 28 ? "下向きポート" : "上向きポート",
            "置くと番号0、同じ向きのポートに置くたびに番号が1つ進む。同じ番号のポートへ移動する"};
    }
    if (code >= 32 && code <= 63) {
        const int kind = code % 16;
        const bool facingRight = code >= 48 || reverse;
        return {ActorEntryName(kind, facingRight), std::string(kActors[kind].note)};
    }
    if (code >= 64 && code <= 79) {
        return {UnseenTileName(code), "マップにもゲームにも何も表示されず、何も起きない"};
    }
    if (code >= 0 && code < 32) {
        return {std::string(kMainTiles[code].name), std::string(kMainTiles[code].note)};
    }
    return {};
}

std::string BackgroundName(int background) {
    if (background < 0 || background >= static_cast<int>(kBackgrounds.size())) {
        return JoinText({"背景 ", DecimalText(background), ": なし（黒）"});
    }
    return JoinText({"背景 ", DecimalText(background), ": ", kBackgrounds[background]});
}

std::string MainTileName(int code) {
    if (code == 0) return "";
    if (code >= 32 && code <= 63) return PortName(code);
    if (code >= 64) return UnseenTileName(code);
    const std::string_view name = kMainTiles[code].name;
    if (name.empty()) return JoinText({"タイル ", DecimalText(code)});
    return std::string(name);
}

std::string ActorName(int code) {
    if (code == 0) return "";
    if (code < 32 || code > 63) return JoinText({"キャラ ", DecimalText(code)});
    return ActorEntryName(code % 16, code >= 48);
}

std::string LiftName(int code) {
    if (code == 0) return "";
    if (code == 26) return "落ちるリフト";
    if (code >= 12 && code <= 19) {
        const bool fast = code >= 16;
        return JoinText({kLiftDirections[(code - 12) % 4], "へ動くリフト", fast ? "（速い）" : ""});
    }
    return JoinText({"リフトの値 ", DecimalText(code), "（ゲームではリフトにならない）"});
}

std::string CellContentsText(const MapCell& cell) {
    std::string text;
    const auto add = [&text](std::string_view label, const std::string& name) {
        if (name.empty()) return;
        if (!text.empty()) text += "　";
        text += JoinText({label, name});
    };
    add("タイル: ", MainTileName(cell.mainTile));
    add("キャラ: ", ActorName(cell.actorCode));
    add("リフト: ", LiftName(cell.liftCode));
    if (cell.water != 0) add("", "水");
    return text.empty() ? "空きマス" : text;
}

}  // namespace quorle
