#include "common/font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace tovek {
namespace {

struct FaceRequest {
    const char* family;
    const char* genericFamily;
    const char* description;
};

FaceRequest RequestFor(FontFace face) {
    if (face == FontFace::Sans) {
        return {"IPAGothic", "sans-serif", "Japanese sans-serif (IPA Gothic)"};
    }
    return {"IPAMincho", "serif", "Japanese serif (IPA Mincho)"};
}

struct ConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

const FcChar8* AsFc(const char* text) {
    return reinterpret_cast<const FcChar8*>(text);
}

PatternPtr Match(FcConfig* config, const char* family) {
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) return nullptr;
    FcPatternAddString(pattern.get(), FC_FAMILY, AsFc(family));
    FcPatternAddString(pattern.get(), FC_LANG, AsFc("ja"));
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    return PatternPtr(FcFontMatch(config, pattern.get(), &result));
}

bool HasFamily(const FcPattern* match, const char* family) {
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
        if (FcStrCmpIgnoreCase(value, AsFc(family)) == 0) return true;
    }
    return false;
}

bool CoversJapanese(const FcPattern* match) {
    FcLangSet* languages = nullptr;
    return FcPatternGetLangSet(match, FC_LANG, 0, &languages) == FcResultMatch &&
           FcLangSetHasLang(languages, AsFc("ja")) == FcLangEqual;
}

std::optional<FontFile> ToFontFile(const FcPattern* match) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) != FcResultMatch) return std::nullopt;
    FontFile file;
    file.path = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &file.index) != FcResultMatch) file.index = 0;
    FcChar8* family = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) {
        file.family = reinterpret_cast<const char*>(family);
    }
    return file;
}

}  // namespace

const char* FontPackage(FontFace face) {
    return face == FontFace::Sans ? "fonts-ipafont-gothic" : "fonts-ipafont-mincho";
}

std::optional<FontFile> FindJapaneseFont(FontFace face, std::string* error) {
    const FaceRequest request = RequestFor(face);
    const std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
    if (config) {
        if (PatternPtr match = Match(config.get(), request.family);
            match && HasFamily(match.get(), request.family)) {
            if (auto file = ToFontFile(match.get())) return file;
        }
        if (PatternPtr match = Match(config.get(), request.genericFamily);
            match && CoversJapanese(match.get())) {
            if (auto file = ToFontFile(match.get())) return file;
        }
    }
    if (error) {
        const std::string package = FontPackage(face);
        *error = std::string("No ") + request.description +
                 " font was found. Install the Debian package " + package +
                 " (sudo apt-get install " + package + ").";
    }
    return std::nullopt;
}

}  // namespace tovek
