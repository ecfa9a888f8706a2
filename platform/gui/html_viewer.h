#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/gui/control.h"

namespace vostrel::gui {

class HtmlBrowser;

// Shows a local HTML page. No script ever runs and nothing is fetched from the
// network: images come from on_resource or from files beside the page, and a
// click on a link is reported, not followed.
class HtmlViewer : public Control {
 public:
  HtmlViewer(QWidget* parent, std::string name);

  // Reads and shows the page in the file (its charset from its meta tag, else UTF-8).
  // Returns false when the file cannot be read; the viewer is then blank.
  bool Navigate(const std::string& path);
  const std::string& CurrentFile() const { return current_file_; }
  std::string PlainText() const;

  // Asked for each image the page names, with the name as written ("cid:..." or a
  // file name); nullopt means "not mine", and a local file beside the page is tried.
  std::function<std::optional<std::string>(const std::string& url)> on_resource;
  std::function<void(const std::string& url)> on_link_clicked;

 private:
  HtmlViewer(HtmlBrowser* browser, std::string name);

  HtmlBrowser* browser_;
  std::string current_file_;
};

}  // namespace vostrel::gui
