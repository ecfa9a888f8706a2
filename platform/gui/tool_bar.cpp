#include "platform/gui/tool_bar.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {

ToolBar::ToolBar(QWidget* parent, std::string name)
    : Control(std::move(name), new QToolBar(parent)), bar_(static_cast<QToolBar*>(Widget())) {
  bar_->setMovable(false);
  bar_->setFloatable(false);
  bar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar_->setIconSize(QSize(16, 16));
}

void ToolBar::SetImages(std::vector<std::string> images) { images_ = std::move(images); }

int ToolBar::AddButton(const std::string& caption, int image_index) {
  QIcon icon;
  if (image_index >= 0 && image_index < static_cast<int>(images_.size())) {
    icon = QIcon(detail::PixmapFromBytes(images_[image_index]));
  }
  const int index = button_count_++;
  QAction* action = bar_->addAction(icon, detail::ToQt(caption));
  action->setObjectName(QStringLiteral("button%1").arg(index));
  QObject::connect(action, &QAction::triggered, [this, index] {
    if (on_button_click) on_button_click(index);
  });
  SetHeight(bar_->sizeHint().height());
  return index;
}

}  // namespace vostrel::gui
