#pragma once

#include <optional>
#include <string>

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

// Shows the mail of the mail list's current row: subject, attachment names,
// and its plain text, or its HTML through the scratch page when it has no text.
void ShowSelectedMail(core::Program& program);

// An image the shown HTML page names, from the mail's own inline parts; the
// viewer asks for it. Nothing else is ever served, so a page fetches nothing.
std::optional<std::string> InlineImageOfShownMail(core::Program& program, const std::string& url);

}  // namespace vostrel::browser
