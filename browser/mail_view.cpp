#include "browser/mail_view.h"

#include "core/program.h"
#include "core/store_schemas.h"
#include "platform/os/files.h"
#include "platform/text/encoding.h"

namespace vostrel::browser {
namespace {

// The store holds HTML as UTF-8; the scratch page is written as GB18030 and
// says so first, ahead of any charset the mail's own HTML still names.
constexpr const char* kScratchPageCharset = "<meta charset=\"gb18030\">";

void ListAttachmentNames(core::Program& program, const std::string& mail_id) {
  auto& stores = program.stores;
  gui::ListView& list = *program.main_window.attachment_list;
  list.Clear();
  stores.SelectStore(core::kAttachmentAlias);
  stores.GoToFirstRecord();
  while (stores.FindText(core::kAttachmentMailId, mail_id)) {
    list.SetCell(list.AddRow(), 0, stores.ReadText(core::kAttachmentFileName));
    stores.SkipRecord();
  }
}

void CollectInlineImages(core::Program& program, const std::string& mail_id) {
  auto& stores = program.stores;
  auto& images = program.state.shown_inline_images;
  images.clear();
  stores.SelectStore(core::kAttachmentAlias);
  stores.GoToFirstRecord();
  while (stores.FindText(core::kAttachmentMailId, mail_id)) {
    if (stores.ReadNumber(core::kAttachmentInline) != 0)
      images.emplace(stores.ReadText(core::kAttachmentFileName), stores.ReadBytes(core::kAttachmentData));
    stores.SkipRecord();
  }
  stores.SelectStore(core::kMailAlias);
}

void ShowHtml(core::Program& program, bool has_attachments, const std::string& mail_id) {
  core::MainWindow& w = program.main_window;
  w.mail_text_box->Hide();
  w.mail_html_viewer->Show();
  const std::string html = program.stores.ReadText(core::kHtmlText);
  if (has_attachments)
    CollectInlineImages(program, mail_id);
  else
    program.state.shown_inline_images.clear();
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
  const bool has_attachments = !w.mail_list->CellText(row, 5).empty();
  if (has_attachments) ListAttachmentNames(program, mail_id);
  stores.SelectStore(core::kMailAlias);
  const std::string text = stores.ReadText(core::kPlainText);
  if (text.empty())
    ShowHtml(program, has_attachments, mail_id);
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
