#include "common/stage_naming.h"

#include "common/file_access.h"

namespace tovek {

std::string FormatStageNumber(int number) {
    std::string text = std::to_string(number);
    if (text.size() > 2) return text.substr(text.size() - 2);
    while (text.size() < 2)
        text.insert(text.begin(), '0');
    return text;
}

std::filesystem::path StageFolderPath(const std::filesystem::path& programFolder,
                                      std::string_view folderSetting) {
    if (folderSetting.empty()) folderSetting = "data";
    return ResolveIgnoringCase(programFolder, FolderSettingToRelativePath(folderSetting));
}

std::filesystem::path StageFilePath(const std::filesystem::path& stageFolder, int number) {
    std::string name = "m";
    name += FormatStageNumber(number);
    name += ".dat";
    return ResolveIgnoringCase(stageFolder, name);
}

}  // namespace tovek
