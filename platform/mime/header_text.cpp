#include "platform/mime/header_text.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

#include "platform/text/encoding.h"

namespace vostrel::mime {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Lenient base64: skips characters outside the alphabet and stops at '='.
std::string DecodeBase64(std::string_view in) {
  std::string out;
  uint32_t bits = 0;
  int count = 0;
  for (char c : in) {
    int value = -1;
    if (c >= 'A' && c <= 'Z') value = c - 'A';
    else if (c >= 'a' && c <= 'z') value = c - 'a' + 26;
    else if (c >= '0' && c <= '9') value = c - '0' + 52;
    else if (c == '+') value = 62;
    else if (c == '/') value = 63;
    else if (c == '=') break;
    if (value < 0) continue;
    bits = (bits << 6) | static_cast<uint32_t>(value);
    count += 6;
    if (count >= 8) {
      count -= 8;
      out.push_back(static_cast<char>((bits >> count) & 0xFF));
    }
  }
  return out;
}

// RFC 2047 "Q": '_' is a space, =XX a byte.
std::string DecodeQ(std::string_view in) {
  std::string out;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] == '_') {
      out.push_back(' ');
    } else if (in[i] == '=' && i + 2 < in.size() && HexValue(in[i + 1]) >= 0 && HexValue(in[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(in[i + 1]) * 16 + HexValue(in[i + 2])));
      i += 2;
    } else {
      out.push_back(in[i]);
    }
  }
  return out;
}

std::string PercentDecode(std::string_view in) {
  std::string out;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] == '%' && i + 2 < in.size() && HexValue(in[i + 1]) >= 0 && HexValue(in[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(in[i + 1]) * 16 + HexValue(in[i + 2])));
      i += 2;
    } else {
      out.push_back(in[i]);
    }
  }
  return out;
}

struct EncodedWord {
  std::string charset;
  std::string bytes;
  size_t end = 0;  // index after "?="
};

// Reads "=?charset?B|Q?text?=" at `pos`.
std::optional<EncodedWord> ReadEncodedWord(std::string_view s, size_t pos) {
  if (s.compare(pos, 2, "=?") != 0) return std::nullopt;
  const size_t charset_end = s.find('?', pos + 2);
  if (charset_end == std::string_view::npos || charset_end == pos + 2 || charset_end + 2 >= s.size() ||
      s[charset_end + 2] != '?') {
    return std::nullopt;
  }
  const char encoding = static_cast<char>(std::toupper(static_cast<unsigned char>(s[charset_end + 1])));
  if (encoding != 'B' && encoding != 'Q') return std::nullopt;
  const size_t text_start = charset_end + 3;
  const size_t text_end = s.find("?=", text_start);
  if (text_end == std::string_view::npos) return std::nullopt;
  const std::string_view charset = s.substr(pos + 2, charset_end - pos - 2);
  const std::string_view text = s.substr(text_start, text_end - text_start);
  if (std::any_of(charset.begin(), charset.end(), IsBlank) || std::any_of(text.begin(), text.end(), IsBlank)) {
    return std::nullopt;
  }
  EncodedWord word;
  word.charset = Lowercase(charset.substr(0, charset.find('*')));  // RFC 2231 language suffix
  word.bytes = encoding == 'B' ? DecodeBase64(text) : DecodeQ(text);
  word.end = text_end + 2;
  return word;
}

struct Piece {
  bool encoded = false;
  std::string charset;
  std::string bytes;
};

struct Parameter {
  std::string name;  // lower case, as written (may end in "*" or "*N" or "*N*")
  std::string value;
};

std::vector<Parameter> ReadParameters(std::string_view header_value) {
  std::vector<Parameter> parameters;
  size_t i = 0;
  bool in_quotes = false;
  // Skip the value itself.
  for (; i < header_value.size(); ++i) {
    if (header_value[i] == '"') in_quotes = !in_quotes;
    if (header_value[i] == ';' && !in_quotes) break;
  }
  while (i < header_value.size()) {
    ++i;  // past ';'
    const size_t equals = header_value.find_first_of("=;", i);
    if (equals == std::string_view::npos || header_value[equals] == ';') {
      i = equals == std::string_view::npos ? header_value.size() : equals;
      continue;
    }
    Parameter parameter;
    parameter.name = Lowercase(TrimBlanks(header_value.substr(i, equals - i)));
    i = equals + 1;
    while (i < header_value.size() && IsBlank(header_value[i])) ++i;
    if (i < header_value.size() && header_value[i] == '"') {
      for (++i; i < header_value.size() && header_value[i] != '"'; ++i) {
        if (header_value[i] == '\\' && i + 1 < header_value.size()) ++i;
        parameter.value.push_back(header_value[i]);
      }
      i = header_value.find(';', i);
      if (i == std::string_view::npos) i = header_value.size();
    } else {
      const size_t end = std::min(header_value.find(';', i), header_value.size());
      parameter.value = TrimBlanks(header_value.substr(i, end - i));
      i = end;
    }
    parameters.push_back(std::move(parameter));
  }
  return parameters;
}

