#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/gui/control.h"

class QToolBar;

namespace vostrel::gui {

// A row of buttons, each an image above a caption. Buttons are never disabled.
// The bar's height follows its buttons, as a self-sizing bar does.
class ToolBar : public Control {
 public:
  ToolBar(QWidget* parent, std::string name);

  // images: the bytes of PNG files, indexed from 0.
  void SetImages(std::vector<std::string> images);
  // Returns the button's index, counting from 0 in the order added.
  int AddButton(const std::string& caption, int image_index);
  int ButtonCount() const { return button_count_; }

  std::function<void(int)> on_button_click;

 private:
  QToolBar* bar_;
  std::vector<std::string> images_;
  int button_count_ = 0;
};

}  // namespace vostrel::gui
