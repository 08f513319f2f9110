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
#include "tools/stage_text.h"

namespace tovek {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUsage =
    "usage: stagetool decode FILE | encode JSON OUT [--seed S] | render FILE OUT.png | check FILE "
    "| text FILE | build SOURCE OUT [--seed S] | --help | --version";

constexpr std::string_view kHelp =
    "usage: stagetool COMMAND ARGUMENTS\n"
    "Stage files (mNN.dat) and stage sources on the command line.\n"
    "\n"
    "  stagetool decode FILE            print the stage, as the editor reads it, as JSON\n"
    "  stagetool encode JSON OUT [--seed S]\n"
    "                                   write JSON as a stage file with the editor's writer;\n"
    "                                   key material from the editor's random source seeded\n"
    "                                   with S (default: the editor's own fixed seed)\n"
    "  stagetool render FILE OUT.png    the whole map as the editor's view draws it\n"
    "  stagetool check FILE             exit 0 when the file is a stage the editor could have\n"
    "                                   written; otherwise exit 1 and one line per problem\n"
    "  stagetool text FILE              print the stage as a text source: background, legend,\n"
    "                                   map (docs/stage-format.md)\n"
    "  stagetool build SOURCE OUT [--seed S]\n"
    "                                   write a text source as a stage file with the editor's\n"
    "                                   writer; key material as for encode\n"
    "  stagetool --help | --version     this text | the version\n"
    "\n"
    "Exit status: 0 done, 1 problems found or output not written, 2 usage error or an\n"
    "input refused (one line on stderr naming the file, line and column).\n";
constexpr std::size_t kMaxProblemLines = 50;
// A stage document of the largest map, generously spaced, is far smaller.
constexpr std::size_t kMaxDocumentBytes = 64 << 20;

// A usage error: one line naming the problem.
int Usage(std::ostream& err, std::string_view message) {
    err << "stagetool: " << message << " (" << kUsage << ")\n";
    return kExitUsage;
}

// The bytes of an input file of at most `limit` bytes, or a usage error
// naming the file.
std::optional<std::vector<std::uint8_t>> ReadInput(const std::string& path, std::size_t limit,
                                                   std::string_view what, std::ostream& err) {
    FileContents input = ReadRegularFile(path, limit + 1);
    if (input.error == std::errc::no_such_file_or_directory) {
        err << "stagetool: " << path << ": no such file\n";
    } else if (std::error_code ignored;
               input.error == FileRefusal::NotARegularFile && fs::is_directory(path, ignored)) {
        err << "stagetool: " << path << ": is a folder, not a file\n";
    } else if (input.error) {
        err << "stagetool: " << path << ": " << input.error.message() << "\n";
    } else if (input.bytes.size() > limit) {
        err << "stagetool: " << path << ": larger than any " << what << " (" << limit
            << " bytes at most)\n";
    } else {
        return std::move(input.bytes);
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ReadStageInput(const std::string& path,
                                                        std::ostream& err) {
    return ReadInput(path, kMaxStageFileBytes, "stage file", err);
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
    const std::optional<std::vector<std::uint8_t>> bytes =
        ReadStageInput(arguments.positional[0], err);
    if (!bytes) return kExitUsage;
    out << StageToJson(ReadEditorStage(*bytes));
    return kExitSuccess;
}

// Writes `stage` to `output` with the editor's writer and key material drawn
// from the editor's random source, seeded as the arguments say.
int WriteStage(const EditorStage& stage, const Arguments& arguments, const std::string& output,
               std::ostream& err) {
    RandomSource random(arguments.seed.value_or(kEditorRandomSeed));
    const std::vector<std::uint8_t> file = WriteEditorStage(stage, DrawKeyMaterial(random));
    if (const std::error_code error = ReplaceFileAtomically(output, file)) {
        err << "stagetool: " << output << ": cannot be written: " << error.message() << "\n";
        return kExitProblems;
    }
    return kExitSuccess;
}

std::string_view AsText(const std::vector<std::uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

int Encode(const Arguments& arguments, std::ostream& err) {
    const std::string& input = arguments.positional[0];
    const std::string& output = arguments.positional[1];
    const std::optional<std::vector<std::uint8_t>> bytes =
        ReadInput(input, kMaxDocumentBytes, "stage document", err);
    if (!bytes) return kExitUsage;
    const std::variant<EditorStage, StageJsonError> stage = StageFromJson(AsText(*bytes));
    if (const StageJsonError* error = std::get_if<StageJsonError>(&stage)) {
        err << "stagetool: " << input << ":" << error->line << ":" << error->column << ": "
            << error->message << "\n";
        return kExitUsage;
    }
    return WriteStage(std::get<EditorStage>(stage), arguments, output, err);
}

int Text(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::optional<std::vector<std::uint8_t>> bytes =
        ReadStageInput(arguments.positional[0], err);
    if (!bytes) return kExitUsage;
    out << StageToText(ReadEditorStage(*bytes));
    return kExitSuccess;
}

int Build(const Arguments& arguments, std::ostream& err) {
    const std::string& source = arguments.positional[0];
    const std::optional<std::vector<std::uint8_t>> bytes =
        ReadInput(source, kMaxDocumentBytes, "stage source", err);
    if (!bytes) return kExitUsage;
    const std::variant<EditorStage, StageTextError> stage = ParseStageText(AsText(*bytes));
    if (const StageTextError* error = std::get_if<StageTextError>(&stage)) {
        err << "stagetool: " << source << ":" << error->line;
        if (error->column > 0) err << ":" << error->column;
        err << ": " << error->message << "\n";
        return kExitUsage;
    }
    return WriteStage(std::get<EditorStage>(stage), arguments, arguments.positional[1], err);
}

int Render(const Arguments& arguments, std::ostream& err) {
    const std::optional<std::vector<std::uint8_t>> bytes =
        ReadStageInput(arguments.positional[0], err);
    if (!bytes) return kExitUsage;
    return RenderStage(*bytes, arguments.positional[1], err);
}

int Check(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    const std::string& path = arguments.positional[0];
    const std::optional<std::vector<std::uint8_t>> bytes = ReadStageInput(path, err);
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
    if (const auto answered = AnswerHelpOrVersion(args, "stagetool", kHelp, out)) return *answered;
    if (args.empty()) return Usage(err, "missing command");
    const std::string& command = args[0];
    std::size_t wanted;
    if (command == "decode" || command == "check" || command == "text") {
        wanted = 1;
    } else if (command == "encode" || command == "render" || command == "build") {
        wanted = 2;
    } else {
        return Usage(err, "unknown command '" + command + "'");
    }
    std::variant<Arguments, std::string> split =
        SplitArguments(args.subspan(1), command == "encode" || command == "build");
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
    if (command == "text") return Text(arguments, out, err);
    if (command == "build") return Build(arguments, err);
    return Check(arguments, out, err);
}

}  // namespace tovek
