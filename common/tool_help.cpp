#include "common/tool_help.h"

namespace tovek {

std::optional<int> AnswerHelpOrVersion(std::span<const std::string> args, std::string_view program,
                                       std::string_view help, std::ostream& out) {
    if (args.empty()) return std::nullopt;
    if (args[0] == "--help") {
        out << help;
    } else if (args[0] == "--version") {
        out << program << ' ' << TOVEK_VERSION << '\n';
    } else {
        return std::nullopt;
    }
    out.flush();
    return out ? 0 : 1;
}

}  // namespace tovek
