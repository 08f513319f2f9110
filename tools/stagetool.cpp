#include "tools/stagetool.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "common/coded_stream.h"
#include "common/file_access.h"
#include "common/random_source.h"
#include "common/stage_check.h"
#include "common/stage_file.h"
#include "common/tool_help.h"
#include "tools/stage_json.h"
#include "tools/stage_render.h"

namespace tovek {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUsage =
    "usage: stagetool decode FILE | encode JSON OUT [--seed S] | render FILE OUT.png | check FILE";
constexpr std::string_view kHelpDetails =
    "Stage files (mNN.dat) as the editor reads and writes them.\n"
    "  decode FILE           print the stage as JSON\n"
    "  encode JSON OUT       write the JSON as a stage file with the editor's writer;\n"
    "                        --seed S seeds its key material (default: the editor's seed)\n"
    "  render FILE OUT.png   draw the whole map as the editor's view does, 32 x 32 pixels a cell\n"
    "  check FILE            list the problems of a file the editor could not have written\n"
    "  --help                this text\n"
    "  --version             the version\n"
    "Exit status: 0 done, 1 problems found or output not written, 2 usage error.\n";
constexpr std::size_t kMaxProblemLines = 50;

// A usage error: one line naming the problem.
int Usage(std::ostream& err, std::string_view message) {
    err << "stagetool: " << message << " (" << kUsage << ")\n";
    return kExitUsage;
}

// The bytes of an input file, or a usage error naming the file.
std::optional<std::vector<std::uint8_t>> ReadInput(const std::string& path, std::ostream& err) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        err << "stagetool: " << path << ": no such file\n";
        return std::nullopt;
    }
    if (fs::is_directory(path, error)) {
        err << "stagetool: " << path << ": is a folder, not a file\n";
        return std::nullopt;
    }
    std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path);
    if (!bytes) err << "stagetool: " << path << ": cannot be read\n";
    return bytes;
}

// The arguments of one command: positional ones and the --seed option.
struct Arguments {
    std::vector<std::string> positional;
    std::optional<std::uint64_t> seed;
};

// Splits `args`; on a usage error returns its message instead.
std::variant<Arguments, std::string> SplitArguments(std::span<const std::string> args,
                                                    bool acceptsSeed) {
    Arguments result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg.front() == '-') {
            if (arg != "--seed" || !acceptsSeed) return "unknown option '" + arg + "'";
            if (i + 1 == args.size()) return std::string("--seed needs a value");
            const std::string& text = args[++i];
            std::uint64_t seed = 0;
            const char* end = text.data() + text.size();
            const auto [ptr, error] = std::from_chars(text.data(), end, seed);
            if (text.empty() || ptr != end || error == std::errc::invalid_argument) {
                return "--seed needs a whole number, not '" + text + "'";
            }
            if (error == std::errc::result_out_of_range) {
                return "--seed " + text + " is out of range (0..18446744073709551615)";
            }
            result.seed = seed;
        } else {
            result.positional.push_back(arg);
        }
    }
    return result;
}

int Decode(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::optional<std::vector<std::uint8_t>> bytes = ReadInput(arguments.positional[0], err);
    if (!bytes) return kExitUsage;
    out << StageToJson(ReadEditorStage(*bytes));
    return kExitSuccess;
}

int Encode(const Arguments& arguments, std::ostream& err) {
    const std::string& input = arguments.positional[0];
    const std::string& output = arguments.positional[1];
    const std::optional<std::vector<std::uint8_t>> bytes = ReadInput(input, err);
    if (!bytes) return kExitUsage;
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    const std::variant<EditorStage, StageJsonError> stage = StageFromJson(text);
    if (const StageJsonError* error = std::get_if<StageJsonError>(&stage)) {
        err << "stagetool: " << input << ":" << error->line << ":" << error->column << ": "
            << error->message << "\n";
        return kExitUsage;
    }
    RandomSource random(arguments.seed.value_or(kEditorRandomSeed));
    const std::vector<std::uint8_t> file =
        WriteEditorStage(std::get<EditorStage>(stage), DrawKeyMaterial(random));
    if (const std::error_code error = ReplaceFileAtomically(output, file)) {
        err << "stagetool: " << output << ": cannot be written: " << error.message() << "\n";
        return kExitProblems;
    }
    return kExitSuccess;
}

int Render(const Arguments& arguments, std::ostream& err) {
    const std::optional<std::vector<std::uint8_t>> bytes = ReadInput(arguments.positional[0], err);
    if (!bytes) return kExitUsage;
    return RenderStage(*bytes, arguments.positional[1], err);
}

int Check(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::string& path = arguments.positional[0];
    const std::optional<std::vector<std::uint8_t>> bytes = ReadInput(path, err);
    if (!bytes) return kExitUsage;
    const std::vector<std::string> problems = FindStageProblems(*bytes);
    for (std::size_t i = 0; i < problems.size() && i < kMaxProblemLines; ++i) {
        out << path << ": " << problems[i] << "\n";
    }
    if (problems.size() > kMaxProblemLines) {
        out << path << ": ... and " << problems.size() - kMaxProblemLines << " more problems\n";
    }
    return problems.empty() ? kExitSuccess : kExitProblems;
}

}  // namespace

int RunStagetool(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const std::string help = std::string(kUsage) + "\n" + std::string(kHelpDetails);
    if (const auto answered = AnswerHelpOrVersion(args, "stagetool", help, out)) return *answered;
    if (args.empty()) return Usage(err, "missing command");
    const std::string& command = args[0];
    std::size_t wanted;
    if (command == "decode" || command == "check") {
        wanted = 1;
    } else if (command == "encode" || command == "render") {
        wanted = 2;
    } else {
        return Usage(err, "unknown command '" + command + "'");
    }
    std::variant<Arguments, std::string> split =
        SplitArguments(args.subspan(1), command == "encode");
    if (const std::string* message = std::get_if<std::string>(&split)) {
        return Usage(err, command + ": " + *message);
    }
    const Arguments& arguments = std::get<Arguments>(split);
    if (arguments.positional.size() < wanted) return Usage(err, command + ": missing file name");
    if (arguments.positional.size() > wanted) {
        return Usage(err, command + ": unexpected argument '" + arguments.positional[wanted] + "'");
    }
    if (command == "decode") return Decode(arguments, out, err);
    if (command == "encode") return Encode(arguments, err);
    if (command == "render") return Render(arguments, err);
    return Check(arguments, out, err);
}

}  // namespace tovek
