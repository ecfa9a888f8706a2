#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/mime/mail_info.h"

namespace vostrel::core {

// Values the windows hand to each other. They live for the whole run, start
// empty and are released by ProgramExitCleanup; nothing of it is saved.
struct ProgramState {
  std::string focused_list_name;  // which list select-all acts on
  std::string current_user_name;
  std::string current_address;
  std::string current_pop3_server;
  std::string current_password;
  int64_t total_mail_size = 0;   // kilobytes once a receive run has asked
  std::vector<int64_t> mail_sizes;  // bytes of message n at n-1, as listed
  mime::MailInfo current_mail;   // the message downloaded last
  std::vector<mime::AttachmentInfo> current_attachments;

  // What a reply is pre-filled from.
  std::string reply_address;
  std::string reply_subject;
  std::string reply_body;

  // Shown by the attachment properties window.
  std::string attachment_name_text;
  std::string attachment_type_text;
  std::string attachment_encoding_text;
  int64_t attachment_size_value = 0;

  // The inline images (file name → bytes) of the mail shown as HTML, read
  // when it is shown so that the viewer never touches the stores itself.
  std::map<std::string, std::string> shown_inline_images;

  // Shown by the raw-message window.
  std::string raw_message_subject;
  std::string raw_message_text;
};

}  // namespace vostrel::core
