#include "common/settings_file.h"

#include <cstdint>
#include <optional>

#include "common/file_access.h"
#include "common/text_encoding.h"

namespace tovek {
namespace {

constexpr std::string_view kFileName = "Tovek.ini";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Settings are a few lines; of a larger file only this much is read.
constexpr std::size_t kMaxSettingsFileBytes = 1 << 20;
constexpr std::size_t kMaxStringCharacters = 255;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    return Trim(line.substr(0, line.find(']')));
}

// Leading optionally signed decimal digits; saturates far outside any
// setting's range instead of overflowing.
long long LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < 1'000'000'000) value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

}  // namespace

SettingsFile SettingsFile::Load(const std::filesystem::path& iniPath, std::string_view section) {
    const std::optional<std::vector<std::uint8_t>> bytes =
        ReadFileBytes(iniPath, kMaxSettingsFileBytes);
    if (!bytes) return SettingsFile();
    return Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
                 section);
}

SettingsFile SettingsFile::LoadFromProgramFolder(const std::filesystem::path& programFolder,
                                                 std::string_view section) {
    return Load(ResolveIgnoringCase(programFolder, kFileName), section);
}

SettingsFile SettingsFile::Parse(std::string_view text, std::string_view section) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    SettingsFile settings;
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line.front() == ';') continue;
        if (const std::optional<std::string_view> name = SectionName(line)) {
            if (inSection) break;  // only the first matching section counts
            inSection = EqualIgnoringAsciiCase(*name, section);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        settings.entries_.emplace_back(Trim(line.substr(0, equals)),
                                       StripQuotes(Trim(line.substr(equals + 1))));
    }
    return settings;
}

// Entries stay in file order, so the first of several equal keys is found.
const std::string* SettingsFile::FindValue(std::string_view key) const {
    for (const auto& [name, value] : entries_) {
        if (EqualIgnoringAsciiCase(name, key)) return &value;
    }
    return nullptr;
}

std::int16_t SettingsFile::ReadSettingInt(std::string_view key, int maximum) const {
    const std::string* value = FindValue(key);
    if (value == nullptr) return 0;
    const long long number = LeadingInteger(*value);
    if (number < 0 || number > maximum || number > INT16_MAX) return 0;
    return static_cast<std::int16_t>(number);
}

std::string SettingsFile::ReadSettingString(std::string_view key) const {
    const std::string* value = FindValue(key);
    if (value == nullptr) return {};
    std::string_view raw = *value;
    raw = raw.substr(0, raw.find('\0'));
    return FirstCharacters(TextToUtf8(raw), kMaxStringCharacters);
}

}  // namespace tovek
