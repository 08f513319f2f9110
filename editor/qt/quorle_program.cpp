#include "editor/qt/quorle_program.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>

#include "common/sheets.h"
#include "common/text.h"
#include "editor/core/document.h"
#include "editor/core/recovery_file.h"

namespace quorle {
namespace {

std::unique_ptr<tovek::TextPainter> PortDigits(std::string* error) {
    return tovek::TextPainter::Create(tovek::FontFace::Serif, error);
}

}  // namespace

void UseJapaneseWidgetFont() {
    QFont font = QApplication::font();
    const QString family = QFontInfo(font).family();
    if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese)) return;
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& preferred : {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}) {
        if (japanese.contains(preferred)) {
            font.setFamilies({preferred});
            QApplication::setFont(font);
            return;
        }
    }
}

QuorleProgram::QuorleProgram(const std::filesystem::path& programFolder)
    : game_{programFolder, tovek::LoadPictureSheets()},
      editor_(services_, game_.sheets, PortDigits(&fontError_)) {
    Form_Load(editor_, programFolder);
    window_ = std::make_unique<MainWindow>(editor_, game_);
    services_.SetMainWindow(window_.get());
}

void QuorleProgram::ReportMissingFont() {
    if (fontError_.empty()) return;
    ShowMessage(editor_, fontError_, MessageButtons::Ok, MessageIcon::Error);
}

void QuorleProgram::OfferRecovery() {
    quorle::OfferRecovery(editor_);
    window_->ShowState();
}

}  // namespace quorle
