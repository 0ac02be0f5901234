#pragma once
// The window's edge: the program's code page 1252 texts and the system's
// file names (bytes, as std::string holds them) to and from Qt's strings.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>
#include <string_view>

#include "record/vostr.h"

namespace kelvo::gui {

inline QString FromCp1252(std::string_view text) {
  const std::string utf8 = Cp1252ToUtf8(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A message that may name files: their bytes shown as they are (MessageToUtf8).
inline QString FromMessage(std::string_view text) {
  const std::string utf8 = MessageToUtf8(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToCp1252(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

inline QString FromFileName(const std::string& name) {
  return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

inline std::string ToFileName(const QString& name) {
  const QByteArray bytes = QFile::encodeName(name);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace kelvo::gui
