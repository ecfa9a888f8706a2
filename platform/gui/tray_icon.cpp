#include "platform/gui/tray_icon.h"

#include <QIcon>
#include <QSystemTrayIcon>
#include <optional>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {
namespace {

std::optional<TrayEvent> EventFor(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return TrayEvent::LeftButtonUp;
    case QSystemTrayIcon::DoubleClick:
      return TrayEvent::LeftDoubleClick;
    case QSystemTrayIcon::Context:
      return TrayEvent::RightButtonUp;
    default:  // the middle button and unknown reasons are not reported
      return std::nullopt;
  }
}

}  // namespace

TrayIcon::TrayIcon() : tray_(std::make_unique<QSystemTrayIcon>()) {
  QObject::connect(tray_.get(), &QSystemTrayIcon::activated,
                   [this](QSystemTrayIcon::ActivationReason reason) {
                     const std::optional<TrayEvent> event = EventFor(reason);
                     if (event && shown_ && on_activated) on_activated(*event);
                   });
}

TrayIcon::~TrayIcon() { Remove(); }

void TrayIcon::Set(const std::string& icon, const std::string& tip) {
  icon_ = icon;
  tip_ = tip;
  shown_ = true;
  tray_->setIcon(QIcon(detail::PixmapFromBytes(icon)));
  tray_->setToolTip(detail::ToQt(tip));
  if (QSystemTrayIcon::isSystemTrayAvailable()) tray_->show();
}

void TrayIcon::Remove() {
  shown_ = false;
  if (tray_) tray_->hide();
}

}  // namespace vostrel::gui
