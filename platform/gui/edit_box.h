#pragma once

#include <functional>
#include <string>

#include "platform/gui/control.h"

class QLineEdit;
class QPlainTextEdit;

namespace vostrel::gui {

struct EditBoxStyle {
  bool multi_line = false;
  bool read_only = false;
  bool password = false;  // single-line boxes only
};

// A text box. Multi-line text uses "\n" between lines; "\r\n" given to SetText
// is read as one line break.
class EditBox : public Control {
 public:
  EditBox(QWidget* parent, std::string name, EditBoxStyle style = {});

  std::string Text() const;
  void SetText(const std::string& text);
  std::string SelectedText() const;
  // Selects length characters from start (counted in characters of the text).
  void Select(int start, int length);
  bool IsReadOnly() const;
  void SetReadOnly(bool read_only);

  std::function<void()> on_changed;  // after each change of the text

 private:
  struct Editor {
    QWidget* widget;
  };
  EditBox(Editor editor, std::string name, const EditBoxStyle& style);

  QLineEdit* line_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
};

}  // namespace vostrel::gui
