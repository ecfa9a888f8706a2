#include "platform/gui/status_bar.h"

#include <QLabel>
#include <QStatusBar>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {

StatusBar::StatusBar(QStatusBar* bar, const std::vector<int>& pane_widths) : bar_(bar) {
  for (size_t i = 0; i < pane_widths.size(); ++i) {
    auto* pane = new QLabel(bar_);
    pane->setMinimumWidth(pane_widths[i]);
    // The last pane stretches, as the remainder of the bar.
    bar_->addWidget(pane, i + 1 == pane_widths.size() ? 1 : 0);
    panes_.push_back(pane);
  }
  bar_->show();
}

void StatusBar::SetText(int pane, const std::string& text) {
  if (pane < 0 || pane >= PaneCount()) return;
  panes_[pane]->setText(detail::ToQt(text));
}

std::string StatusBar::Text(int pane) const {
  if (pane < 0 || pane >= PaneCount()) return {};
  return detail::FromQt(panes_[pane]->text());
}

int StatusBar::Height() const {
  return bar_->isVisible() ? bar_->height() : bar_->sizeHint().height();
}

}  // namespace vostrel::gui
