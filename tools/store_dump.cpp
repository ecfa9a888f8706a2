#include "tools/store_dump.h"

#include <cstdio>

#include "platform/store/record_file.h"

namespace vostrel::tools {
namespace {

std::string Base64(const std::string& bytes) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 | static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    for (int shift : {18, 12, 6, 0}) out += kAlphabet[(v >> shift) & 63];
  }
  if (i < bytes.size()) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

std::string JsonValue(const store::FieldValue& value) {
  struct Render {
    std::string operator()(const std::string& text) const { return JsonString(text); }
    std::string operator()(int32_t number) const { return std::to_string(number); }
    std::string operator()(DateTime when) const { return std::to_string(when.seconds); }
    std::string operator()(const store::Bytes& bytes) const { return JsonString(Base64(bytes.data)); }
    std::string operator()(bool flag) const { return flag ? "true" : "false"; }
  };
  return std::visit(Render{}, value);
}

std::string TextValue(const store::FieldValue& value) {
  if (const auto* bytes = std::get_if<store::Bytes>(&value))
    return std::string("<").append(std::to_string(bytes->data.size())).append(" bytes>");
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return JsonValue(value);
}

}  // namespace

bool DumpStore(const std::string& path, bool json, std::ostream& out) {
  const auto file = store::RecordFile::Open(path);
  if (!file) return false;
  const auto& fields = file->Fields();
  if (!json) {
    out << "fields:\n";
    for (size_t i = 0; i < fields.size(); ++i)
      out << "  " << i + 1 << " " << fields[i].name << " (" << store::FieldTypeName(fields[i].type) << ")\n";
    out << "records: " << file->Count() << "\n";
  }
  for (int64_t position = 0; position < file->Count(); ++position) {
    if (json) out << "{";
    else out << "record " << position + 1 << (file->IsMarked(position) ? " (marked)" : "") << ":\n";
    for (size_t i = 0; i < fields.size(); ++i) {
      const store::FieldValue value = file->Read(position, static_cast<int>(i));
      if (json) out << (i ? "," : "") << JsonString(fields[i].name) << ":" << JsonValue(value);
      else out << "  " << fields[i].name << ": " << TextValue(value) << "\n";
    }
    if (json) out << "}\n";
  }
  return true;
}

}  // namespace vostrel::tools
