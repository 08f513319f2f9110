#include "game/sdl/tovek_program.h"

#include <SDL.h>

#include "game/core/keyboard.h"
#include "game/core/main_tick.h"
#include "game/core/presentation.h"
#include "game/core/startup.h"
#include "game/sdl/key_mapping.h"

namespace tovek {

TovekProgram::TovekProgram() : sound_(audio_), music_(audio_) {}

TovekProgram::~TovekProgram() = default;

std::unique_ptr<TovekProgram> TovekProgram::Start(const std::filesystem::path& programFolder,
                                                  std::string* error) {
    std::unique_ptr<TovekProgram> program(new TovekProgram());
    if (!program->video_.Started()) {
        if (error != nullptr) *error = std::string("the window cannot open: ") + SDL_GetError();
        return nullptr;
    }
    program->serif_ = TextPainter::Create(FontFace::Serif, error);
    if (!program->serif_) return nullptr;
    program->sans_ = TextPainter::Create(FontFace::Sans, error);
    if (!program->sans_) return nullptr;

    Game& game = program->game_;
    game.programFolder = programFolder;
    game.services = {&program->clock_, &program->sound_, &program->music_, nullptr,
                     &program->records_};
    game.drawPixels = true;
    game.sheets = LoadPictureSheets();
    game.text = program->serif_.get();
    Form_Load(game);

    program->window_ = GameWindow::Create(game.caption, *program->sans_, error);
    if (!program->window_) {
        if (error != nullptr) *error = "the window cannot open: " + *error;
        return nullptr;
    }
    game.services.presenter = program->window_.get();
    SDL_StopTextInput();
    program->ShowWindowTexts();
    program->FormResize();
    return program;
}

std::chrono::milliseconds TovekProgram::TickInterval() const {
    return std::chrono::milliseconds(game_.tickInterval);
}

void TovekProgram::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            Form_Unload(game_);
            running_ = false;
            return;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            HandleKey(event.key);
            break;
        case SDL_WINDOWEVENT:
            HandleWindowEvent(event.window);
            break;
        default:
            return;
    }
    ShowWindowTexts();
}

void TovekProgram::HandleKey(const SDL_KeyboardEvent& event) {
    const std::optional<int> key = VirtualKeyCode(event.keysym.sym, event.keysym.mod);
    if (!key) return;
    // Keys come only to the focused window, but SDL may report the focus
    // after the first key: the key is the first focus then.
    picMain_GotFocus(game_);
    // Auto-repeat arrives as further presses, as the game expects.
    if (event.type == SDL_KEYDOWN) {
        Form_KeyDown(game_, *key);
    } else {
        Form_KeyUp(game_, *key);
    }
}

void TovekProgram::HandleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            picMain_GotFocus(game_);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
            FormResize();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            window_->Repaint();
            break;
        default:
            break;
    }
}

void TovekProgram::Tick() {
    tmrMain_Timer(game_);
    ShowWindowTexts();
}

// The window's resize handler: the labels move to the new bottom and the
// picture is presented again, stretched or not.
void TovekProgram::FormResize() {
    window_->Resize();
    PresentFrame(game_);
}

void TovekProgram::ShowWindowTexts() {
    window_->ShowLabels(game_.lblMain);
    window_->ShowCaption(game_.caption);
}

}  // namespace tovek
