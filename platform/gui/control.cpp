#include "platform/gui/control.h"

#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "platform/gui/detail/event_filter.h"

namespace vostrel::gui {
namespace {

void Fire(const std::function<void()>& handler) {
  if (handler) handler();
}

}  // namespace

Control::Control(std::string name, QWidget* widget, QWidget* mouse_target, bool watch_mouse)
    : name_(std::move(name)), widget_(widget) {
  widget_->setObjectName(QString::fromStdString(name_));
  const QRect geometry = widget_->geometry();
  left_ = geometry.left();
  top_ = geometry.top();
  width_ = geometry.width();
  height_ = geometry.height();
  if (!watch_mouse) {
    WatchEvents(nullptr);
  } else {
    WatchEvents(mouse_target != nullptr ? mouse_target : widget_);
  }
  widget_->show();
}

Control::~Control() { delete widget_; }

void Control::WatchEvents(QWidget* mouse_target) {
  // The release that ends a double click is not a click of its own.
  auto* filter = new detail::EventFilter(
      widget_, [this, mouse_target, after_double = false](QObject* watched, QEvent* event) mutable {
        switch (event->type()) {
          case QEvent::FocusIn:
            if (watched == widget_) Fire(on_got_focus);
            break;
          case QEvent::FocusOut:
            if (watched == widget_) Fire(on_lost_focus);
            break;
          case QEvent::MouseButtonPress:
            if (watched == mouse_target &&
                static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
              Fire(on_mouse_down);
            }
            break;
          case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse_target == nullptr || watched != mouse_target) break;
            const bool ends_double = std::exchange(after_double, false);
            if (!mouse_target->rect().contains(mouse->position().toPoint())) break;
            if (mouse->button() == Qt::LeftButton && !ends_double) Fire(on_click);
            if (mouse->button() == Qt::RightButton) Fire(on_right_click);
            break;
          }
          case QEvent::MouseButtonDblClick:
            if (watched == mouse_target &&
                static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
              after_double = true;
              Fire(on_double_click);
            }
            break;
          default:
            break;
        }
        return false;
      });
  filter->Watch(widget_);
  if (mouse_target != nullptr && mouse_target != widget_) filter->Watch(mouse_target);
}

void Control::ApplyGeometry() { widget_->setGeometry(left_, top_, width_, height_); }

void Control::SetLeft(int left) {
  left_ = left;
  ApplyGeometry();
}

void Control::SetTop(int top) {
  top_ = top;
  ApplyGeometry();
}

void Control::SetWidth(int width) {
  width_ = std::max(0, width);
  ApplyGeometry();
}

void Control::SetHeight(int height) {
  height_ = std::max(0, height);
  ApplyGeometry();
}

void Control::MoveHorizontally(int left, int width) {
  left_ = left;
  width_ = std::max(0, width);
  ApplyGeometry();
}

void Control::MoveVertically(int top, int height) {
  top_ = top;
  height_ = std::max(0, height);
  ApplyGeometry();
}

void Control::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  ApplyGeometry();
}

bool Control::Visible() const { return !widget_->isHidden(); }

void Control::SetVisible(bool visible) { widget_->setVisible(visible); }

void Control::SetFocus() { widget_->setFocus(Qt::OtherFocusReason); }

bool Control::HasFocus() const { return widget_->hasFocus(); }

}  // namespace vostrel::gui
