#pragma once

#include <string>

namespace vostrel::test {

// Small received messages as a server sends them (CRLF line ends).
std::string PlainMail(const std::string& subject, const std::string& body);
// GBK subject and body, and two attachments: a text file and a binary one.
std::string MailWithTwoAttachments();
// multipart/related: HTML naming an inline image by its Content-ID.
std::string HtmlMailWithInlineImage();

}  // namespace vostrel::test

namespace vostrel::test {

// Message `index` of a generated mailbox: a Chinese subject naming the index,
// a plain body of about `body_bytes`, and with_attachments two base64 parts.
std::string GeneratedMail(int index, bool with_attachments, size_t body_bytes);

}  // namespace vostrel::test
