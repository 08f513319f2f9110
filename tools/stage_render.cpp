#include "tools/stage_render.h"

#include <memory>

#include "common/png_image.h"
#include "common/sheets.h"
#include "common/stage_file.h"
#include "common/text.h"
#include "editor/core/map_view.h"
#include "editor/core/stage_files.h"
#include "tools/stagetool.h"

namespace tovek {

int RenderStage(std::span<const std::uint8_t> stageFile, const std::string& pngPath,
                std::ostream& err) {
    std::string fontError;
    const std::unique_ptr<TextPainter> portDigits =
        TextPainter::Create(FontFace::Serif, &fontError);
    if (!portDigits) {
        err << "stagetool: " << fontError << "\n";
        return kExitProblems;
    }
    const EditorStage stage = quorle::WithEditorSize(ReadEditorStage(stageFile));
    const Surface picture = quorle::RenderWholeMap(stage, LoadPictureSheets(), portDigits.get());
    if (const std::error_code error = WritePng(pngPath, picture)) {
        err << "stagetool: " << pngPath << ": cannot be written: " << error.message() << "\n";
        return kExitProblems;
    }
    return kExitSuccess;
}

}  // namespace tovek
