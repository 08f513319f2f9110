#include "game/sim/sim_options.h"

#include <limits>
#include <map>
#include <sstream>

#include "common/file_access.h"
#include "common/stage_limits.h"
#include "common/text_encoding.h"
#include "game/core/keyboard.h"
#include "game/sim/command_line.h"

namespace tovek {
namespace {

const std::map<std::string, int>& KeyNames() {
    static const std::map<std::string, int> names = {
        {"Left", kKeyLeft},   {"Right", kKeyRight},   {"Up", kKeyUp}, {"Down", kKeyDown},
        {"Space", kKeySpace}, {"Escape", kKeyEscape}, {"S", kKeyS},
    };
    return names;
}

// How much of a malformed line a message repeats.
constexpr std::size_t kQuotedLineCharacters = 80;

// A keys file holds one short line per event; no run needs more.
constexpr std::size_t kMaxKeysFileBytes = 256 << 20;

}  // namespace

std::string KeyName(int keyCode) {
    for (const auto& [name, code] : KeyNames()) {
        if (code == keyCode) return name;
    }
    return {};
}

std::string FormatKeyScript(const std::vector<KeyEvent>& events) {
    std::string text;
    for (const KeyEvent& event : events) {
        text += std::to_string(event.tick) + (event.down ? " down " : " up ") +
                KeyName(event.keyCode) + '\n';
    }
    return text;
}

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args,
                                          std::string& error) {
    SimOptions options;
    bool haveDir = false;
    bool haveStage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool takesValue = option == "--dir" || option == "--stage" || option == "--ticks" ||
                                option == "--seed" || option == "--keys" || option == "--every" ||
                                option == "--frames";
        if (option == "--map") {
            options.map = true;
            continue;
        }
        if (!takesValue) {
            error = "unknown option: " + option;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (option == "--dir") {
            options.dir = value;
            haveDir = true;
        } else if (option == "--keys") {
            options.keysFile = std::filesystem::path(value);
        } else if (option == "--frames") {
            options.framesDir = std::filesystem::path(value);
            options.drawFrames = true;
        } else if (option == "--seed") {
            if (!ParseInteger(value, options.seed)) {
                error = "--seed needs a number from 0 to 18446744073709551615, not " + value;
                return std::nullopt;
            }
        } else {
            std::int64_t number = 0;
            if (!ParseInteger(value, number)) {
                error = option + " needs a whole number, not " + value;
                return std::nullopt;
            }
            if (option == "--stage") {
                if (number < 1 || number > kStageCount) {
                    error = "--stage must be 1..100, not " + value;
                    return std::nullopt;
                }
                options.stage = static_cast<int>(number);
                haveStage = true;
            } else if (option == "--ticks") {
                if (number < 0) {
                    error = "--ticks must be 0 or more, not " + value;
                    return std::nullopt;
                }
                options.ticks = number;
            } else {
                if (number < 1) {
                    error = "--every must be 1 or more, not " + value;
                    return std::nullopt;
                }
                options.every = number;
            }
        }
    }
    if (!haveDir) {
        error = "missing --dir DIR";
        return std::nullopt;
    }
    if (!haveStage) {
        error = "missing --stage N";
        return std::nullopt;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(options.dir, ec)) {
        error = "program folder not found: " + options.dir.string();
        return std::nullopt;
    }
    if (options.keysFile && !std::filesystem::exists(*options.keysFile, ec)) {
        error = "keys file not found: " + options.keysFile->string();
        return std::nullopt;
    }
    return options;
}

std::optional<std::vector<KeyEvent>> ParseKeyScript(const std::string& text,
                                                    const std::string& fileName,
                                                    std::string& error) {
    std::vector<KeyEvent> events;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::istringstream lines(text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size())
                                                              : text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string tickText;
        if (!(words >> tickText) || tickText[0] == '#') continue;
        std::string direction;
        std::string key;
        std::string extra;
        KeyEvent event{};
        const bool wellFormed = ParseInteger(tickText, event.tick) && event.tick >= 1 &&
                                (words >> direction) &&
                                (direction == "down" || direction == "up") && (words >> key) &&
                                KeyNames().contains(key) && !(words >> extra);
        if (!wellFormed) {
            error = fileName + ":" + std::to_string(lineNumber) +
                    ": expected \"TICK down|up KEY\" (TICK >= 1, KEY one of Left Right Up Down "
                    "Space Escape S), got: " +
                    QuotedForMessage(line, kQuotedLineCharacters);
            return std::nullopt;
        }
        event.down = direction == "down";
        event.keyCode = KeyNames().at(key);
        events.push_back(event);
    }
    return events;
}

std::optional<std::vector<KeyEvent>> ReadKeyScript(const std::filesystem::path& path,
                                                   std::string& error) {
    FileContents file = ReadRegularFile(path, kMaxKeysFileBytes + 1);
    if (!file.error && file.bytes.size() > kMaxKeysFileBytes) {
        file.error = std::make_error_code(std::errc::file_too_large);
    }
    if (file.error) {
        error = "cannot read the keys file " + path.string() + ": " + file.error.message();
        return std::nullopt;
    }
    return ParseKeyScript(std::string(file.bytes.begin(), file.bytes.end()), path.string(), error);
}

}  // namespace tovek
