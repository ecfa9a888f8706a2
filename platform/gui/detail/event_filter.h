#pragma once

// Internal to platform/gui: watches another object's events through a function.
#include <QEvent>
#include <QObject>
#include <functional>

namespace vostrel::gui::detail {

class EventFilter : public QObject {
 public:
  // The function returns true to swallow the event.
  using Handler = std::function<bool(QObject*, QEvent*)>;

  EventFilter(QObject* parent, Handler handler) : QObject(parent), handler_(std::move(handler)) {}

  void Watch(QObject* target) { target->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

 private:
  Handler handler_;
};

}  // namespace vostrel::gui::detail
