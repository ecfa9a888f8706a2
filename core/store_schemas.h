#pragma once

#include <string>
#include <vector>

#include "platform/store/field.h"

namespace vostrel::core {

// One of the five store files beside the program: its alias, its file and its fields.
struct StoreSchema {
  std::string alias;
  std::string file_name;
  std::vector<store::FieldDef> fields;
};

const StoreSchema& MailStoreSchema();        // "mail", "data.edb"
const StoreSchema& SeenStoreSchema();        // "xuhao", "xuhao.edb"
const StoreSchema& AttachmentStoreSchema();  // "fujian", "fujian.edb"
const StoreSchema& AccountStoreSchema();     // "id", "id.edb"
const StoreSchema& FolderStoreSchema();      // "box", "box.edb"
const std::vector<const StoreSchema*>& AllStoreSchemas();

inline constexpr const char* kMailAlias = "mail";
inline constexpr const char* kSeenAlias = "xuhao";
inline constexpr const char* kAttachmentAlias = "fujian";
inline constexpr const char* kAccountAlias = "id";
inline constexpr const char* kFolderAlias = "box";

// Mail fields.
inline constexpr const char* kMailId = "邮件序号";
inline constexpr const char* kSenderAddress = "发件人地址";
inline constexpr const char* kSubject = "主题";
inline constexpr const char* kDate = "日期";
inline constexpr const char* kPlainText = "文本内容";
inline constexpr const char* kAttachmentCount = "附件个数";
inline constexpr const char* kSenderName = "发件人名称";
inline constexpr const char* kReplyAddress = "回信地址";
inline constexpr const char* kRawSource = "原始信息";
inline constexpr const char* kHtmlText = "超文本内容";
inline constexpr const char* kMailSize = "邮件大小";
inline constexpr const char* kMailStatusField = "邮件状态";
inline constexpr const char* kToAddresses = "收信人邮件地址";
inline constexpr const char* kCcAddresses = "抄送邮件地址";
inline constexpr const char* kBccAddresses = "暗送邮件地址";
inline constexpr const char* kSendReplyAddress = "回复邮件地址";

// Attachment fields.
inline constexpr const char* kAttachmentMailId = "序号";
inline constexpr const char* kAttachmentSize = "附件大小";
inline constexpr const char* kAttachmentType = "附件类型";
inline constexpr const char* kAttachmentFileName = "附件文件名";
inline constexpr const char* kAttachmentEncoding = "附件编码方式";
inline constexpr const char* kAttachmentData = "附件数据";
inline constexpr const char* kAttachmentInline = "是否内嵌";

// Account fields; the first is spelt 接受 in the store, unlike the window's labels.
inline constexpr const char* kPop3Server = "接受服务器";
inline constexpr const char* kSmtpServer = "发送服务器";
inline constexpr const char* kUserName = "用户名";
inline constexpr const char* kPassword = "密码";
inline constexpr const char* kAddress = "地址";

inline constexpr const char* kFolderName = "文件夹名称";

// The folder a mail is shown in; equals the folder's index in the tree.
inline constexpr int kReceivedStatus = 1;
inline constexpr int kQueuedStatus = 2;
inline constexpr int kDeletedFolderStatus = 3;
inline constexpr int kSentStatus = 4;
inline constexpr double kMailStatusTolerance = 1e-7;

inline bool SameStatus(double a, double b) {
  const double d = a - b;
  return d <= kMailStatusTolerance && -d <= kMailStatusTolerance;
}

}  // namespace vostrel::core
