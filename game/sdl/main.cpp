// Tovek: the game in its window.
#include <iostream>
#include <memory>
#include <string>

#include "common/file_access.h"
#include "game/sdl/tick_loop.h"
#include "game/sdl/tovek_program.h"

int main() {
    std::string error;
    std::unique_ptr<tovek::TovekProgram> program =
        tovek::TovekProgram::Start(tovek::ProgramFolder(), &error);
    if (!program) {
        std::cerr << "Tovek: " << error << '\n';
        return 1;
    }
    tovek::RunTickLoop(*program, program->TickInterval());
    return 0;
}
