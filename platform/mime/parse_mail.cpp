#include "platform/mime/parse_mail.h"

#include <gmime/gmime.h>

#include <map>
#include <mutex>
#include <optional>

#include "platform/mime/header_text.h"
#include "platform/mime/mail_date.h"
#include "platform/text/encoding.h"

namespace vostrel::mime {
namespace {

// Deeper nesting than this is not mail but an attack on the stack.
constexpr int kMaxDepth = 32;

void InitGMime() {
  static std::once_flag once;
  std::call_once(once, [] { g_mime_init(); });
}

// The header as written, unfolded, without surrounding blanks.
std::string RawHeader(GMimeObject* object, const char* name) {
  GMimeHeaderList* list = g_mime_object_get_header_list(object);
  GMimeHeader* header = list ? g_mime_header_list_get_header(list, name) : nullptr;
  const char* raw = header ? g_mime_header_get_raw_value(header) : nullptr;
  if (raw == nullptr) return {};
  std::string unfolded;
  for (const char* p = raw; *p; ++p) {
    if (*p != '\r' && *p != '\n') unfolded.push_back(*p);
  }
  return TrimBlanks(unfolded);
}

std::string ReadStream(GMimeStream* stream) {
  GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(stream));
  return bytes ? std::string(reinterpret_cast<const char*>(bytes->data), bytes->len) : std::string();
}

// The part's content with its transfer encoding undone.
std::string DecodedContent(GMimePart* part) {
  GMimeDataWrapper* content = g_mime_part_get_content(part);
  if (content == nullptr) return {};
  GMimeStream* stream = g_mime_stream_mem_new();
  g_mime_data_wrapper_write_to_stream(content, stream);
  std::string data = ReadStream(stream);
  g_object_unref(stream);
  return data;
}

std::string SerializedMessage(GMimeMessagePart* part) {
  GMimeMessage* message = g_mime_message_part_get_message(part);
  if (message == nullptr) return {};
  GMimeStream* stream = g_mime_stream_mem_new();
  g_mime_object_write_to_stream(GMIME_OBJECT(message), nullptr, stream);
  std::string data = ReadStream(stream);
  g_object_unref(stream);
  return data;
}

// A file name from a subject: characters file systems refuse become '_'.
std::string FileNameFromSubject(std::string subject) {
  for (char& c : subject) {
    if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
      c = '_';
    }
  }
  subject = TrimBlanks(subject);
  return (subject.empty() ? std::string("message") : subject) + ".eml";
}

struct PartHeaders {
  std::string content_type, disposition, encoding, content_id;
  std::string media;  // lower-case type/subtype
  std::optional<std::string> file_name, name;

  explicit PartHeaders(GMimeObject* object)
      : content_type(RawHeader(object, "Content-Type")),
        disposition(RawHeader(object, "Content-Disposition")),
        encoding(TrimBlanksAndQuotes(RawHeader(object, "Content-Transfer-Encoding"))),
        content_id(TrimBlanksAndQuotes(RawHeader(object, "Content-ID"))),
        media(Lowercase(ValueBeforeParameters(content_type))),
        file_name(FindParameter(disposition, "filename")),
        name(FindParameter(content_type, "name")) {
    if (media.empty()) {
      GMimeContentType* type = g_mime_object_get_content_type(object);
      char* mime_type = type ? g_mime_content_type_get_mime_type(type) : nullptr;
      media = mime_type ? Lowercase(mime_type) : "text/plain";
      g_free(mime_type);
    }
    if (content_id.size() >= 2 && content_id.front() == '<' && content_id.back() == '>') {
      content_id = content_id.substr(1, content_id.size() - 2);
    }
  }

  // A text body rather than an attachment: no name, not marked as attachment.
  bool IsBodyText(bool single_part) const {
    if (file_name || name || Lowercase(ValueBeforeParameters(disposition)) == "attachment") return false;
    if (single_part) return media.rfind("text/", 0) == 0;
    return media == "text/plain" || media == "text/html";
  }
};

class MailCollector {
 public:
  explicit MailCollector(MailInfo& info) : info_(info) {}

  void Collect(GMimeObject* object, bool in_related, int depth, bool single_part) {
    if (object == nullptr || depth > kMaxDepth) return;
    if (GMIME_IS_MULTIPART(object)) {
      GMimeMultipart* multipart = GMIME_MULTIPART(object);
      GMimeContentType* type = g_mime_object_get_content_type(object);
      const bool related = in_related || (type && g_mime_content_type_is_type(type, "multipart", "related"));
      for (int i = 0; i < g_mime_multipart_get_count(multipart); ++i) {
        Collect(g_mime_multipart_get_part(multipart, i), related, depth + 1, false);
      }
      return;
    }
    const PartHeaders headers(object);
    if (GMIME_IS_MESSAGE_PART(object)) {
      AttachMessage(GMIME_MESSAGE_PART(object), headers, in_related);
    } else if (GMIME_IS_PART(object)) {
      CollectLeaf(GMIME_PART(object), headers, in_related, single_part);
    }
  }

