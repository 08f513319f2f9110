#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tovek {

// One section of the settings file Tovek.ini ("Customize" unless another is
// named), read the way the original platform's profile functions read it: section and key names
// ignore case, spaces around names and values are dropped, the first matching section and the first
// matching key in it win, lines starting with ';' are comments, and a value enclosed in matching
// quotes loses them. CRLF or LF line ends and a UTF-8 byte-order mark are accepted.
class SettingsFile {
  public:
    // No settings: every key reads its default.
    SettingsFile() = default;

    // A missing or unreadable file gives no settings.
    static SettingsFile Load(const std::filesystem::path& iniPath,
                             std::string_view section = kCustomize);

    // Tovek.ini in the program folder, found whatever the case of its name.
    static SettingsFile LoadFromProgramFolder(const std::filesystem::path& programFolder,
                                              std::string_view section = kCustomize);

    static SettingsFile Parse(std::string_view text, std::string_view section = kCustomize);

    static constexpr std::string_view kCustomize = "Customize";

    // The value's leading optionally signed decimal digits ("2 ; fast" is 2,
    // "abc" is 0); missing keys and values outside 0..maximum read as 0.
    std::int16_t ReadSettingInt(std::string_view key, int maximum) const;

    // The value as UTF-8 text (a value that is not UTF-8 is read as Shift-JIS),
    // up to its first NUL and at most 255 characters; "" when missing.
    std::string ReadSettingString(std::string_view key) const;

    // Keys and raw values of the section, in file order.
    const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

  private:
    const std::string* FindValue(std::string_view key) const;

    // Keys and raw values of the first matching section, in file order.
    std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace tovek
