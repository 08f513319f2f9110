#include "editor/qt/ui_text.h"

namespace quorle {

QString ToQString(std::string_view utf8) {
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string ToUtf8(const QString& text) {
    return text.toStdString();
}

}  // namespace quorle
