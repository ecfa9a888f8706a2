#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/datetime/date_time.h"

namespace vostrel::mime {

// One attachment part of a received message; texts are UTF-8.
struct AttachmentInfo {
  int64_t size = 0;         // bytes of `data`
  std::string type;         // Content-Type up to ";"
  std::string file_name;    // filename= (name= when the part has none)
  std::string encoding;     // Content-Transfer-Encoding as written
  std::string part_name;    // name= (filename= when the part has none)
  std::string data;         // the decoded content
  bool is_inline = false;   // an embedded resource of a multipart/related body
};

// A received message parsed into the values the program keeps; texts are UTF-8.
struct MailInfo {
  std::string sender_address;
  std::string subject;
  DateTime date;  // as written in the Date header, zone not applied; zero when unusable
  std::string plain_text;
  int attachment_count = 0;
  std::string sender_name;
  std::string reply_address;  // empty unless it holds an at sign
  std::string raw_source;     // the message bytes unchanged
  std::string html_text;      // cid: references replaced by the attachments' names
  std::vector<AttachmentInfo> attachments;
};

}  // namespace vostrel::mime