// charset'language'percent-encoded → UTF-8.
std::string DecodeExtendedValue(std::string_view value) {
  const size_t first = value.find('\'');
  const size_t second = first == std::string_view::npos ? first : value.find('\'', first + 1);
  if (second == std::string_view::npos) return text::DecodeToUtf8(PercentDecode(value), "");
  return text::DecodeToUtf8(PercentDecode(value.substr(second + 1)), value.substr(0, first));
}

// Joins name*0, name*1*, ... in order; the first extended piece names the charset.
std::optional<std::string> JoinContinuations(const std::vector<Parameter>& parameters, const std::string& name) {
  std::map<int, const Parameter*> pieces;
  const std::string prefix = name + "*";
  for (const Parameter& p : parameters) {
    if (p.name.rfind(prefix, 0) != 0 || p.name.size() == prefix.size()) continue;
    std::string index = p.name.substr(prefix.size());
    if (!index.empty() && index.back() == '*') index.pop_back();
    if (index.empty() || index.size() > 4 || !std::all_of(index.begin(), index.end(), ::isdigit)) continue;
    pieces.emplace(std::stoi(index), &p);
  }
  if (pieces.empty()) return std::nullopt;
  std::string bytes, charset;
  bool extended = false;
  for (const auto& [index, p] : pieces) {
    if (p->name.back() != '*') {
      bytes += p->value;
      continue;
    }
    std::string_view value = p->value;
    if (!extended && index == pieces.begin()->first) {
      const size_t first = value.find('\'');
      const size_t second = first == std::string_view::npos ? first : value.find('\'', first + 1);
      if (second != std::string_view::npos) {
        charset = std::string(value.substr(0, first));
        value.remove_prefix(second + 1);
      }
    }
    extended = true;
    bytes += PercentDecode(value);
  }
  return extended ? text::DecodeToUtf8(bytes, charset) : DecodeHeaderText(bytes);
}

}  // namespace

std::string Lowercase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string TrimBlanksAndQuotes(std::string_view text) {
  const auto skip = [](char c) { return IsBlank(c) || c == '"'; };
  while (!text.empty() && skip(text.front())) text.remove_prefix(1);
  while (!text.empty() && skip(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string DecodeHeaderText(std::string_view raw) {
  std::vector<Piece> pieces;
  size_t literal_start = 0;
  size_t pos = raw.find("=?");
  while (pos != std::string_view::npos) {
    std::optional<EncodedWord> word = ReadEncodedWord(raw, pos);
    if (!word) {
      pos = raw.find("=?", pos + 1);
      continue;
    }
    const std::string_view between = raw.substr(literal_start, pos - literal_start);
    const bool follows_word = !pieces.empty() && pieces.back().encoded;
    const bool only_blanks = std::all_of(between.begin(), between.end(), IsBlank);
    if (!(follows_word && only_blanks) && !between.empty()) pieces.push_back({false, "", std::string(between)});
    if (follows_word && only_blanks && pieces.back().charset == word->charset) {
      pieces.back().bytes += word->bytes;
    } else {
      pieces.push_back({true, word->charset, std::move(word->bytes)});
    }
    literal_start = word->end;
    pos = raw.find("=?", literal_start);
  }
  if (literal_start < raw.size()) pieces.push_back({false, "", std::string(raw.substr(literal_start))});
  std::string out;
  for (const Piece& piece : pieces) out += text::DecodeToUtf8(piece.bytes, piece.charset);
  return out;
}

std::string ValueBeforeParameters(std::string_view header_value) {
  return TrimBlanksAndQuotes(header_value.substr(0, header_value.find(';')));
}

std::optional<std::string> FindParameter(std::string_view header_value, std::string_view name) {
  const std::string wanted = Lowercase(name);
  const std::vector<Parameter> parameters = ReadParameters(header_value);
  for (const Parameter& p : parameters) {
    if (p.name == wanted + "*") return TrimBlanksAndQuotes(DecodeExtendedValue(p.value));
  }
  if (std::optional<std::string> joined = JoinContinuations(parameters, wanted)) {
    return TrimBlanksAndQuotes(*joined);
  }
  for (const Parameter& p : parameters) {
    if (p.name == wanted) return TrimBlanksAndQuotes(DecodeHeaderText(p.value));
  }
  return std::nullopt;
}

}  // namespace vostrel::mime
