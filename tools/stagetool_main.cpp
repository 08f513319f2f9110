#include <iostream>
#include <string>
#include <vector>

#include "tools/stagetool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int status = tovek::RunStagetool(args, std::cout, std::cerr);
    std::cout.flush();
    return std::cout ? status : tovek::kExitProblems;
}
