#include "platform/mime/parse_mail.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "platform/mime/mail_date.h"

namespace vostrel::mime {
namespace {

const std::string kZhongWen = "\xE4\xB8\xAD\xE6\x96\x87";       // 中文
const std::string kKunZhong = "\xE5\xA0\x83\xE4\xB8\xAD";       // 堃中: 堃 is GBK, not GB2312
const std::string kNiHaoShiJie =
    "\xE4\xBD\xA0\xE5\xA5\xBD\xEF\xBC\x8C\xE4\xB8\x96\xE7\x95\x8C";  // 你好，世界

DateTime At(int64_t year, int month, int day, int hour, int minute, int second) {
  return ToDateTime(CivilTime{year, month, day, hour, minute, second});
}

struct Case {
  const char* name;
  std::string raw;
  std::function<void(const MailInfo&)> check;
};

const std::string kAlternative =
    "From: a@example.com\r\nSubject: alt\r\nMIME-Version: 1.0\r\n"
    "Content-Type: multipart/alternative; boundary=\"b1\"\r\n\r\n"
    "--b1\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n"
    "=E4=BD=A0=E5=A5=BD=\r\n soft break\r\n"
    "--b1\r\nContent-Type: text/html; charset=gbk\r\nContent-Transfer-Encoding: base64\r\n\r\n"
    "xOO6w6OsysC95w==\r\n"
    "--b1--\r\n";

const std::string kMixed =
    "From: a@example.com\r\nSubject: files\r\nMIME-Version: 1.0\r\n"
    "Content-Type: multipart/mixed; boundary=\"m\"\r\n\r\n"
    "--m\r\nContent-Type: multipart/alternative; boundary=\"a\"\r\n\r\n"
    "--a\r\nContent-Type: text/plain; charset=us-ascii\r\n\r\nthe text\r\n"
    "--a\r\nContent-Type: text/html\r\n\r\n<p>the html</p>\r\n--a--\r\n"
    "--m\r\nContent-Type: application/pdf; name=\"report.pdf\"\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "Content-Disposition: attachment; filename=\"report.pdf\"\r\n\r\n"
    "JVBERi0=\r\n"
    "--m\r\nContent-Type: text/plain; charset=gbk\r\nContent-Transfer-Encoding: 7bit\r\n"
    "Content-Disposition: attachment; filename=\"  notes.txt \"\r\n\r\nplain notes\r\n"
    "--m--\r\n";

const std::string kRelated =
    "From: a@example.com\r\nSubject: pic\r\nMIME-Version: 1.0\r\n"
    "Content-Type: multipart/related; boundary=\"r\"; type=\"text/html\"\r\n\r\n"
    "--r\r\nContent-Type: text/html; charset=utf-8\r\n\r\n"
    "<img src=\"cid:logo@x\"><img src='CID:noname@x'><img src=\"cid:unknown@x\">\r\n"
    "--r\r\nContent-Type: image/png; name=\"logo.png\"\r\nContent-Transfer-Encoding: base64\r\n"
    "Content-ID: <logo@x>\r\n\r\niVBORw0KGgpmYWtl\r\n"
    "--r\r\nContent-Type: image/gif\r\nContent-Transfer-Encoding: base64\r\n"
    "Content-ID: <noname@x>\r\n\r\nR0lG\r\n"
    "--r--\r\n";

const std::string kForwarded =
    "From: a@example.com\r\nSubject: fwd\r\nMIME-Version: 1.0\r\n"
    "Content-Type: multipart/mixed; boundary=\"f\"\r\n\r\n"
    "--f\r\nContent-Type: text/plain\r\n\r\nsee below\r\n"
    "--f\r\nContent-Type: message/rfc822\r\n\r\n"
    "From: b@example.com\r\nSubject: inner/one\r\n\r\ninner body\r\n"
    "--f--\r\n";

TEST(ParseMailTest, ReadsEveryValueRule) {
  const std::vector<Case> cases = {
      {"GBK encoded word and GBK body",
       "From: =?gbk?B?1tDOxA==?= <zw@example.com>\r\nSubject: =?GBK?B?1tDOxA==?=\r\n"
       "Content-Type: text/plain; charset=GBK\r\nContent-Transfer-Encoding: base64\r\n\r\n"
       "xOO6w6OsysC95w==\r\n",
       [](const MailInfo& m) {
         EXPECT_EQ(m.subject, kZhongWen);
         EXPECT_EQ(m.sender_name, kZhongWen);
         EXPECT_EQ(m.sender_address, "zw@example.com");
         EXPECT_EQ(m.reply_address, "zw@example.com");
         EXPECT_EQ(m.plain_text, kNiHaoShiJie);
         EXPECT_EQ(m.html_text, "");
         EXPECT_EQ(m.attachment_count, 0);
       }},
      {"gb2312 label on GBK text",
       "From: x@example.com\r\nSubject: =?gb2312?B?iNLW0A==?=\r\n"
       "Content-Type: text/plain; charset=\"gb2312\"\r\n\r\n\x88\xD2\xD6\xD0",
       [](const MailInfo& m) {
         EXPECT_EQ(m.subject, kKunZhong);
         EXPECT_EQ(m.plain_text, kKunZhong);
       }},
      {"UTF-8, Big5 and Q words; subject decoded twice",
       "From: \"=?utf-8?B?5Lit5paH?=\" <u@example.com>\r\n"
       "Subject: =?big5?B?pKSk5Q==?= =?gbk?Q?=D6=D0=CE=C4?= and =?utf-8?Q?PT91dGYtOD9CPzVMaXQ1cGFIPz0=?=\r\n\r\n",
       [](const MailInfo& m) {
         EXPECT_EQ(m.sender_name, kZhongWen);
         EXPECT_EQ(m.sender_address, "u@example.com");
         EXPECT_EQ(m.subject, kZhongWen + kZhongWen + " and " + "PT91dGYtOD9CPzVMaXQ1cGFIPz0=");
       }},
      {"encoded word inside an encoded word",
       "From: a@example.com\r\nSubject: =?utf-8?B?PT91dGYtOD9CPzVMaXQ1cGFIPz0=?=\r\n\r\n",
       [](const MailInfo& m) { EXPECT_EQ(m.subject, kZhongWen); }},
      {"split character across adjacent words",
       "From: a@example.com\r\nSubject: =?UTF-8?B?5Lit5g==?=\r\n =?utf-8?B?loc=?=\r\n\r\n",
       [](const MailInfo& m) { EXPECT_EQ(m.subject, kZhongWen); }},
      {"raw 8-bit GBK header without charset",
       "From: \xD6\xD0\xCE\xC4 <g@example.com>\r\nSubject: \xD6\xD0\xCE\xC4 x\r\n\r\nbody",
       [](const MailInfo& m) {
         EXPECT_EQ(m.subject, kZhongWen + " x");
         EXPECT_EQ(m.sender_name, kZhongWen);
         EXPECT_EQ(m.plain_text, "body");
       }},
      {"single-part HTML",
       "From: a@example.com\r\nSubject: h\r\nContent-Type: TEXT/HTML; charset=utf-8\r\n"
       "Content-Transfer-Encoding: quoted-printable\r\n\r\n<b>=E4=B8=AD=E6=96=87</b>",
       [](const MailInfo& m) {
         EXPECT_EQ(m.html_text, "<b>" + kZhongWen + "</b>");
         EXPECT_EQ(m.plain_text, "");
       }},
      {"multipart/alternative", kAlternative,
       [](const MailInfo& m) {
         EXPECT_EQ(m.plain_text, "\xE4\xBD\xA0\xE5\xA5\xBD soft break");
         EXPECT_EQ(m.html_text, kNiHaoShiJie);
         EXPECT_EQ(m.attachment_count, 0);
       }},
      {"multipart/mixed with two attachments", kMixed,
       [](const MailInfo& m) {
         EXPECT_EQ(m.plain_text, "the text");
         EXPECT_EQ(m.html_text, "<p>the html</p>");
         ASSERT_EQ(m.attachment_count, 2);
         ASSERT_EQ(m.attachments.size(), 2u);
         const AttachmentInfo& pdf = m.attachments[0];
         EXPECT_EQ(pdf.type, "application/pdf");
         EXPECT_EQ(pdf.file_name, "report.pdf");
         EXPECT_EQ(pdf.part_name, "report.pdf");
         EXPECT_EQ(pdf.encoding, "base64");
         EXPECT_EQ(pdf.data, "%PDF-");
         EXPECT_EQ(pdf.size, 5);
         EXPECT_FALSE(pdf.is_inline);
         const AttachmentInfo& notes = m.attachments[1];
         EXPECT_EQ(notes.type, "text/plain");
         EXPECT_EQ(notes.file_name, "notes.txt");
         EXPECT_EQ(notes.encoding, "7bit");
         EXPECT_EQ(notes.data, "plain notes");
       }},
      {"multipart/related with inline images", kRelated,
       [](const MailInfo& m) {
         EXPECT_EQ(m.html_text, "<img src=\"logo.png\"><img src='noname@x'><img src=\"cid:unknown@x\">");
         ASSERT_EQ(m.attachments.size(), 2u);
         EXPECT_TRUE(m.attachments[0].is_inline);
         EXPECT_EQ(m.attachments[0].part_name, "logo.png");
         EXPECT_EQ(m.attachments[0].type, "image/png");
         EXPECT_EQ(m.attachments[0].data, "\x89PNG\r\n\x1a\nfake");
         EXPECT_TRUE(m.attachments[1].is_inline);
         EXPECT_EQ(m.attachments[1].part_name, "");
       }},
      {"forwarded message is an attachment", kForwarded,
       [](const MailInfo& m) {
         EXPECT_EQ(m.plain_text, "see below");
         ASSERT_EQ(m.attachments.size(), 1u);
         EXPECT_EQ(m.attachments[0].type, "message/rfc822");
         EXPECT_EQ(m.attachments[0].file_name, "inner_one.eml");
         EXPECT_NE(m.attachments[0].data.find("inner body"), std::string::npos);
       }},
      {"quoted RFC 2047 and continued RFC 2231 file names",
       "From: a@example.com\r\nContent-Type: multipart/mixed; boundary=z\r\n\r\n"
       "--z\r\nContent-Type: application/msword; name=\"=?GBK?B?1tDOxC5kb2M=?=\"\r\n"
       "Content-Disposition: attachment; filename=\"=?GBK?B?1tDOxC5kb2M=?=\"\r\n\r\nDOC\r\n"
       "--z\r\nContent-Type: application/octet-stream\r\n"
       "Content-Disposition: attachment;\r\n filename*0*=utf-8''%E4%B8%AD;\r\n filename*1*=%E6%96%87.txt\r\n\r\nTXT\r\n"
       "--z--\r\n",
       [](const MailInfo& m) {
         ASSERT_EQ(m.attachments.size(), 2u);
         EXPECT_EQ(m.attachments[0].file_name, kZhongWen + ".doc");
         EXPECT_EQ(m.attachments[0].part_name, kZhongWen + ".doc");
         EXPECT_EQ(m.attachments[1].file_name, kZhongWen + ".txt");
         EXPECT_EQ(m.attachments[1].part_name, kZhongWen + ".txt");
       }},
      {"Reply-To without an at sign",
       "From: Zhang San <zs@example.com>\r\nReply-To: nobody\r\nSubject: r\r\n\r\n",
       [](const MailInfo& m) {
         EXPECT_EQ(m.reply_address, "");
         EXPECT_EQ(m.sender_name, "Zhang San");
         EXPECT_EQ(m.sender_address, "zs@example.com");
       }},
      {"Reply-To with brackets wins over From",
       "From: a@example.com\r\nReply-To: Desk <desk@example.com>\r\n\r\n",
       [](const MailInfo& m) { EXPECT_EQ(m.reply_address, "desk@example.com"); }},
      {"From without a bracket",
       "From: plain@example.com\r\nSubject: p\r\n\r\n",
       [](const MailInfo& m) {
         EXPECT_EQ(m.sender_address, "plain@example.com");
         EXPECT_EQ(m.sender_name, "plain@example.com");
         EXPECT_EQ(m.reply_address, "plain@example.com");
       }},
      {"empty brackets give the text before them",
       "From: lone@example.com <>\r\n\r\n",
       [](const MailInfo& m) { EXPECT_EQ(m.sender_address, "lone@example.com"); }},
      {"date as written, zone not applied",
       "From: a@example.com\r\nDate: Tue, 5 Mar 2024 23:59:07 -0800 (PST)\r\n\r\n",
       [](const MailInfo& m) { EXPECT_EQ(m.date, At(2024, 3, 5, 23, 59, 7)); }},
      {"two-digit years",
       "From: a@example.com\r\nDate: 1 Jan 49 08:30\r\n\r\n",
       [](const MailInfo& m) { EXPECT_EQ(m.date, At(2049, 1, 1, 8, 30, 0)); }},
      {"missing date", "From: a@example.com\r\n\r\nx",
       [](const MailInfo& m) { EXPECT_EQ(m.date, DateTime{}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MailInfo info = ParseMail(c.raw);
    EXPECT_EQ(info.raw_source, c.raw);
    EXPECT_EQ(info.attachment_count, static_cast<int>(info.attachments.size()));
    c.check(info);
  }
}

TEST(ParseMailTest, DateValues) {
  struct DateCase {
    std::string text;
    DateTime expected;
  };
  const std::vector<DateCase> cases = {
      {"Mon, 01 Jan 2024 00:00:00 +0800", At(2024, 1, 1, 0, 0, 0)},
      {"29 Feb 2024 12:00:00 GMT", At(2024, 2, 29, 12, 0, 0)},
      {"1 Jan 50 10:00:00", At(1950, 1, 1, 10, 0, 0)},
      {"1 Jan 00 10:00:00", At(2000, 1, 1, 10, 0, 0)},
      {"Jan 2 2020 03:04:05", At(2020, 1, 2, 3, 4, 5)},
      {"30 Feb 2023 10:00:00", DateTime{}},
      {"1 Jan 2024 25:00:00", DateTime{}},
      {"yesterday", DateTime{}},
      {"", DateTime{}},
  };
  for (const DateCase& c : cases) EXPECT_EQ(ParseMailDate(c.text), c.expected) << c.text;
}

TEST(ParseMailTest, MalformedInputNeverCrashes) {
  const std::vector<std::string> seeds = {kAlternative, kMixed, kRelated, kForwarded};
  std::mt19937 random(1234);
  std::vector<std::string> inputs = {"", "\r\n", "garbage without headers", "=?", "Subject: =?gbk?B?\r\n\r\n",
                                     "Content-Type: multipart/mixed; boundary=\"\"\r\n\r\n--\r\n--\r\n",
                                     "Content-Type: multipart/mixed\r\n\r\n--x\r\n"};
  for (const std::string& seed : seeds) {
    for (size_t cut = 0; cut < seed.size(); cut += 23) inputs.push_back(seed.substr(0, cut));
    for (int i = 0; i < 40; ++i) {
      std::string mutated = seed;
      for (int k = 0; k < 8; ++k) mutated[random() % mutated.size()] = static_cast<char>(random() % 256);
      inputs.push_back(mutated);
    }
  }
  std::string deep;
  for (int i = 0; i < 200; ++i) deep += "Content-Type: multipart/mixed; boundary=b" + std::to_string(i) + "\r\n\r\n--b" + std::to_string(i) + "\r\n";
  inputs.push_back(deep);
  for (const std::string& input : inputs) {
    const MailInfo info = ParseMail(input);
    EXPECT_EQ(info.raw_source, input);
    EXPECT_EQ(info.attachment_count, static_cast<int>(info.attachments.size()));
  }
}

}  // namespace
}  // namespace vostrel::mime
