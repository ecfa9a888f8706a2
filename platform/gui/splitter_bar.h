#pragma once

#include <functional>
#include <string>

#include "platform/gui/control.h"

namespace vostrel::gui {

class SplitterWidget;

enum class SplitterOrientation {
  kVertical,    // a tall bar dragged left and right; its position is its left edge
  kHorizontal,  // a wide bar dragged up and down; its position is its top edge
};

// A bar the user drags with the left button while an outline shows the new place.
// The place stays inside the parent's client area; Escape cancels the drag. The
// bar does not move itself: on_drag(old, new) reports a finished drag that ended
// at a different place, and the handler moves the bar.
class SplitterBar : public Control {
 public:
  SplitterBar(QWidget* parent, std::string name, SplitterOrientation orientation);

  SplitterOrientation Orientation() const { return orientation_; }
  bool IsDragging() const;

  std::function<void(int old_position, int new_position)> on_drag;

 private:
  SplitterBar(SplitterWidget* widget, std::string name, SplitterOrientation orientation);

  SplitterOrientation orientation_;
  SplitterWidget* bar_;
};

}  // namespace vostrel::gui
