#include "core/store_schemas.h"

namespace vostrel::core {
namespace {

using store::FieldType;
constexpr FieldType kText = FieldType::kText;

}  // namespace

const StoreSchema& MailStoreSchema() {
  static const StoreSchema schema{kMailAlias, "data.edb",
                                  {{kMailId, kText},
                                   {kSenderAddress, kText},
                                   {kSubject, kText},
                                   {kDate, FieldType::kDateTime},
                                   {kPlainText, kText},
                                   {kAttachmentCount, FieldType::kInteger},
                                   {kSenderName, kText},
                                   {kReplyAddress, kText},
                                   {kRawSource, kText},
                                   {kHtmlText, kText},
                                   {kMailSize, FieldType::kInteger},
                                   {kMailStatusField, FieldType::kInteger},
                                   {kToAddresses, kText},
                                   {kCcAddresses, kText},
                                   {kBccAddresses, kText},
                                   {kSendReplyAddress, kText}}};
  return schema;
}

const StoreSchema& SeenStoreSchema() {
  static const StoreSchema schema{kSeenAlias, "xuhao.edb", {{kMailId, kText}}};
  return schema;
}

const StoreSchema& AttachmentStoreSchema() {
  static const StoreSchema schema{kAttachmentAlias, "fujian.edb",
                                  {{kAttachmentMailId, kText},
                                   {kAttachmentSize, FieldType::kInteger},
                                   {kAttachmentType, kText},
                                   {kAttachmentFileName, kText},
                                   {kAttachmentEncoding, kText},
                                   {kAttachmentData, FieldType::kBytes},
                                   {kAttachmentInline, FieldType::kBoolean}}};
  return schema;
}

const StoreSchema& AccountStoreSchema() {
  static const StoreSchema schema{
      kAccountAlias, "id.edb",
      {{kPop3Server, kText}, {kSmtpServer, kText}, {kUserName, kText}, {kPassword, kText}, {kAddress, kText}}};
  return schema;
}

const StoreSchema& FolderStoreSchema() {
  static const StoreSchema schema{kFolderAlias, "box.edb", {{kFolderName, kText}}};
  return schema;
}

const std::vector<const StoreSchema*>& AllStoreSchemas() {
  static const std::vector<const StoreSchema*> all{&MailStoreSchema(), &SeenStoreSchema(), &AttachmentStoreSchema(),
                                                   &AccountStoreSchema(), &FolderStoreSchema()};
  return all;
}

}  // namespace vostrel::core
