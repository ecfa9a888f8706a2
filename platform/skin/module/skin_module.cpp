// The loadable skin module: applies skin images to the running application.
#include "platform/skin/skin_module.h"

#include <QApplication>
#include <QColor>
#include <QMetaEnum>
#include <QPalette>
#include <QString>
#include <QStyle>

#include <optional>
#include <string_view>

#include "platform/skin/module/skin_image.h"

namespace vostrel::skin {
namespace {

constexpr char kAeroStyle[] = R"(
QMenu, QPushButton, QGroupBox, QLineEdit, QTextEdit, QPlainTextEdit, QDateEdit { border-radius: 5px; }
QToolBar, QStatusBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgba(255,255,255,150), stop:0.5 rgba(255,255,255,60), stop:1 rgba(255,255,255,20)); }
QToolButton { border-radius: 5px; }
)";

// The module's own state: what the last skin asked for, so that switching
// the softer look on or off can rebuild the whole sheet.
struct ModuleState {
  QString skin_style;
  bool aero = false;
};

// Skins dress widgets, so a bare QCoreApplication does not count.
QApplication* RunningApplication() {
  return qobject_cast<QApplication*>(QCoreApplication::instance());
}

ModuleState& State() {
  static ModuleState state;
  return state;
}

void ApplyStyleSheet() {
  const ModuleState& state = State();
  RunningApplication()->setStyleSheet(state.aero ? state.skin_style + QString::fromUtf8(kAeroStyle)
                                 : state.skin_style);
}

// The palette a skin describes, or nullopt when a colour cannot be read.
// Roles this Qt does not know are skipped.
std::optional<QPalette> BuildPalette(const SkinImageParts& image) {
  QPalette palette = QApplication::style()->standardPalette();
  const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
  for (const auto& [role_name, colour_text] : image.palette) {
    const QColor colour = QColor::fromString(QString::fromStdString(colour_text));
    if (!colour.isValid()) return std::nullopt;
    if (role_name == "DisabledText") {
      for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, colour);
      }
      continue;
    }
    bool known = false;
    const int role = roles.keyToValue(role_name.c_str(), &known);
    if (known) palette.setBrush(static_cast<QPalette::ColorRole>(role), colour);
  }
  return palette;
}

}  // namespace
}  // namespace vostrel::skin

extern "C" __attribute__((visibility("default"))) int SkinH_AttachRes(
    const unsigned char* data, int size, const char* /*password*/, int /*a*/, int /*b*/,
    int /*c*/) {
  using namespace vostrel::skin;
  if (RunningApplication() == nullptr || data == nullptr || size <= 0) return 0;
  const auto image = ParseSkinImage(
      std::string_view(reinterpret_cast<const char*>(data), static_cast<size_t>(size)));
  if (!image) return 0;
  const auto palette = BuildPalette(*image);
  if (!palette) return 0;
  QApplication::setPalette(*palette);
  State().skin_style = QString::fromStdString(image->style_sheet);
  ApplyStyleSheet();
  return 1;
}

extern "C" __attribute__((visibility("default"))) int SkinH_SetAero(int on) {
  using namespace vostrel::skin;
  if (RunningApplication() == nullptr) return 0;
  State().aero = on != 0;
  ApplyStyleSheet();
  return 1;
}
