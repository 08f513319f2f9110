// Tovek: the game in its window.
#include <iostream>
#include <memory>
#include <string>

#include "common/program_folder.h"
#include "game/sdl/tick_loop.h"
#include "game/sdl/tovek_program.h"

int main() {
    const std::filesystem::path programFolder = tovek::PrepareOwnProgramFolder("Tovek", std::cerr);
    if (programFolder.empty()) return 1;
    std::string error;
    std::unique_ptr<tovek::TovekProgram> program =
        tovek::TovekProgram::Start(programFolder, &error);
    if (!program) {
        std::cerr << "Tovek: " << error << '\n';
        return 1;
    }
    tovek::RunTickLoop(*program, program->TickInterval());
    return 0;
}
