#pragma once

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace vostrel::gui {

// A child control at a pixel position relative to its parent's client area.
// Sizes below zero are clamped to zero and kept clamped.
class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  void MoveHorizontally(int left, int width);
  void MoveVertically(int top, int height);
  void Move(int left, int top, int width, int height);

  bool Visible() const;
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  void SetFocus();
  bool HasFocus() const;

  std::function<void()> on_got_focus;
  std::function<void()> on_lost_focus;
  std::function<void()> on_mouse_down;  // left button pressed
  std::function<void()> on_click;       // left button released over the control
  std::function<void()> on_right_click;
  std::function<void()> on_double_click;

  // The Qt widget behind the control; for platform code only.
  QWidget* Widget() const { return widget_; }

 protected:
  // The widget is owned through its Qt parent. Mouse events are watched on
  // mouse_target (the viewport of a scrolling widget), focus on the widget.
  // Controls that click through a Qt signal pass watch_mouse false.
  Control(std::string name, QWidget* widget, QWidget* mouse_target = nullptr,
          bool watch_mouse = true);

 private:
  void ApplyGeometry();
  void WatchEvents(QWidget* mouse_target);  // nullptr: focus only

  std::string name_;
  QWidget* widget_;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace vostrel::gui
