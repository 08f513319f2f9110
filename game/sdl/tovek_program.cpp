#include "game/sdl/tovek_program.h"

#include <SDL.h>

#include <iostream>

#include "game/core/keyboard.h"
#include "game/core/presentation.h"
#include "game/core/startup.h"
#include "game/sdl/help_screen.h"
#include "game/sdl/pause_screen.h"

namespace tovek {

TovekProgram::TovekProgram()
    : sound_(audio_),
      music_(audio_),
      heldMusic_(music_),
      records_(recordFile_, std::cerr, "Tovek"),
      session_(game_, clock_, heldMusic_) {}

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

    std::vector<std::string> problems;
    program->settings_ = ReadWindowSettings(programFolder, &problems);
    program->pads_ = std::make_unique<PadInput>(&problems);
    for (const std::string& problem : problems)
        std::cerr << "Tovek: " << problem << '\n';

    Game& game = program->game_;
    game.programFolder = programFolder;
    game.services = {&program->clock_, &program->sound_, &program->heldMusic_, nullptr,
                     &program->records_};
    game.drawPixels = true;
    game.sheets = LoadPictureSheets();
    game.text = program->serif_.get();
    Form_Load(game);

    program->window_ =
        GameWindow::Create(game.caption, *program->sans_, program->settings_.scaling, error);
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
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
        case SDL_CONTROLLERAXISMOTION:
            HandlePad(event);
            break;
        case SDL_WINDOWEVENT:
            HandleWindowEvent(event.window);
            break;
        default:
            return;
    }
    FollowPause();
    ShowWindowTexts();
}

void TovekProgram::HandleKey(const SDL_KeyboardEvent& event) {
    // Keys come only to the focused window, but SDL may report the focus
    // after the first key: the key is the first focus then.
    picMain_GotFocus(game_);
    if (event.type == SDL_KEYDOWN) {
        // Any key takes the help picture away, and does nothing else.
        if (helpShown_) {
            if (event.repeat == 0) CloseHelp();
            return;
        }
        if (HandleWindowKey(event)) return;
    }
    const std::optional<int> gameKey = settings_.keys.GameKey(event.keysym.sym, event.keysym.mod);
    if (!gameKey) return;
    const InputSource source{InputSource::kKeyboard, event.keysym.sym};
    if (event.type == SDL_KEYUP) {
        session_.Release(*gameKey, source);
    } else if (event.repeat != 0) {
        session_.Repeat(*gameKey);  // auto-repeat arrives as further presses
    } else {
        session_.Press(*gameKey, source);
    }
}

bool TovekProgram::HandleWindowKey(const SDL_KeyboardEvent& event) {
    const SDL_Keycode key = event.keysym.sym;
    const bool first = event.repeat == 0;
    if (key == SDLK_F11 || (key == SDLK_RETURN && (event.keysym.mod & KMOD_ALT) != 0)) {
        if (first) {
            window_->ToggleFullscreen();
            FormResize();  // also where the window keeps its size
        }
        return true;
    }
    if (key == SDLK_p || key == SDLK_PAUSE) {
        if (first) session_.TogglePause();
        return true;
    }
    if (key == SDLK_F1) {
        if (first && !game_.inPlay) OpenHelp();
        return true;
    }
    return false;
}

void TovekProgram::HandlePad(const SDL_Event& event) {
    for (const PadAction& action : pads_->Handle(event)) {
        const bool down = action.kind == PadAction::Kind::Press ||
                          action.kind == PadAction::Kind::Start ||
                          action.kind == PadAction::Kind::Other;
        if (down) picMain_GotFocus(game_);  // as for the keyboard's keys
        if (helpShown_ && down) {
            CloseHelp();
            continue;
        }
        switch (action.kind) {
            case PadAction::Kind::Press:
                session_.Press(action.gameKey, action.source);
                break;
            case PadAction::Kind::Release:
                session_.Release(action.gameKey, action.source);
                break;
            case PadAction::Kind::Start:
                if (session_.CanPause()) {
                    session_.TogglePause();
                } else {
                    session_.Press(action.gameKey, action.source);
                }
                break;
            case PadAction::Kind::Other:
                break;
            case PadAction::Kind::Removed:
                session_.Pause();
                break;
        }
    }
}

void TovekProgram::HandleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            picMain_GotFocus(game_);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (settings_.autoPause) session_.Pause();
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
    session_.Tick();
    ShowWindowTexts();
}

void TovekProgram::OpenHelp() {
    if (helpPicture_.Width() == 0) helpPicture_ = HelpPicture(*sans_);
    helpShown_ = true;
    PresentScreen();
}

void TovekProgram::CloseHelp() {
    helpShown_ = false;
    PresentScreen();
}

void TovekProgram::FollowPause() {
    if (session_.Paused() == pauseShown_) return;
    pauseShown_ = session_.Paused();
    if (pauseShown_) pausedPicture_ = PausedPicture(game_.picMain, *serif_);
    PresentScreen();
}

// The window's resize handler: the labels move to the new bottom and the
// picture is presented again, scaled or not.
void TovekProgram::FormResize() {
    window_->Resize();
    PresentScreen();
}

void TovekProgram::PresentScreen() {
    if (helpShown_) {
        window_->PresentFrame(helpPicture_);
    } else if (pauseShown_) {
        window_->PresentFrame(pausedPicture_);
    } else {
        PresentFrame(game_);
    }
}

void TovekProgram::ShowWindowTexts() {
    std::array<std::string, 2> labels = game_.lblMain;
    if (helpShown_) labels[0] = kHelpLabel;
    if (pauseShown_) labels[0] = kPausedLabel;
    window_->ShowLabels(labels);
    window_->ShowCaption(game_.caption);
}

}  // namespace tovek
