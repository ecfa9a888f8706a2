#include "receive/store_message.h"

#include <algorithm>
#include <limits>

#include "core/program.h"
#include "core/store_schemas.h"

namespace vostrel::receive {
namespace {

int32_t Clamped(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, 0, std::numeric_limits<int32_t>::max()));
}

// Records of `id` left by a run that ended before the seen record was written.
bool RemovePartialRecords(core::StoreSet& stores, const char* alias, const char* field, const std::string& id) {
  stores.SelectStore(alias);
  stores.GoToFirstRecord();
  if (!stores.FindText(field, id)) return true;
  return stores.DeleteMatching([&stores, field, &id] { return stores.ReadText(field) == id; }) &&
         stores.PurgeDeleted();
}

bool AddAttachments(core::Program& program, const std::string& id) {
  auto& stores = program.stores;
  stores.SelectStore(core::kAttachmentAlias);
  if (!stores.BeginWrites(core::kAttachmentAlias)) return false;
  for (const mime::AttachmentInfo& a : program.state.current_attachments) {
    if (!stores.AddRecord({id, Clamped(a.size), a.type, a.is_inline ? a.part_name : a.file_name, a.encoding,
                           store::Bytes{a.data}, a.is_inline})) {
      stores.CancelWrites(core::kAttachmentAlias);
      return false;
    }
  }
  return stores.CommitWrites(core::kAttachmentAlias);
}

bool AddMail(core::Program& program, const std::string& id, int64_t listed_size) {
  const mime::MailInfo& m = program.state.current_mail;
  auto& stores = program.stores;
  stores.SelectStore(core::kMailAlias);
  stores.GoToFirstRecord();
  return stores.AddRecord({id, m.sender_address, m.subject, m.date, m.plain_text, Clamped(m.attachment_count),
                           m.sender_name, m.reply_address, m.raw_source, m.html_text, Clamped(listed_size),
                           int32_t{core::kReceivedStatus}});
}

}  // namespace

bool WasFetchedBefore(core::Program& program, const std::string& id) {
  auto& stores = program.stores;
  stores.SelectStore(core::kSeenAlias);
  stores.GoToFirstRecord();
  return stores.FindText(core::kMailId, id);
}

bool StoreReceivedMessage(core::Program& program, const std::string& id, int64_t listed_size) {
  auto& stores = program.stores;
  program.state.current_attachments = program.state.current_mail.attachments;
  if (!RemovePartialRecords(stores, core::kAttachmentAlias, core::kAttachmentMailId, id) ||
      !RemovePartialRecords(stores, core::kMailAlias, core::kMailId, id) || !AddAttachments(program, id) ||
      !AddMail(program, id, listed_size))
    return false;
  const int64_t mail_record = stores.CurrentRecord();
  stores.SelectStore(core::kSeenAlias);
  const bool seen = stores.AddRecord({id});
  stores.SelectStore(core::kMailAlias);
  stores.GoToRecord(mail_record);
  return seen;
}

}  // namespace vostrel::receive
