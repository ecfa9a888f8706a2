#include "browser/safe_file_name.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace vostrel::browser {
namespace {

constexpr std::string_view kReservedCharacters = "<>:\"|?*";
// Longest extension worth keeping whole when a name must be shortened.
constexpr std::size_t kMaxKeptExtensionBytes = 32;

std::string LastComponent(const std::string& name) {
  const std::size_t separator = name.find_last_of("/\\");
  return separator == std::string::npos ? name : name.substr(separator + 1);
}

bool IsUnsafeByte(unsigned char c) {
  return c < 0x20 || c == 0x7F || kReservedCharacters.find(static_cast<char>(c)) != std::string_view::npos;
}

void ReplaceUnsafeBytes(std::string& name) {
  std::replace_if(name.begin(), name.end(), [](char c) { return IsUnsafeByte(static_cast<unsigned char>(c)); },
                  '_');
}

// Windows drops trailing dots and blanks, so "x." and "x" would collide there
// and "..." would name nothing.
void TrimTrailingDotsAndBlanks(std::string& name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The longest prefix of at most `limit` bytes that ends on a character boundary.
std::string_view Utf8Prefix(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t end = limit;
  while (end > 0 && IsContinuationByte(text[end])) --end;
  return text.substr(0, end);
}

void Shorten(std::string& name) {
  if (name.size() <= kMaxFileNameBytes) return;
  const std::size_t dot = name.rfind('.');
  const bool keep_extension =
      dot != std::string::npos && dot > 0 && name.size() - dot <= kMaxKeptExtensionBytes;
  const std::string extension = keep_extension ? name.substr(dot) : std::string();
  const std::string_view stem = std::string_view(name).substr(0, keep_extension ? dot : name.size());
  name = std::string(Utf8Prefix(stem, kMaxFileNameBytes - extension.size())) + extension;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// CON, PRN, AUX, NUL, COM0-9 and LPT0-9 name devices on Windows, with any
// extension and whatever the case.
bool IsDeviceName(const std::string& name) {
  std::string_view base(name);
  base = base.substr(0, base.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  const std::string upper = Upper(base);
  static constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  if (std::find(kDevices.begin(), kDevices.end(), upper) != kDevices.end()) return true;
  return upper.size() == 4 && (upper.rfind("COM", 0) == 0 || upper.rfind("LPT", 0) == 0) &&
         std::isdigit(static_cast<unsigned char>(upper[3]));
}

}  // namespace

std::string SafeFileName(const std::string& name) {
  std::string safe = LastComponent(name);
  ReplaceUnsafeBytes(safe);
  TrimTrailingDotsAndBlanks(safe);
  if (IsDeviceName(safe)) safe.insert(safe.begin(), '_');
  Shorten(safe);
  TrimTrailingDotsAndBlanks(safe);
  return safe.empty() ? kFallbackFileName : safe;
}

}  // namespace vostrel::browser
