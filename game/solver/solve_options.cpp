#include "game/solver/solve_options.h"

#include "common/stage_limits.h"
#include "game/sim/command_line.h"

namespace tovek {
namespace {

// More threads than this would only wait for each other.
constexpr int kMostThreads = 256;

// Reads a whole number within [least, most] into value.
template <typename Integer>
bool ReadNumber(const std::string& option, const std::string& text, Integer least, Integer most,
                Integer& value, std::string& error) {
    if (!ParseInteger(text, value) || value < least || value > most) {
        error = option + " must be a whole number from " + std::to_string(least) + " to " +
                std::to_string(most) + ", not " + text;
        return false;
    }
    return true;
}

}  // namespace

std::optional<SolveOptions> ParseSolveOptions(const std::vector<std::string>& args,
                                              std::string& error) {
    SolveOptions options;
    bool haveDir = false;
    bool haveStage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option != "--dir" && option != "--stage" && option != "--chara" && option != "--seed" &&
            option != "--budget" && option != "--threads" && option != "--keys" &&
            option != "--journey") {
            error = "unknown option: " + option;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (option == "--dir") {
            options.dir = value;
            haveDir = true;
        } else if (option == "--keys") {
            options.keysFile = std::filesystem::path(value);
        } else if (option == "--journey") {
            options.journeyFile = std::filesystem::path(value);
        } else if (option == "--stage") {
            ok = ReadNumber(option, value, 1, kStageCount, options.stage, error);
            haveStage = true;
        } else if (option == "--chara") {
            int chara = 0;
            ok = ReadNumber(option, value, 0, 2, chara, error);
            options.chara = chara;
        } else if (option == "--seed") {
            ok = ReadNumber<std::uint64_t>(option, value, 0, UINT64_MAX, options.seed, error);
        } else if (option == "--budget") {
            ok = ReadNumber<std::int64_t>(option, value, 0, INT64_MAX, options.budget, error);
        } else {
            ok = ReadNumber(option, value, 1, kMostThreads, options.threads, error);
        }
        if (!ok) return std::nullopt;
    }
    if (!haveDir) {
        error = "missing --dir DIR";
        return std::nullopt;
    }
    if (!haveStage) {
        error = "missing --stage N";
        return std::nullopt;
    }
    if (options.keysFile && options.journeyFile) {
        error = "--keys and --journey cannot be used together";
        return std::nullopt;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(options.dir, ec)) {
        error = "program folder not found: " + options.dir.string();
        return std::nullopt;
    }
    return options;
}

}  // namespace tovek
