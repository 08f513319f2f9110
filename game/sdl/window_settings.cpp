#include "game/sdl/window_settings.h"

#include <cstdint>

#include "common/settings_file.h"
#include "common/text_encoding.h"

namespace tovek {

WindowSettings ReadWindowSettings(const std::filesystem::path& programFolder,
                                  std::vector<std::string>* problems) {
    WindowSettings settings;
    const SettingsFile customize = SettingsFile::LoadFromProgramFolder(programFolder);
    if (!customize.ReadSettingString("AutoPause").empty()) {
        settings.autoPause = customize.ReadSettingInt("AutoPause", INT16_MAX) != 0;
    }
    const std::string scaling = customize.ReadSettingString("Scaling");
    if (EqualIgnoringAsciiCase(scaling, "stretch")) {
        settings.scaling = Scaling::Stretch;
    } else if (EqualIgnoringAsciiCase(scaling, "fit")) {
        settings.scaling = Scaling::Fit;
    } else if (EqualIgnoringAsciiCase(scaling, "integer")) {
        settings.scaling = Scaling::Integer;
    } else if (!scaling.empty() && problems != nullptr) {
        problems->push_back("Tovek.ini: Scaling " + QuotedForMessage(scaling, 80) +
                            " is none of stretch, fit and integer");
    }
    settings.keys = KeyBindings::FromSettings(
        SettingsFile::LoadFromProgramFolder(programFolder, "Keys"), problems);
    return settings;
}

}  // namespace tovek
