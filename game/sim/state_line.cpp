#include "game/sim/state_line.h"

#include <cstdio>

#include "game/core/game.h"
#include "game/core/status_lines.h"

namespace tovek {
namespace {

class JsonObject {
  public:
    explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
    ~JsonObject() { out_ += '}'; }

    void Key(const char* name) {
        if (!first_) out_ += ", ";
        first_ = false;
        out_ += '"';
        out_ += name;
        out_ += "\": ";
    }
    void Int(const char* name, long long value) {
        Key(name);
        out_ += std::to_string(value);
    }
    void Bool(const char* name, bool value) {
        Key(name);
        out_ += value ? "true" : "false";
    }
    void String(const char* name, const std::string& value) {
        Key(name);
        AppendString(out_, value);
    }

    static void AppendString(std::string& out, const std::string& value) {
        out += '"';
        for (const char c : value) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                out += '\\';
                out += c;
            } else if (byte < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                out += escaped;
            } else {
                out += c;
            }
        }
        out += '"';
    }

  private:
    std::string& out_;
    bool first_ = true;
};

std::string Bool(bool value) {
    return value ? "true" : "false";
}

std::string LiftsJson(const Game& game) {
    std::string out = "[";
    for (std::size_t i = 0; i < game.lifts.size(); ++i) {
        const Lift& l = game.lifts[i];
        if (i > 0) out += ", ";
        out += "[" + std::to_string(l.x) + ", " + std::to_string(l.y) + ", " +
               std::to_string(l.type) + ", " + Bool(l.active) + ", " + Bool(l.carried) + ", " +
               Bool(l.touched) + ", " + std::to_string(l.param) + "]";
    }
    return out + "]";
}

std::string ActorsJson(const Game& game) {
    std::string out = "[";
    for (std::size_t i = 0; i < game.actors.size(); ++i) {
        const Actor& a = game.actors[i];
        if (i > 0) out += ", ";
        out += "[" + std::to_string(a.kind) + ", " + std::to_string(a.x) + ", " +
               std::to_string(a.y) + ", " + std::to_string(a.dir) + ", " + std::to_string(a.mark) +
               ", " + Bool(a.active) + ", " + std::to_string(a.vy) + ", " + std::to_string(a.home) +
               ", " + std::to_string(a.lo) + ", " + std::to_string(a.hi) + ", " +
               std::to_string(a.state) + ", " + std::to_string(a.extra) + "]";
    }
    return out + "]";
}

// Rows of a map layer, top row first; empty when no map is loaded.
std::string LayerJson(const Game& game, const std::vector<std::uint8_t>& layer) {
    const int width = game.mapWidth;
    const int height = game.mapHeight;
    std::string out = "[";
    if (width > 0 && height > 0 && layer.size() == static_cast<std::size_t>(width * height)) {
        for (int row = 0; row < height; ++row) {
            if (row > 0) out += ", ";
            out += "[";
            for (int column = 0; column < width; ++column) {
                if (column > 0) out += ", ";
                out += std::to_string(layer[static_cast<std::size_t>(column + row * width)]);
            }
            out += "]";
        }
    }
    return out + "]";
}

}  // namespace

std::string StateLine(const Game& game, std::int64_t tick, const StepReport& report, bool withMap) {
    std::string out;
    {
        JsonObject json(out);
        json.Int("tick", tick);
        json.Bool("inPlay", game.inPlay);
        json.Bool("gameOver", game.gameOver);
        json.Bool("stageCleared", game.stageCleared);
        json.Int("stageNumber", game.stageNumber);
        json.Int("playerX", game.playerX);
        json.Int("playerY", game.playerY);
        json.Int("playerSpeedX", game.playerSpeedX);
        json.Int("playerSpeedY", game.playerSpeedY);
        json.Int("playerFacing", game.playerFacing);
        json.Int("playerStep", game.playerStep);
        json.Bool("airborne", game.airborne);
        json.Bool("dying", game.dying);
        json.Int("deathY", game.deathY);
        json.Int("graceTicks", game.graceTicks);
        json.Int("warpTicks", game.warpTicks);
        json.Bool("inWater", game.inWater);
        json.Bool("springJump", game.springJump);
        json.Int("hoverTicks", game.hoverTicks);
        json.Int("score", game.score);
        json.Int("misses", game.misses);
        json.Int("chainCount", game.chainCount);
        json.Int("elapsedSeconds", game.elapsedSeconds);
        json.Int("startX", game.startX);
        json.Int("startY", game.startY);
        json.String("powerUps", PowerUpLetters(game));
        json.String("status0", game.lblMain[0]);
        json.String("status1", game.lblMain[1]);
        json.String("caption", game.caption);
        json.Key("sound");
        out += report.sound ? std::to_string(*report.sound) : "null";
        json.Key("music");
        out += "[";
        for (std::size_t i = 0; i < report.music.size(); ++i) {
            if (i > 0) out += ", ";
            JsonObject::AppendString(out, report.music[i]);
        }
        out += "]";
        json.Key("lifts");
        out += LiftsJson(game);
        json.Key("actors");
        out += ActorsJson(game);
        if (withMap) {
            json.Int("mapWidth", game.mapWidth);
            json.Int("mapHeight", game.mapHeight);
            json.Int("stageBackground", game.stageBackground);
            json.Key("tileMap");
            out += LayerJson(game, game.tileMap);
            json.Key("waterMap");
            out += LayerJson(game, game.waterMap);
        }
    }
    return out;
}

}  // namespace tovek
