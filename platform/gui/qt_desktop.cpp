#include "platform/gui/qt_desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "platform/gui/detail/qt_text.h"

namespace vostrel::gui {
namespace {

using detail::FromQt;
using detail::ToQt;

QMessageBox::StandardButtons ButtonsFor(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return QMessageBox::Ok;
    case MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    case MessageButtons::AbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
  }
  return QMessageBox::Ok;
}

QMessageBox::StandardButton QtButtonFor(MessageBoxResult result) {
  switch (result) {
    case MessageBoxResult::Ok:
      return QMessageBox::Ok;
    case MessageBoxResult::Cancel:
      return QMessageBox::Cancel;
    case MessageBoxResult::Yes:
      return QMessageBox::Yes;
    case MessageBoxResult::No:
      return QMessageBox::No;
    case MessageBoxResult::Retry:
      return QMessageBox::Retry;
    case MessageBoxResult::Abort:
      return QMessageBox::Abort;
    case MessageBoxResult::Ignore:
      return QMessageBox::Ignore;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon IconFor(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      return QMessageBox::NoIcon;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// Closing the box with Escape or its close box answers the way Windows does:
// Cancel where there is one, else No where there is one, else the only button.
MessageBoxResult ResultFor(int button, MessageButtons buttons) {
  for (MessageBoxResult result :
       {MessageBoxResult::Ok, MessageBoxResult::Cancel, MessageBoxResult::Yes, MessageBoxResult::No,
        MessageBoxResult::Retry, MessageBoxResult::Abort, MessageBoxResult::Ignore}) {
    if (button == QtButtonFor(result)) return result;
  }
  if (ButtonsFor(buttons) & QMessageBox::Cancel) return MessageBoxResult::Cancel;
  if (ButtonsFor(buttons) & QMessageBox::No) return MessageBoxResult::No;
  return DefaultAnswer(buttons);
}

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return FromQt(QDir::toNativeSeparators(path));
}

}  // namespace

MessageBoxResult QtDesktop::ShowMessage(const std::string& text, const std::string& caption,
                                        MessageButtons buttons, MessageIcon icon) {
  QMessageBox box(IconFor(icon), ToQt(caption), ToQt(text), ButtonsFor(buttons));
  box.setWindowModality(Qt::ApplicationModal);
  box.setDefaultButton(QtButtonFor(DefaultAnswer(buttons)));
  return ResultFor(box.exec(), buttons);
}

std::optional<std::string> QtDesktop::OpenFileDialog(const std::string& title,
                                                     const std::string& filter) {
  return Chosen(QFileDialog::getOpenFileName(nullptr, ToQt(title), QString(), ToQt(filter)));
}

std::optional<std::string> QtDesktop::SaveFileDialog(const std::string& title,
                                                     const std::string& suggested_name,
                                                     const std::string& filter) {
  return Chosen(
      QFileDialog::getSaveFileName(nullptr, ToQt(title), ToQt(suggested_name), ToQt(filter)));
}

std::optional<std::string> QtDesktop::FolderDialog(const std::string& title) {
  return Chosen(QFileDialog::getExistingDirectory(nullptr, ToQt(title)));
}

bool QtDesktop::OpenWithAssociatedProgram(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQt(path)));
}

bool QtDesktop::StartWebBrowser(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(ToQt(url)));
}

void QtDesktop::SetClipboardText(const std::string& text) {
  QApplication::clipboard()->setText(ToQt(text));
}

std::string QtDesktop::ClipboardText() { return FromQt(QApplication::clipboard()->text()); }

}  // namespace vostrel::gui
