#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quorle {

// The core's UTF-8 text as a widget shows it: its CR LF line breaks become
// the plain line breaks Qt draws.
QString ToQString(std::string_view utf8);

// A widget's text as the core reads it.
std::string ToUtf8(const QString& text);

}  // namespace quorle
