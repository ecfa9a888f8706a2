#include "tests/receive/mail_fixtures.h"

namespace vostrel::test {

std::string PlainMail(const std::string& subject, const std::string& body) {
  return "From: \"Zhang San\" <zhang@example.cn>\r\n"
         "To: xm@example.cn\r\n"
         "Subject: " + subject + "\r\n"
         "Date: Sat, 24 Aug 2013 10:05:00 +0800\r\n"
         "MIME-Version: 1.0\r\n"
         "Content-Type: text/plain; charset=utf-8\r\n"
         "Content-Transfer-Encoding: 8bit\r\n"
         "\r\n" + body + "\r\n";
}

std::string MailWithTwoAttachments() {
  // Subject "报告" and body "请查收" in GBK, base64 encoded.
  return "From: =?gbk?B?wO7LxA==?= <li@example.cn>\r\n"
         "Reply-To: reply@example.cn\r\n"
         "Subject: =?gbk?B?sai45g==?=\r\n"
         "Date: Mon, 2 Jan 2014 08:00:00 +0800\r\n"
         "MIME-Version: 1.0\r\n"
         "Content-Type: multipart/mixed; boundary=\"b1\"\r\n"
         "\r\n"
         "--b1\r\n"
         "Content-Type: text/plain; charset=gbk\r\n"
         "Content-Transfer-Encoding: base64\r\n"
         "\r\n"
         "x+uy6crV\r\n"
         "--b1\r\n"
         "Content-Type: text/plain; name=\"notes.txt\"\r\n"
         "Content-Disposition: attachment; filename=\"notes.txt\"\r\n"
         "Content-Transfer-Encoding: base64\r\n"
         "\r\n"
         "aGVsbG8gd29ybGQ=\r\n"
         "--b1\r\n"
         "Content-Type: application/octet-stream; name=\"data.bin\"\r\n"
         "Content-Disposition: attachment; filename=\"data.bin\"\r\n"
         "Content-Transfer-Encoding: base64\r\n"
         "\r\n"
         "AAECAwQF/w==\r\n"
         "--b1--\r\n";
}

std::string HtmlMailWithInlineImage() {
  return "From: web@example.cn\r\n"
         "Subject: picture\r\n"
         "Date: 5 Mar 21 09:30:15 +0000\r\n"
         "MIME-Version: 1.0\r\n"
         "Content-Type: multipart/related; boundary=\"r1\"\r\n"
         "\r\n"
         "--r1\r\n"
         "Content-Type: text/html; charset=utf-8\r\n"
         "\r\n"
         "<html><body><p>看图</p><img src=\"cid:pic1@example\"></body></html>\r\n"
         "--r1\r\n"
         "Content-Type: image/png; name=\"pic.png\"\r\n"
         "Content-ID: <pic1@example>\r\n"
         "Content-Transfer-Encoding: base64\r\n"
         "\r\n"
         "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg==\r\n"
         "--r1--\r\n";
}

}  // namespace vostrel::test

namespace vostrel::test {
namespace {

std::string Base64Lines(const std::string& bytes) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kAlphabet[v & 63] : '=';
    if ((i / 3 + 1) % 19 == 0) out += "\r\n";
  }
  return out + "\r\n";
}

std::string BodyText(int index, size_t bytes) {
  std::string body;
  for (int line = 0; body.size() < bytes; ++line)
    body += "第" + std::to_string(index) + "封邮件，第" + std::to_string(line) + "行：这是生成的正文。\r\n";
  return body;
}

// Base64 of a short text on one line, for an encoded word.
std::string EncodedWord(const std::string& text) {
  std::string encoded = Base64Lines(text);
  return encoded.substr(0, encoded.find("\r\n"));
}

}  // namespace

std::string GeneratedMail(int index, bool with_attachments, size_t body_bytes) {
  std::string head = "From: \"发件人" + std::to_string(index) + "\" <sender" + std::to_string(index) +
                     "@example.cn>\r\n"
                     "To: xm@example.cn\r\n"
                     "Subject: =?utf-8?B?" + EncodedWord("邮件" + std::to_string(index)) + "?=\r\n"
                     "Date: Tue, 3 Mar 2020 12:00:" + std::to_string(10 + index % 50) + " +0800\r\n"
                     "Message-ID: <gen" + std::to_string(index) + "@example.cn>\r\n"
                     "MIME-Version: 1.0\r\n";
  const std::string body = BodyText(index, body_bytes);
  if (!with_attachments)
    return head + "Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: 8bit\r\n\r\n" + body;
  std::string data(body_bytes / 2, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i * 31 + index) & 0xff);
  return head + "Content-Type: multipart/mixed; boundary=\"gen-b\"\r\n\r\n"
                "--gen-b\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: 8bit\r\n\r\n" +
         body +
         "--gen-b\r\nContent-Type: application/octet-stream; name=\"data" + std::to_string(index) +
         ".bin\"\r\nContent-Disposition: attachment; filename=\"data" + std::to_string(index) +
         ".bin\"\r\nContent-Transfer-Encoding: base64\r\n\r\n" + Base64Lines(data) +
         "--gen-b\r\nContent-Type: text/plain; charset=utf-8; name=\"说明.txt\"\r\n"
         "Content-Disposition: attachment; filename=\"=?utf-8?B?6K+05piOLnR4dA==?=\"\r\n"
         "Content-Transfer-Encoding: base64\r\n\r\n" +
         Base64Lines("附件说明 " + std::to_string(index)) + "--gen-b--\r\n";
}

}  // namespace vostrel::test
