#pragma once

// Internal to platform/gui: conversions between the program's UTF-8 texts and Qt.
#include <QByteArray>
#include <QPixmap>
#include <QString>
#include <string>

namespace vostrel::gui::detail {

inline QString ToQt(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

inline QPixmap PixmapFromBytes(const std::string& bytes) {
  QPixmap pixmap;
  pixmap.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                      static_cast<uint>(bytes.size()));
  return pixmap;
}

}  // namespace vostrel::gui::detail
