#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tovek {

// The two-character number of a stage file: the decimal text of `number`,
// cut to its last two characters or padded on the left with '0' (5 -> "05",
// 100 -> "00"). Numbers outside 1..100 follow the same text rule.
std::string FormatStageNumber(int number);

// The stage folder named by the "Folder" setting, inside the program folder;
// an empty setting means "data". Existing folders are found whatever their case.
std::filesystem::path StageFolderPath(const std::filesystem::path& programFolder,
                                      std::string_view folderSetting);

// The file of stage `number`: "m" + FormatStageNumber(number) + ".dat" in the
// stage folder, or the existing file whose name differs only in case.
std::filesystem::path StageFilePath(const std::filesystem::path& stageFolder, int number);

}  // namespace tovek
