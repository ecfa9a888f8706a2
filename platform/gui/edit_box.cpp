#include "platform/gui/edit_box.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {
namespace {

QWidget* NewEditor(QWidget* parent, const EditBoxStyle& style) {
  if (style.multi_line) return new QPlainTextEdit(parent);
  return new QLineEdit(parent);
}

QWidget* MouseTarget(QWidget* editor) {
  auto* text = qobject_cast<QPlainTextEdit*>(editor);
  return text != nullptr ? text->viewport() : editor;
}

}  // namespace

EditBox::EditBox(QWidget* parent, std::string name, EditBoxStyle style)
    : EditBox(Editor{NewEditor(parent, style)}, std::move(name), style) {}

EditBox::EditBox(Editor editor, std::string name, const EditBoxStyle& style)
    : Control(std::move(name), editor.widget, MouseTarget(editor.widget)) {
  line_ = qobject_cast<QLineEdit*>(Widget());
  text_ = qobject_cast<QPlainTextEdit*>(Widget());
  if (text_ != nullptr) {
    QObject::connect(text_, &QPlainTextEdit::textChanged, [this] {
      if (on_changed) on_changed();
    });
  } else {
    if (style.password) line_->setEchoMode(QLineEdit::Password);
    QObject::connect(line_, &QLineEdit::textChanged, [this] {
      if (on_changed) on_changed();
    });
  }
  SetReadOnly(style.read_only);
}

std::string EditBox::Text() const {
  return detail::FromQt(text_ != nullptr ? text_->toPlainText() : line_->text());
}

void EditBox::SetText(const std::string& text) {
  QString value = detail::ToQt(text);
  value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (text_ != nullptr) {
    text_->setPlainText(value);
  } else {
    line_->setText(value);
  }
}

std::string EditBox::SelectedText() const {
  if (text_ == nullptr) return detail::FromQt(line_->selectedText());
  QString selected = text_->textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return detail::FromQt(selected);
}

void EditBox::Select(int start, int length) {
  if (text_ == nullptr) {
    line_->setSelection(start, length);
    return;
  }
  QTextCursor cursor = text_->textCursor();
  const int end = static_cast<int>(text_->document()->characterCount()) - 1;
  cursor.setPosition(std::clamp(start, 0, end));
  cursor.setPosition(std::clamp(start + length, 0, end), QTextCursor::KeepAnchor);
  text_->setTextCursor(cursor);
}

bool EditBox::IsReadOnly() const {
  return text_ != nullptr ? text_->isReadOnly() : line_->isReadOnly();
}

void EditBox::SetReadOnly(bool read_only) {
  if (text_ != nullptr) {
    text_->setReadOnly(read_only);
  } else {
    line_->setReadOnly(read_only);
  }
}

}  // namespace vostrel::gui