  void ReplaceContentIds() {
    if (cid_names_.empty() || info_.html_text.empty()) return;
    const std::string& html = info_.html_text;
    const std::string lower = Lowercase(html);
    std::string out;
    size_t copied = 0;
    for (size_t pos = lower.find("cid:"); pos != std::string::npos; pos = lower.find("cid:", pos + 4)) {
      const size_t end = std::min(html.find_first_of("\"'<> \t\r\n)", pos + 4), html.size());
      const auto found = cid_names_.find(html.substr(pos + 4, end - pos - 4));
      if (found == cid_names_.end()) continue;
      out.append(html, copied, pos - copied);
      out += found->second;
      copied = end;
    }
    out.append(html, copied);
    info_.html_text = std::move(out);
  }

 private:
  void CollectLeaf(GMimePart* part, const PartHeaders& headers, bool in_related, bool single_part) {
    if (headers.IsBodyText(single_part)) {
      const std::string charset = FindParameter(headers.content_type, "charset").value_or("");
      std::string body = text::DecodeToUtf8(DecodedContent(part), charset);
      if (headers.media == "text/html") {
        if (info_.html_text.empty()) info_.html_text = std::move(body);
      } else if (info_.plain_text.empty()) {
        info_.plain_text = std::move(body);
      } else {
        // A further text part (a list footer, say) is kept rather than lost.
        info_.plain_text += "\r\n" + body;
      }
      return;
    }
    AddAttachment(headers, DecodedContent(part), in_related, "");
  }

  void AttachMessage(GMimeMessagePart* part, const PartHeaders& headers, bool in_related) {
    std::string fallback_name;
    if (GMimeMessage* message = g_mime_message_part_get_message(part)) {
      fallback_name = FileNameFromSubject(DecodeHeaderText(RawHeader(GMIME_OBJECT(message), "Subject")));
    }
    AddAttachment(headers, SerializedMessage(part), in_related, fallback_name);
  }

  void AddAttachment(const PartHeaders& headers, std::string data, bool in_related, const std::string& fallback) {
    AttachmentInfo a;
    a.size = static_cast<int64_t>(data.size());
    a.data = std::move(data);
    a.type = TrimBlanksAndQuotes(ValueBeforeParameters(headers.content_type));
    if (a.type.empty()) a.type = headers.media;
    a.encoding = headers.encoding;
    // Each name stands in for the other, so a stored name is never empty
    // when the part is named at all.
    a.file_name = headers.file_name.value_or(headers.name.value_or(fallback));
    a.part_name = headers.name.value_or(headers.file_name.value_or(fallback));
    a.is_inline = in_related;
    if (!headers.content_id.empty()) {
      cid_names_.emplace(headers.content_id, a.part_name.empty() ? headers.content_id : a.part_name);
    }
    info_.attachments.push_back(std::move(a));
  }

  MailInfo& info_;
  std::map<std::string, std::string> cid_names_;
};

// The text between "<" and the next ">", or to the end without one.
std::string Bracketed(const std::string& text) {
  const size_t open = text.find('<');
  const size_t close = text.find('>', open + 1);
  return text.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
}

void FillSender(GMimeObject* message, MailInfo& info) {
  const std::string from = DecodeHeaderText(RawHeader(message, "From"));
  const size_t open = from.find('<');
  if (open == std::string::npos) {
    info.sender_address = TrimBlanks(from);
  } else {
    info.sender_address = TrimBlanks(Bracketed(from));
    if (info.sender_address.empty()) info.sender_address = TrimBlanks(from.substr(0, open));
  }
  const size_t quote = from.find('"');
  const size_t closing = quote == std::string::npos ? quote : from.find('"', quote + 1);
  if (closing != std::string::npos) {
    info.sender_name = TrimBlanks(DecodeHeaderText(from.substr(quote + 1, closing - quote - 1)));
  } else if (open != std::string::npos) {
    info.sender_name = TrimBlanks(DecodeHeaderText(from.substr(0, open)));
  } else {
    info.sender_name = TrimBlanks(from);
  }
  std::string reply = DecodeHeaderText(RawHeader(message, "Reply-To"));
  if (TrimBlanks(reply).empty()) reply = from;
  if (reply.find('<') != std::string::npos) reply = Bracketed(reply);
  info.reply_address = reply.find('@') == std::string::npos ? std::string() : TrimBlanks(reply);
}

void FillHeaders(GMimeObject* message, MailInfo& info) {
  FillSender(message, info);
  info.subject = DecodeHeaderText(RawHeader(message, "Subject"));
  if (info.subject.find("=?") != std::string::npos) info.subject = DecodeHeaderText(info.subject);
  info.date = ParseMailDate(RawHeader(message, "Date"));
}

}  // namespace

MailInfo ParseMail(std::string_view raw) {
  MailInfo info;
  info.raw_source = std::string(raw);
  InitGMime();
  GMimeStream* stream = g_mime_stream_mem_new_with_buffer(raw.data(), raw.size());
  GMimeParser* parser = g_mime_parser_new_with_stream(stream);
  GMimeMessage* message = g_mime_parser_construct_message(parser, nullptr);
  g_object_unref(parser);
  g_object_unref(stream);
  if (message == nullptr) return info;
  FillHeaders(GMIME_OBJECT(message), info);
  GMimeObject* body = g_mime_message_get_mime_part(message);
  MailCollector collector(info);
  collector.Collect(body, false, 0, body != nullptr && !GMIME_IS_MULTIPART(body));
  collector.ReplaceContentIds();
  info.attachment_count = static_cast<int>(info.attachments.size());
  g_object_unref(message);
  return info;
}

}  // namespace vostrel::mime
