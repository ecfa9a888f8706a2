#include "platform/gui/splitter_bar.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <algorithm>

namespace vostrel::gui {

class SplitterWidget : public QFrame {
 public:
  SplitterWidget(QWidget* parent, SplitterOrientation orientation)
      : QFrame(parent), vertical_(orientation == SplitterOrientation::kVertical) {
    setCursor(vertical_ ? Qt::SplitHCursor : Qt::SplitVCursor);
    setFocusPolicy(Qt::NoFocus);
  }

  std::function<void(int, int)> report;
  bool Dragging() const { return dragging_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    press_ = Along(event->globalPosition().toPoint());
    start_ = Position();
    place_ = start_;
    ShowOutline();
    // Escape cancels wherever the keyboard focus is, so watch every key while dragging.
    qApp->installEventFilter(this);
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    if (!dragging_) return;
    place_ = Clamp(start_ + Along(event->globalPosition().toPoint()) - press_);
    ShowOutline();
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    place_ = Clamp(start_ + Along(event->globalPosition().toPoint()) - press_);
    EndDrag();
    if (place_ != start_ && report) report(start_, place_);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (dragging_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      EndDrag();
      return true;
    }
    return QFrame::eventFilter(watched, event);
  }

 private:
  int Along(QPoint point) const { return vertical_ ? point.x() : point.y(); }
  int Position() const { return vertical_ ? x() : y(); }

  int Clamp(int place) const {
    const QWidget* area = parentWidget();
    const int room = vertical_ ? area->width() - width() : area->height() - height();
    return std::clamp(place, 0, std::max(0, room));
  }

  void ShowOutline() {
    // The outline belongs to the parent, which paints it over the other controls.
    if (outline_ == nullptr) outline_ = new QRubberBand(QRubberBand::Line, parentWidget());
    QRect rect = geometry();
    if (vertical_) {
      rect.moveLeft(place_);
    } else {
      rect.moveTop(place_);
    }
    outline_->setGeometry(rect);
    outline_->show();
  }

  void EndDrag() {
    dragging_ = false;
    qApp->removeEventFilter(this);
    if (outline_ != nullptr) outline_->hide();
  }

  bool vertical_;
  bool dragging_ = false;
  int press_ = 0;
  int start_ = 0;
  int place_ = 0;
  QRubberBand* outline_ = nullptr;
};

SplitterBar::SplitterBar(QWidget* parent, std::string name, SplitterOrientation orientation)
    : SplitterBar(new SplitterWidget(parent, orientation), std::move(name), orientation) {}

SplitterBar::SplitterBar(SplitterWidget* widget, std::string name, SplitterOrientation orientation)
    : Control(std::move(name), widget), orientation_(orientation), bar_(widget) {
  bar_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bar_->report = [this](int old_position, int new_position) {
    if (on_drag) on_drag(old_position, new_position);
  };
}

bool SplitterBar::IsDragging() const { return bar_->Dragging(); }

}  // namespace vostrel::gui
