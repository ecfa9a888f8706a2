#pragma once

#include <string>
#include <vector>

class QLabel;
class QStatusBar;

namespace vostrel::gui {

// The status bar a window keeps along its bottom edge, divided into panes.
class StatusBar {
 public:
  StatusBar(QStatusBar* bar, const std::vector<int>& pane_widths);
  StatusBar(const StatusBar&) = delete;
  StatusBar& operator=(const StatusBar&) = delete;

  int PaneCount() const { return static_cast<int>(panes_.size()); }
  void SetText(int pane, const std::string& text);  // an unknown pane is ignored
  std::string Text(int pane) const;
  int Height() const;

 private:
  QStatusBar* bar_;
  std::vector<QLabel*> panes_;
};

}  // namespace vostrel::gui
