#include "platform/text/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

namespace vostrel::text {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// One iconv descriptor per conversion call keeps the functions thread-safe.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `in`; each byte iconv rejects is skipped and replaced.
  std::string Run(std::string_view in, std::string_view replacement) {
    std::string out;
    out.reserve(in.size() * 3 / 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char buffer[4096];
    while (src_left > 0) {
      char* dst = buffer;
      size_t dst_left = sizeof(buffer);
      const size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      out.append(buffer, sizeof(buffer) - dst_left);
      if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
      // EILSEQ or EINVAL (truncated tail): drop one byte and carry on.
      out.append(replacement);
      ++src;
      --src_left;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buffer;
    size_t dst_left = sizeof(buffer);
    iconv(cd_, nullptr, nullptr, &dst, &dst_left);
    out.append(buffer, sizeof(buffer) - dst_left);
    return out;
  }

 private:
  iconv_t cd_;
};

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '"')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '"')) s.remove_suffix(1);
  return s;
}

bool IsChineseCharset(const std::string& name) {
  return name == "gb2312" || name == "gbk" || name == "x-gbk" || name == "gb18030" ||
         name == "cp936" || name == "windows-936" || name == "euc-cn" || name == "x-euc-cn" ||
         name == "ms936";
}

bool IsUtf8Charset(const std::string& name) { return name == "utf-8" || name == "utf8"; }

bool IsAsciiCharset(const std::string& name) {
  return name == "us-ascii" || name == "ascii" || name == "ansi_x3.4-1968";
}

// Length of the well-formed UTF-8 sequence at the start of `s`, 0 if none.
size_t SequenceLength(std::string_view s) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (s.size() < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

// Valid UTF-8 passes through; each malformed byte becomes U+FFFD.
std::string RepairUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const size_t length = SequenceLength(bytes);
    if (length == 0) {
      out.append(kReplacementUtf8);
      bytes.remove_prefix(1);
    } else {
      out.append(bytes.substr(0, length));
      bytes.remove_prefix(length);
    }
  }
  return out;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  while (!bytes.empty()) {
    const size_t length = SequenceLength(bytes);
    if (length == 0) return false;
    bytes.remove_prefix(length);
  }
  return true;
}

std::string Utf8ToGbk(std::string_view utf8) {
  Converter converter("GB18030", "UTF-8");
  return converter.Run(utf8, "?");
}

std::string GbkToUtf8(std::string_view gbk) {
  Converter converter("UTF-8", "GB18030");
  return converter.Run(gbk, kReplacementUtf8);
}

std::string DecodeToUtf8(std::string_view bytes, std::string_view charset) {
  const std::string name = Lower(Trim(charset));
  if (IsChineseCharset(name)) return GbkToUtf8(bytes);
  if (IsUtf8Charset(name)) return RepairUtf8(bytes);
  if (!name.empty() && !IsAsciiCharset(name)) {
    Converter converter("UTF-8", name.c_str());
    if (converter.ok()) return converter.Run(bytes, kReplacementUtf8);
  }
  // Undeclared, ASCII-labelled or unknown: trust valid UTF-8, else the local GBK.
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return GbkToUtf8(bytes);
}

}  // namespace vostrel::text
