#pragma once

#include <functional>
#include <memory>
#include <string>

class QSystemTrayIcon;

namespace vostrel::gui {

enum class TrayEvent { LeftButtonUp, LeftDoubleClick, RightButtonUp, ContextKey };

// An icon in the notification area. Where the desktop has no tray the icon and
// tip are still kept, so the state can be read back.
class TrayIcon {
 public:
  TrayIcon();
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // icon: the bytes of an ICO or PNG file.
  void Set(const std::string& icon, const std::string& tip);
  void Remove();
  bool IsShown() const { return shown_; }
  std::string Tip() const { return tip_; }
  const std::string& IconBytes() const { return icon_; }

  // Clicks over the icon; hovering reports nothing.
  std::function<void(TrayEvent)> on_activated;

  QSystemTrayIcon* QtTrayIcon() const { return tray_.get(); }  // for platform code only

 private:
  std::unique_ptr<QSystemTrayIcon> tray_;
  std::string icon_;
  std::string tip_;
  bool shown_ = false;
};

}  // namespace vostrel::gui
