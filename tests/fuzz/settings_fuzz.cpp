// The settings reader on any text: integers stay within 0..maximum, strings
// are valid UTF-8 of at most 255 characters, and a folder setting never
// leaves the program folder through a leading separator.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/file_access.h"
#include "common/settings_file.h"
#include "common/text_encoding.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

std::size_t CountCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tovek::SettingsFile settings =
        tovek::SettingsFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const char* key : {"Chara", "Continue", "TSpeed", "DSound", "HMirror", "VMirror"}) {
        for (int maximum : {1, 2}) {
            const std::int16_t value = settings.ReadSettingInt(key, maximum);
            FUZZ_CHECK(value >= 0 && value <= maximum);
        }
    }
    for (const char* key : {"Title", "Folder"}) {
        const std::string value = settings.ReadSettingString(key);
        FUZZ_CHECK(tovek::IsValidUtf8(value));
        FUZZ_CHECK(CountCharacters(value) <= 255);
        FUZZ_CHECK(value.find('\0') == std::string::npos);
        FUZZ_CHECK(!tovek::FolderSettingToRelativePath(value).is_absolute());
    }
    return 0;
}
