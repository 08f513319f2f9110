#pragma once

#include <optional>
#include <string>

namespace tovek {

// Serif: the Japanese Mincho face of the game's pictures and the editor's
// view. Sans: the Japanese Gothic face of status labels.
enum class FontFace { Serif, Sans };

struct FontFile {
    std::string path;
    int index = 0;       // face index inside the file
    std::string family;  // the family fontconfig reported
};

// The Debian package that installs the preferred font of the face.
const char* FontPackage(FontFace face);

// Finds the face through fontconfig: first the preferred family (IPA Mincho
// or IPA Gothic), accepted only when the match really is that family, since
// fontconfig always returns something; else fontconfig's best font for the
// generic style (serif, sans-serif) in Japanese, accepted only when it covers
// Japanese. When neither is found, error says so and names the Debian
// package to install.
std::optional<FontFile> FindJapaneseFont(FontFace face, std::string* error);

}  // namespace tovek
