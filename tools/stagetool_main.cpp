#include <cerrno>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "tools/stagetool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The output is gathered first, so that a failure to write it is met
    // right here, with the system's reason.
    std::ostringstream out;
    int status = tovek::RunStagetool(args, out, std::cerr);
    const std::string text = std::move(out).str();
    errno = 0;
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << "stagetool: cannot write the output";
        if (errno != 0) std::cerr << ": " << std::generic_category().message(errno);
        std::cerr << '\n';
        status = tovek::kExitProblems;
    }
    return status;
}
