#include "browser/mail_view.h"

#include <cstdint>
#include <vector>

#include "core/program.h"
#include "core/store_schemas.h"
#include "platform/os/files.h"
#include "platform/text/encoding.h"

namespace vostrel::browser {
namespace {

// The store holds HTML as UTF-8; the scratch page is written as GB18030 and
// says so first, ahead of any charset the mail's own HTML still names.
constexpr const char* kScratchPageCharset = "<meta charset=\"gb18030\">";

// Lists the names of the mail's attachments in store order and gives the
// positions of its inline parts, which an HTML body may show.
std::vector<int64_t> ListAttachmentNames(core::Program& program, const std::string& mail_id) {
  auto& stores = program.stores;
  gui::ListView& list = *program.main_window.attachment_list;
  std::vector<int64_t> inline_parts;
  list.Clear();
  stores.SelectStore(core::kAttachmentAlias);
  stores.GoToFirstRecord();
  while (stores.FindText(core::kAttachmentMailId, mail_id)) {
    list.SetCell(list.AddRow(), 0, stores.ReadText(core::kAttachmentFileName));
    if (stores.ReadNumber(core::kAttachmentInline) != 0) inline_parts.push_back(stores.CurrentRecord());
    stores.SkipRecord();
  }
  return inline_parts;
}

// Reads the inline parts' bytes for the viewer, leaving the mail store current.
void CollectInlineImages(core::Program& program, const std::vector<int64_t>& inline_parts) {
  auto& stores = program.stores;
  auto& images = program.state.shown_inline_images;
  images.clear();
  if (inline_parts.empty()) return;
  stores.SelectStore(core::kAttachmentAlias);
  const int64_t kept = stores.CurrentRecord();
  for (int64_t position : inline_parts) {
    stores.GoToRecord(position);
    images.emplace(stores.ReadText(core::kAttachmentFileName), stores.ReadBytes(core::kAttachmentData));
  }
  stores.GoToRecord(kept);
  stores.SelectStore(core::kMailAlias);
}

void ShowHtml(core::Program& program, const std::vector<int64_t>& inline_parts) {
  core::MainWindow& w = program.main_window;
  w.mail_text_box->Hide();
  w.mail_html_viewer->Show();
  const std::string html = program.stores.ReadText(core::kHtmlText);
  CollectInlineImages(program, inline_parts);
  const std::string page = program.PathOf(core::kScratchPageName);
  os::WriteWholeFile(page, kScratchPageCharset + text::Utf8ToGbk(html));
  w.mail_html_viewer->Navigate(page);
}

void ShowText(core::Program& program, const std::string& text) {
  core::MainWindow& w = program.main_window;
  w.mail_text_box->SetText(text);
  w.mail_html_viewer->Hide();
  w.mail_text_box->Show();
}

}  // namespace

void ShowSelectedMail(core::Program& program) {
  core::MainWindow& w = program.main_window;
  auto& stores = program.stores;
  w.attachment_list->Clear();
  stores.SelectStore(core::kMailAlias);
  stores.GoToFirstRecord();
  const int row = w.mail_list->CurrentRow();
  if (row < 0) return;
  const std::string mail_id = w.mail_list->CellText(row, 0);
  if (!stores.FindText(core::kMailId, mail_id)) return;
  w.subject_label->SetCaption(stores.ReadText(core::kSubject));
  std::vector<int64_t> inline_parts;
  if (!w.mail_list->CellText(row, 5).empty()) inline_parts = ListAttachmentNames(program, mail_id);
  stores.SelectStore(core::kMailAlias);
  const std::string text = stores.ReadText(core::kPlainText);
  if (text.empty())
    ShowHtml(program, inline_parts);
  else
    ShowText(program, text);
}

std::optional<std::string> InlineImageOfShownMail(core::Program& program, const std::string& url) {
  const auto& images = program.state.shown_inline_images;
  const auto found = images.find(url.rfind("cid:", 0) == 0 ? url.substr(4) : url);
  if (found == images.end()) return std::string();  // known to nobody: an empty image, never a fetch
  return found->second;
}

}  // namespace vostrel::browser
