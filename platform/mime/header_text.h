#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vostrel::mime {

// Decodes RFC 2047 encoded words (also inside quotes, as common mailers send
// them) into UTF-8. Adjacent words of one charset are joined before decoding,
// so a character split across two words comes out whole. Text outside the
// words is read as UTF-8 when valid, else as GB18030.
std::string DecodeHeaderText(std::string_view raw);

// The value of a header before its parameters, trimmed of blanks and quotes.
std::string ValueBeforeParameters(std::string_view header_value);

// A parameter of a structured header (name=, "quoted", RFC 2231 name*= and
// continuations name*0*=...), decoded to UTF-8 and trimmed; nullopt when absent.
std::optional<std::string> FindParameter(std::string_view header_value, std::string_view name);

std::string TrimBlanksAndQuotes(std::string_view text);
std::string TrimBlanks(std::string_view text);
std::string Lowercase(std::string_view text);

}  // namespace vostrel::mime
