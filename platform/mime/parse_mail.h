#pragma once

#include <string_view>

#include "platform/mime/mail_info.h"

namespace vostrel::mime {

// Parses a whole message as downloaded. Never throws; malformed input gives
// whatever values could be read, with raw_source always the input.
MailInfo ParseMail(std::string_view raw);

}  // namespace vostrel::mime
